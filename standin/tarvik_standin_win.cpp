// Stand-in device library for development and demos. It answers a fixed
// demo table, or the script in TARVIK_STANDIN (see standin_script.h), one
// answer per query in order, the last one repeated.
//
// TARVIK_STANDIN_LOG=path   appends "query N arg A" per query.
// TARVIK_STANDIN_GATE=name  each query sets event "name.queried", then waits
//                           for "name.go" while answering sent messages, so
//                           a test can hold the caller inside a query.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "standin_script.h"

namespace {

std::string Env(const char* name) {
    const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0) return {};
    std::string value(size, '\0');
    const DWORD n = GetEnvironmentVariableA(name, value.data(), size);
    value.resize(n < size ? n : 0);
    return value;
}

struct State {
    bool loaded = false;
    StandinScript script;
    std::size_t queries = 0;
};

State& Loaded() {
    static State state;
    if (!state.loaded) {
        state.loaded = true;
        const std::string text = Env("TARVIK_STANDIN");
        if (text.empty()) {
            state.script.answers.push_back(DemoAnswer());
        } else {
            state.script = ParseStandinScript(text);
            if (!state.script.error.empty()) {
                std::fprintf(stderr, "Tarvik stand-in: TARVIK_STANDIN: %s; every query fails\n",
                             state.script.error.c_str());
                std::fflush(stderr);
            }
        }
    }
    return state;
}

void Log(std::size_t query, std::int32_t arg) {
    const std::string path = Env("TARVIK_STANDIN_LOG");
    if (path.empty()) return;
    if (std::FILE* f = std::fopen(path.c_str(), "a")) {
        std::fprintf(f, "query %zu arg %ld\n", query, static_cast<long>(arg));
        std::fclose(f);
    }
}

void PassGate() {
    const std::string name = Env("TARVIK_STANDIN_GATE");
    if (name.empty()) return;
    HANDLE queried = CreateEventA(nullptr, FALSE, FALSE, (name + ".queried").c_str());
    HANDLE go = CreateEventA(nullptr, FALSE, FALSE, (name + ".go").c_str());
    if (queried && go) {
        SetEvent(queried);
        // Answer sent messages (the test reads the boxes) but leave posted
        // ones queued, as a blocking library would.
        while (MsgWaitForMultipleObjects(1, &go, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
    if (queried) CloseHandle(queried);
    if (go) CloseHandle(go);
}

}  // namespace

extern "C" std::uint32_t WINAPI KV_GetRegDevList(std::int16_t* table, std::int32_t arg) {
    State& state = Loaded();
    ++state.queries;
    Log(state.queries, arg);
    PassGate();
    if (state.script.answers.empty() || table == nullptr) return 0;
    const std::size_t index =
        state.queries <= state.script.answers.size() ? state.queries - 1 : state.script.answers.size() - 1;
    const StandinAnswer& answer = state.script.answers[index];
    if (answer.writesTable) {
        for (int i = 0; i < kTableSlots; ++i) table[i] = answer.table.slot[i];
    }
    return answer.status;
}
