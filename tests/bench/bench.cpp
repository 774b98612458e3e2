// Benchmark of DeviceList under Wine, each figure a ratio to a floor taken
// side by side in the same run.
//   bench.exe run DeviceList.exe   all figures (spawns the modes below)
//   bench.exe press CASE           press latency against the floor, in-process
//   bench.exe growth [--assert]    memory and GDI/USER objects, 1 vs 10,000 presses
//   bench.exe minimal-window       the start-up floor: a bare window
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "devices/device_order.h"
#include "standin_script.h"
#include "support/device_library_win.h"
#include "window/form1_win.h"

namespace {

double Now() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

constexpr int kPresses = 31;

std::string Range(int from, int to, int flag) {
    std::string s;
    for (int n = from; n <= to; ++n) s += std::to_string(n | flag) + " ";
    return s;
}

// Each case's pair of answers (first and second query of a press).
struct Case {
    const char* name;
    std::string connectedQuery, disconnectedQuery;
};

Case CaseNamed(const std::string& name) {
    if (name == "empty") return {"empty", "0", "0"};
    if (name == "typical") return {"typical", "12 0x8005 3 0x8009 7", "12 0x8005 3 0x8009 7"};
    return {"worst", Range(1, 32, 0), Range(1, 32, 0x8000)};
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void AppendNumber(HWND edit) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    text += L"1, ";
    SetWindowTextW(edit, text.c_str());
}

struct Work {
    int yields = 0, numbers = 0;
};

Work WorkOf(const DeviceTable& table, bool connected) {
    Work w;
    Selection sel = connected ? SelectConnected(table) : SelectDisconnected(table);
    DeviceTable buffer = table;
    OrderingPass(sel, buffer, [&] { return ++w.yields, true; });
    while (w.numbers < kExaminedSlots && sel.picked[w.numbers] != 0) ++w.numbers;
    return w;
}

// Only the platform work a press must do: two queries, the same number of
// pump passes, the same box reads and writes.
struct Floor {
    HWND window = nullptr, upper = nullptr, lower = nullptr;
    LibraryQuery query;
    Work connected, disconnected;

    void Press() {
        SetWindowTextW(upper, L"");
        DeviceTable first;
        query.KV_GetRegDevList(first);
        SetWindowTextW(lower, L"");
        DeviceTable second;
        query.KV_GetRegDevList(second);
        for (int i = 0; i < disconnected.yields; ++i) Pump();
        for (int i = 0; i < disconnected.numbers; ++i) AppendNumber(lower);
        for (int i = 0; i < connected.yields; ++i) Pump();
        for (int i = 0; i < connected.numbers; ++i) AppendNumber(upper);
    }
};

LRESULT CALLBACK BareProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(h, m, w, l);
}

HWND BareWindow(const wchar_t* title) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = BareProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BenchFloor";
    RegisterClassW(&wc);
    return CreateWindowExW(0, L"BenchFloor", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                           nullptr, wc.hInstance, nullptr);
}

void PressForm1() {
    SendMessageW(Form1.Handle(), WM_COMMAND, MAKEWPARAM(kCommand1Id, BN_CLICKED), 0);
}

bool StartForm1() {
    if (!Form1.Create(GetModuleHandleW(nullptr))) return false;
    Form1.Form_Load();
    Form1.Show(SW_SHOWNOACTIVATE);
    Pump();
    return true;
}

int PressCase(const std::string& name) {
    const Case c = CaseNamed(name);
    // Presses alternate with floor presses, two queries each.
    std::string script;
    for (int i = 0; i < 2 * (kPresses + 3); ++i) script += c.connectedQuery + ";" + c.disconnectedQuery + ";";
    script.pop_back();
    SetEnvironmentVariableA("TARVIK_STANDIN", script.c_str());

    const StandinScript parsed = ParseStandinScript(c.connectedQuery + ";" + c.disconnectedQuery);
    Floor floor;
    floor.connected = WorkOf(parsed.answers[0].table, true);
    floor.disconnected = WorkOf(parsed.answers[1].table, false);
    if (!StartForm1()) return 1;
    floor.window = BareWindow(L"floor");
    floor.upper = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 300, 60,
                                  floor.window, nullptr, nullptr, nullptr);
    floor.lower = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 70, 300, 60,
                                  floor.window, nullptr, nullptr, nullptr);

    std::vector<double> press, base;
    for (int i = 0; i < kPresses + 3; ++i) {
        double t = Now();
        PressForm1();
        const double p = Now() - t;
        t = Now();
        floor.Press();
        const double f = Now() - t;
        if (i >= 3) {  // warm-up
            press.push_back(p);
            base.push_back(f);
        }
    }
    std::printf("%s %.6f %.6f\n", name.c_str(), Median(press), Median(base));
    return 0;
}

struct Usage {
    long long privateBytes;
    DWORD gdi, user;
};

Usage Measure() {
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc);
    return {static_cast<long long>(pmc.PrivateUsage), GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
            GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)};
}

int Growth(bool assert) {
    SetEnvironmentVariableA("TARVIK_STANDIN", "12 0x8005 3 0x8009 7");
    if (!StartForm1()) return 1;
    PressForm1();
    // Settle allocator pools on a few presses before the first figure.
    for (int i = 0; i < 10; ++i) PressForm1();
    const Usage one = Measure();
    for (int i = 0; i < 10000; ++i) PressForm1();
    const Usage many = Measure();
    const long long privateGrowth = many.privateBytes - one.privateBytes;
    const long long gdiGrowth = static_cast<long long>(many.gdi) - one.gdi;
    const long long userGrowth = static_cast<long long>(many.user) - one.user;
    std::printf("private %lld %lld\ngdi %lu %lu\nuser %lu %lu\n", one.privateBytes, many.privateBytes,
                static_cast<unsigned long>(one.gdi), static_cast<unsigned long>(many.gdi),
                static_cast<unsigned long>(one.user), static_cast<unsigned long>(many.user));
    if (!assert) return 0;
    // Handles must not grow at all; private memory within one 64 KiB
    // allocation granule of noise.
    const bool ok = gdiGrowth <= 0 && userGrowth <= 0 && privateGrowth <= 65536;
    std::printf("growth: %s\n", ok ? "passed" : "FAILED");
    return ok ? 0 : 1;
}

int MinimalWindow() {
    BareWindow(L"minimal");
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

std::wstring SelfPath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// Runs a command line and returns its first output line.
std::string Capture(const std::wstring& command) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    CreatePipe(&read, &write, &sa, 0);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = write;
    si.hStdError = write;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = command;
    std::string out;
    if (CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(write);
        write = nullptr;
        char buffer[4096];
        DWORD n = 0;
        while (ReadFile(read, buffer, sizeof buffer, &n, nullptr) && n > 0) out.append(buffer, n);
        WaitForSingleObject(pi.hProcess, INFINITE);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    if (write) CloseHandle(write);
    CloseHandle(read);
    return out;
}

// From process start to the first idle wait for input.
double StartupOnce(const std::wstring& command) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = command;
    const double t = Now();
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 0;
    WaitForInputIdle(pi.hProcess, 30000);
    const double elapsed = Now() - t;
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return elapsed;
}

int RunAll(const char* deviceList) {
    const std::wstring self = L"\"" + SelfPath() + L"\"";
    std::printf("%-10s %12s %12s %8s\n", "press", "DeviceList", "floor", "ratio");
    double ratios[3] = {};
    const char* cases[] = {"empty", "typical", "worst"};
    for (int i = 0; i < 3; ++i) {
        const std::string line = Capture(self + L" press " + std::wstring(cases[i], cases[i] + strlen(cases[i])));
        char name[16] = {};
        double press = 0, floor = 0;
        std::sscanf(line.c_str(), "%15s %lf %lf", name, &press, &floor);
        ratios[i] = floor > 0 ? press / floor : 0;
        std::printf("%-10s %10.3f ms %9.3f ms %8.3f\n", cases[i], press * 1e3, floor * 1e3, ratios[i]);
    }

    std::wstring exe;
    for (const char* p = deviceList; *p; ++p) exe += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    if (deviceList[0] == '/') exe = L"Z:" + exe;
    std::vector<double> app, bare;
    for (int i = 0; i < 11; ++i) {
        app.push_back(StartupOnce(L"\"" + exe + L"\""));
        bare.push_back(StartupOnce(self + L" minimal-window"));
    }
    const double startup = Median(bare) > 0 ? Median(app) / Median(bare) : 0;
    std::printf("%-10s %10.1f ms %9.1f ms %8.3f\n", "start-up", Median(app) * 1e3, Median(bare) * 1e3, startup);

    const std::string growth = Capture(self + L" growth");
    long long p1 = 0, p2 = 0;
    unsigned long g1 = 0, g2 = 0, u1 = 0, u2 = 0;
    std::sscanf(growth.c_str(), "private %lld %lld\ngdi %lu %lu\nuser %lu %lu", &p1, &p2, &g1, &g2, &u1, &u2);
    std::printf("%-10s %12s %12s %8s\n", "after", "1 press", "10,000", "growth");
    std::printf("%-10s %12lld %12lld %8lld\n", "private", p1, p2, p2 - p1);
    std::printf("%-10s %12lu %12lu %8ld\n", "GDI", g1, g2, static_cast<long>(g2) - static_cast<long>(g1));
    std::printf("%-10s %12lu %12lu %8ld\n", "USER", u1, u2, static_cast<long>(u2) - static_cast<long>(u1));

    std::printf("press_worst_ratio %.3f\npress_typical_ratio %.3f\npress_empty_ratio %.3f\nstartup_ratio %.3f\n",
                ratios[2], ratios[1], ratios[0], startup);
    std::printf("private_bytes_growth %lld\ngdi_growth %ld\nuser_growth %ld\n", p2 - p1,
                static_cast<long>(g2) - static_cast<long>(g1), static_cast<long>(u2) - static_cast<long>(u1));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "press" && argc > 2) return PressCase(argv[2]);
    if (mode == "growth") return Growth(argc > 2 && std::string(argv[2]) == "--assert");
    if (mode == "minimal-window") return MinimalWindow();
    if (mode == "run" && argc > 2) return RunAll(argv[2]);
    std::printf("usage: bench run DeviceList.exe | press CASE | growth [--assert] | minimal-window\n");
    return 2;
}
