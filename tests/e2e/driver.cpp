// End-to-end driver: starts DeviceList.exe beside a chosen library, works
// its window from the outside and checks what a user would see.
//   driver.exe SCENARIO DeviceList.exe Tarvik.DLL NoExport/Tarvik.DLL
// Waits are for observable states with a deadline, never fixed sleeps.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "support/device_support.h"
#include "support/win_util.h"
#include "window/layout.h"

namespace {

int failures = 0;

#define CHECK(cond) Check((cond), #cond, __LINE__)
#define CHECK_EQ(a, b) CheckEq((a), (b), #a, __LINE__)

void Check(bool ok, const char* what, int line) {
    if (ok) return;
    std::printf("FAIL line %d: %s\n", line, what);
    ++failures;
}

std::string Show(const std::wstring& s) {
    std::string out;
    for (wchar_t c : s) {
        if (c == L'\r')
            out += "\\r";
        else if (c == L'\n')
            out += "\\n";
        else
            out += static_cast<char>(c < 128 ? c : '?');
    }
    return out;
}
std::string Show(long long v) {
    return std::to_string(v);
}

template <typename A, typename B>
void CheckEq(const A& a, const B& b, const char* what, int line) {
    if (a == b) return;
    std::printf("FAIL line %d: %s: got '%s', want '%s'\n", line, what, Show(a).c_str(), Show(b).c_str());
    ++failures;
}
void CheckEq(const std::wstring& a, const wchar_t* b, const char* what, int line) {
    CheckEq(a, std::wstring(b), what, line);
}
void CheckEq(int a, int b, const char* what, int line) {
    CheckEq(static_cast<long long>(a), static_cast<long long>(b), what, line);
}

// Polls a state every 10 ms until it holds; false after the deadline.
bool WaitFor(const std::function<bool()>& state, DWORD ms = 60000) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (!state()) {
        if (GetTickCount64() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

std::wstring WinPath(const char* arg) {
    std::wstring path;
    if (arg[0] == '/') path = L"Z:";
    for (const char* p = arg; *p; ++p) path += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    return path;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[8192] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, std::size(buffer), reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000,
                        &copied);
    return std::wstring(buffer, copied);
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t buffer[64] = {};
    GetClassNameW(hwnd, buffer, std::size(buffer));
    return buffer;
}

struct Paths {
    std::wstring exe, library, noExport;
};

class Program {
public:
    HWND main = nullptr;
    HWND button = nullptr, label1 = nullptr, txt1 = nullptr, label2 = nullptr, txt2 = nullptr;
    PROCESS_INFORMATION pi{};
    std::wstring dir;

    // library: a file to put beside the program as Tarvik.DLL, or empty.
    bool Start(const Paths& paths, const std::wstring& library, const wchar_t* scenario,
               const std::wstring& currentDir = {}) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir = std::wstring(temp) + L"devicelist-" + scenario + L"-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(dir.c_str(), nullptr);
        const std::wstring exe = dir + L"\\DeviceList.exe";
        if (!CopyFileW(paths.exe.c_str(), exe.c_str(), FALSE)) return false;
        if (!library.empty() && !CopyFileW(library.c_str(), (dir + L"\\Tarvik.DLL").c_str(), FALSE)) return false;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        std::wstring cmd = L"\"" + exe + L"\"";
        const std::wstring cwd = currentDir.empty() ? dir : currentDir;
        if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, cwd.c_str(), &si, &pi)) {
            return false;
        }
        return true;
    }

    ~Program() {
        if (pi.hProcess) {
            if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 99);
            WaitForSingleObject(pi.hProcess, 5000);
            CloseHandle(pi.hProcess);
            CloseHandle(pi.hThread);
        }
        for (const wchar_t* f : {L"\\DeviceList.exe", L"\\Tarvik.DLL"}) DeleteFileW((dir + f).c_str());
        RemoveDirectoryW(dir.c_str());
    }

    HWND FindOwn(const wchar_t* cls) const {
        struct Search {
            DWORD thread;
            const wchar_t* cls;
            HWND found;
        } s{pi.dwThreadId, cls, nullptr};
        struct Callback {
            static BOOL CALLBACK Visit(HWND hwnd, LPARAM param) {
                auto* search = reinterpret_cast<Search*>(param);
                if (ClassOf(hwnd) != search->cls) return TRUE;
                search->found = hwnd;
                return FALSE;
            }
        };
        EnumThreadWindows(pi.dwThreadId, Callback::Visit, reinterpret_cast<LPARAM>(&s));
        return s.found;
    }

    HWND MessageBoxWindow() const {
        const HWND box = FindOwn(L"#32770");
        return box && IsWindowVisible(box) ? box : nullptr;
    }

    // Waits for the main window to be shown and idle, and finds its controls.
    bool WaitShown() {
        if (!WaitFor([&] {
                main = FindOwn(L"Form1");
                return main && IsWindowVisible(main);
            })) {
            return false;
        }
        std::vector<HWND> children;
        for (HWND c = GetWindow(main, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
        if (children.size() != 5) return false;
        button = children[0];
        label1 = children[1];
        txt1 = children[2];
        label2 = children[3];
        txt2 = children[4];
        return true;
    }

    std::wstring Upper() const { return TextOf(txt1); }
    std::wstring Lower() const { return TextOf(txt2); }
    DWORD Caret() const {
        DWORD_PTR sel = 0;
        SendMessageTimeoutW(txt1, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &sel);
        return LOWORD(sel);
    }
    void Press() const {
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(100, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    }
    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(pi.dwThreadId, &info) ? info.hwndFocus : nullptr;
    }
    bool Ended(DWORD ms = 20000) const { return WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0; }
    DWORD ExitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        return code;
    }
    void Close() const { PostMessageW(main, WM_CLOSE, 0, 0); }
};

void SetScript(const wchar_t* script) {
    SetEnvironmentVariableW(L"TARVIK_STANDIN", script);
}

std::wstring LogPath() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"devicelist-queries-" + std::to_wstring(GetCurrentProcessId()) + L".log";
}

int Queries() {
    int lines = 0;
    if (std::FILE* f = _wfopen(LogPath().c_str(), L"r")) {
        for (int c; (c = std::fgetc(f)) != EOF;) lines += c == '\n';
        std::fclose(f);
    }
    return lines;
}

// Holds the program inside each query until released (see the stand-in).
class Gate {
public:
    Gate() {
        const std::wstring name = L"devicelist-gate-" + std::to_wstring(GetCurrentProcessId());
        SetEnvironmentVariableW(L"TARVIK_STANDIN_GATE", name.c_str());
        queried_.reset(CreateEventW(nullptr, FALSE, FALSE, (name + L".queried").c_str()));
        go_.reset(CreateEventW(nullptr, FALSE, FALSE, (name + L".go").c_str()));
    }
    ~Gate() { SetEnvironmentVariableW(L"TARVIK_STANDIN_GATE", nullptr); }
    bool WaitQueried() { return WaitForSingleObject(queried_.get(), 20000) == WAIT_OBJECT_0; }
    void Release() { SetEvent(go_.get()); }
    bool NoQueryPending() { return WaitForSingleObject(queried_.get(), 0) == WAIT_TIMEOUT; }

private:
    UniqueHandle queried_, go_;
};

PixelRect ClientRectOf(HWND parent, HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void CheckGeometry(const Program& p, int dpi) {
    RECT client;
    GetClientRect(p.main, &client);
    CHECK_EQ(static_cast<int>(client.right), TwipsToPixels(kClientTwips.width, dpi));
    CHECK_EQ(static_cast<int>(client.bottom), TwipsToPixels(kClientTwips.height, dpi));
    const HWND controls[] = {p.button, p.label1, p.txt1, p.label2, p.txt2};
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const PixelRect want = ToPixels(kControls[i].twips, dpi);
        const PixelRect got = ClientRectOf(p.main, controls[i]);
        if (!(got == want)) {
            std::printf("FAIL control %zu at %d dpi: %d,%d %dx%d, want %d,%d %dx%d\n", i, dpi, got.left, got.top,
                        got.width, got.height, want.left, want.top, want.width, want.height);
            ++failures;
        }
    }
    // Centred on the screen's work area, to a pixel of rounding.
    RECT outer;
    GetWindowRect(p.main, &outer);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(MonitorFromWindow(p.main, MONITOR_DEFAULTTOPRIMARY), &mi);
    const long dx = (outer.left - mi.rcWork.left) - (mi.rcWork.right - outer.right);
    const long dy = (outer.top - mi.rcWork.top) - (mi.rcWork.bottom - outer.bottom);
    CHECK(dx >= -1 && dx <= 1);
    CHECK(dy >= -1 && dy <= 1);
}

// ---- scenarios ----

void Present(const Paths& paths) {
    SetScript(nullptr);
    Program p;
    CHECK(p.Start(paths, paths.library, L"present"));
    CHECK(p.WaitShown());
    CHECK(p.MessageBoxWindow() == nullptr);
    CHECK_EQ(TextOf(p.main), L" List of devices");
    CHECK_EQ(TextOf(p.label1), L"c o n n e c t e d   d e v i c e s");
    CHECK_EQ(TextOf(p.label2), L"d i s c o n n e c t e d   d e v i c e s");
    CHECK_EQ(TextOf(p.button), L"Get device list");
    CHECK_EQ(p.Upper(), L"");
    CHECK_EQ(p.Lower(), L"");
    CHECK(WaitFor([&] { return p.Focus() == p.button; }));
    // Tab order: button, upper box, lower box, button; labels never.
    CHECK(GetNextDlgTabItem(p.main, p.button, FALSE) == p.txt1);
    CHECK(GetNextDlgTabItem(p.main, p.txt1, FALSE) == p.txt2);
    CHECK(GetNextDlgTabItem(p.main, p.txt2, FALSE) == p.button);
    const LONG style = GetWindowLongW(p.txt1, GWL_STYLE);
    CHECK((style & ES_MULTILINE) && (style & WS_VSCROLL) && (style & ES_WANTRETURN));
    CHECK(!(style & WS_HSCROLL) && !(style & ES_AUTOHSCROLL) && !(style & ES_READONLY));
    CheckGeometry(p, 96);

    p.Press();
    CHECK(WaitFor([&] { return p.Upper() == L"3, 7, 12, "; }));
    CHECK_EQ(p.Lower(), L"5, 9, ");
    p.Close();
    CHECK(p.Ended());
    CHECK_EQ(static_cast<int>(p.ExitCode()), 0);
}

void Dpi144(const Paths& paths) {
    SetScript(nullptr);
    Program p;
    CHECK(p.Start(paths, paths.library, L"dpi144"));
    CHECK(p.WaitShown());
    CheckGeometry(p, 144);
}

void Missing(const Paths& paths, const std::wstring& library, const wchar_t* name) {
    Program p;
    CHECK(p.Start(paths, library, name));
    HWND box = nullptr;
    CHECK(WaitFor([&] { return (box = p.MessageBoxWindow()) != nullptr; }));
    if (box == nullptr) return;
    CHECK_EQ(TextOf(box), L"error");
    std::wstring message = TextOf(GetDlgItem(box, 0xFFFF));
    std::wstring want(kLibraryMissingMessage.begin(), kLibraryMissingMessage.end());
    CHECK_EQ(message, want);
    CHECK_EQ(static_cast<int>(message.size()), 121);
    const HWND main = p.FindOwn(L"Form1");
    CHECK(main != nullptr && !IsWindowVisible(main));
    CHECK(GetWindow(box, GW_OWNER) == main);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    CHECK(p.WaitShown());
    CHECK(p.MessageBoxWindow() == nullptr);
    CHECK(WaitFor([&] { return p.Caret() == 26; }));
    CHECK_EQ(p.Upper(), L"could not load library\r\n\r\n");
    CHECK_EQ(p.Lower(), L"");
    // A press then says what is missing and the program goes on.
    p.Press();
    const std::wstring notice = L"could not load Tarvik.DLL\r\n\r\n";
    CHECK(WaitFor([&] { return p.Upper() == notice && p.Caret() == notice.size(); }));
    p.Close();
    CHECK(p.Ended());
    CHECK_EQ(static_cast<int>(p.ExitCode()), 0);
}

void MissingScenarios(const Paths& paths) {
    Missing(paths, L"", L"missing");
    // A file of that name that is no library counts as missing.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring junk = std::wstring(temp) + L"devicelist-junk.dll";
    if (std::FILE* f = _wfopen(junk.c_str(), L"wb")) {
        std::fputs("MZ but not a library", f);
        std::fclose(f);
    }
    Missing(paths, junk, L"notlib");
    DeleteFileW(junk.c_str());
}

void NoExport(const Paths& paths) {
    Program p;
    CHECK(p.Start(paths, paths.noExport, L"noexport"));
    CHECK(p.WaitShown());
    CHECK(p.MessageBoxWindow() == nullptr);
    CHECK_EQ(p.Upper(), L"");
    for (int press = 0; press < 2; ++press) {
        p.Press();
        CHECK(WaitFor([&] { return p.Upper() == L"Tarvik.DLL has no function KV_GetRegDevList\r\n\r\n"; }));
        CHECK(WaitFor([&] { return p.Caret() == 47; }));
        SetWindowTextW(p.txt1, L"x");
    }
    p.Close();
    CHECK(p.Ended());
}

void Failures(const Paths& paths) {
    SetEnvironmentVariableW(L"TARVIK_STANDIN_LOG", LogPath().c_str());
    // Press 1: both succeed; press 2: the first fails; press 3: the second fails.
    SetScript(L"2 1 0x8004; 2 1 0x8004; fail; 6 5; fail");
    Program p;
    CHECK(p.Start(paths, paths.library, L"failures"));
    CHECK(p.WaitShown());
    p.Press();
    CHECK(WaitFor([&] { return p.Upper() == L"1, 2, "; }));
    CHECK_EQ(p.Lower(), L"4, ");
    p.Press();
    CHECK(WaitFor([&] { return p.Upper() == L"function call failed\r\n\r\n" && p.Caret() == 24; }));
    CHECK_EQ(p.Lower(), L"4, ");
    CHECK_EQ(Queries(), 3);
    p.Press();
    CHECK(WaitFor([&] { return p.Upper() == L"5, 6, "; }));
    CHECK_EQ(p.Lower(), L"function call failed\r\n\r\n");
    CHECK_EQ(Queries(), 5);
    p.Close();
    CHECK(p.Ended());
    SetEnvironmentVariableW(L"TARVIK_STANDIN_LOG", nullptr);
    DeleteFileW(LogPath().c_str());
}

void PressesDuringPress(const Paths& paths) {
    SetScript(L"3 1 0x8002");
    Program p;
    Gate gate;
    CHECK(p.Start(paths, paths.library, L"presses"));
    CHECK(p.WaitShown());
    p.Press();
    CHECK(gate.WaitQueried());  // first query of the press
    gate.Release();
    CHECK(gate.WaitQueried());  // second query; its ordering pass yields next
    for (int i = 0; i < 1000; ++i) p.Press();
    gate.Release();
    // The thousand presses overtake the running refresh once: it starts
    // again, with two more queries, and writes one list per box.
    CHECK(gate.WaitQueried());
    CHECK_EQ(p.Upper(), L"");
    CHECK_EQ(p.Lower(), L"");
    gate.Release();
    CHECK(gate.WaitQueried());
    gate.Release();
    CHECK(WaitFor([&] { return p.Upper() == L"1, 3, "; }));
    CHECK_EQ(p.Lower(), L"2, ");
    // Only a new press queries again: when it does, the old lists are whole.
    p.Press();
    CHECK(gate.WaitQueried());
    CHECK_EQ(p.Upper(), L"");
    CHECK_EQ(p.Lower(), L"2, ");
    gate.Release();
    CHECK(gate.WaitQueried());
    gate.Release();
    CHECK(WaitFor([&] { return p.Upper() == L"1, 3, "; }));
    CHECK(gate.NoQueryPending());
    p.Close();
    CHECK(p.Ended());
    CHECK_EQ(static_cast<int>(p.ExitCode()), 0);
}

void CloseDuringRefresh(const Paths& paths) {
    SetEnvironmentVariableW(L"TARVIK_STANDIN_LOG", LogPath().c_str());
    SetScript(L"3 1 0x8002");
    Program p;
    Gate gate;
    CHECK(p.Start(paths, paths.library, L"close"));
    CHECK(p.WaitShown());
    p.Press();
    CHECK(gate.WaitQueried());
    gate.Release();
    CHECK(gate.WaitQueried());
    p.Press();  // queued behind the close: must not start anything
    p.Close();
    gate.Release();
    CHECK(p.Ended());
    CHECK_EQ(static_cast<int>(p.ExitCode()), 0);
    CHECK_EQ(Queries(), 2);
    SetEnvironmentVariableW(L"TARVIK_STANDIN_LOG", nullptr);
    DeleteFileW(LogPath().c_str());
}

// The rest of the library fault matrix: each ends as specified, and the
// program neither crashes nor hangs.
void Faults(const Paths& paths) {
    // A library of the other bitness cannot load: reported as missing.
    char other[MAX_PATH] = {};
    const std::wstring otherPath =
        GetEnvironmentVariableA("DEVICELIST_OTHER_BITNESS_DLL", other, MAX_PATH) > 0 ? WinPath(other) : L"";
    if (!otherPath.empty() && GetFileAttributesW(otherPath.c_str()) != INVALID_FILE_ATTRIBUTES) {
        Program p;
        CHECK(p.Start(paths, otherPath, L"otherbits"));
        HWND box = nullptr;
        CHECK(WaitFor([&] { return (box = p.MessageBoxWindow()) != nullptr; }));
        if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
        CHECK(p.WaitShown());
        CHECK(WaitFor([&] { return p.Upper() == L"could not load library\r\n\r\n"; }));
        p.Close();
        CHECK(p.Ended());
        CHECK_EQ(static_cast<int>(p.ExitCode()), 0);
    } else {
        std::printf("faults: no library of the other bitness built; that case not run\n");
    }
    // A zero low byte is a failure whatever the upper bytes hold; an answer
    // that changes between the two queries shows in each box as answered.
    SetScript(L"status=0x100 1 2; status=0xABCDEF01 3 0x8009; 9 0x8003");
    Program p;
    CHECK(p.Start(paths, paths.library, L"faults"));
    CHECK(p.WaitShown());
    p.Press();
    CHECK(WaitFor([&] { return p.Upper() == L"function call failed\r\n\r\n" && p.Caret() == 24; }));
    CHECK_EQ(p.Lower(), L"");
    p.Press();
    CHECK(WaitFor([&] { return p.Upper() == L"3, "; }));
    CHECK_EQ(p.Lower(), L"3, ");
    p.Close();
    CHECK(p.Ended());
    CHECK_EQ(static_cast<int>(p.ExitCode()), 0);
}

// A hundred closes while a refresh runs: each time the program ends with
// exit code 0 and its window does not come back.
void Closes(const Paths& paths) {
    SetScript(L"32 31 30 29 28 27 26 25 24 23 0x8001 0x8002 0x8003 0x8004");
    for (int round = 0; round < 100 && failures == 0; ++round) {
        Program p;
        CHECK(p.Start(paths, paths.library, L"closes"));
        CHECK(p.WaitShown());
        p.Press();
        p.Close();
        CHECK(p.Ended());
        CHECK_EQ(static_cast<int>(p.ExitCode()), 0);
        CHECK(p.FindOwn(L"Form1") == nullptr);
    }
}

bool UnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

constexpr int kSkipped = 77;

// A Tarvik.DLL in the folder the program is started from must not load.
// Windows only: Wine ignores SetDllDirectoryW(L""), so there the current
// folder stays searched and this check cannot pass.
int Planted(const Paths& paths) {
    if (UnderWine()) {
        std::printf("planted: skipped under Wine, which ignores SetDllDirectoryW(L\"\")\n");
        return kSkipped;
    }
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring cwd = std::wstring(temp) + L"devicelist-planted-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(cwd.c_str(), nullptr);
    const std::wstring planted = cwd + L"\\Tarvik.DLL";
    CHECK(CopyFileW(paths.library.c_str(), planted.c_str(), FALSE));
    {
        Program p;
        CHECK(p.Start(paths, L"", L"planted", cwd));
        CHECK(WaitFor([&] { return p.MessageBoxWindow() != nullptr; }));
    }
    DeleteFileW(planted.c_str());
    RemoveDirectoryW(cwd.c_str());
    return 0;
}

// Real X input through xdotool, which Wine runs as a Unix program. Wine
// gives no usable wait on such a process, so every step is followed by a
// wait for the state it brings about.
bool Xdotool(const std::wstring& args) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"/usr/bin/xdotool " + args;
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::printf("xdotool did not start: error %lu\n", GetLastError());
        return false;
    }
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return true;
}

void Keyboard(const Paths& paths) {
    SetEnvironmentVariableW(L"TARVIK_STANDIN_LOG", LogPath().c_str());
    SetScript(nullptr);
    Program p;
    CHECK(p.Start(paths, paths.library, L"keyboard"));
    CHECK(p.WaitShown());
    CHECK(Xdotool(L"search --name \"^ List of devices$\" windowfocus"));
    CHECK(WaitFor([&] { return p.Focus() == p.button; }));
    const HWND cycle[] = {p.txt1, p.txt2, p.button, p.txt1};
    for (HWND next : cycle) {
        CHECK(Xdotool(L"key Tab"));
        CHECK(WaitFor([&] { return p.Focus() == next; }));
    }
    // Typing and Enter edit the box; Enter presses nothing.
    CHECK(Xdotool(L"type ab"));
    CHECK(WaitFor([&] { return p.Upper() == L"ab"; }));
    CHECK(Xdotool(L"key Return"));
    CHECK(WaitFor([&] { return p.Upper() == L"ab\r\n"; }));
    CHECK(Xdotool(L"type c"));
    CHECK(WaitFor([&] { return p.Upper() == L"ab\r\nc"; }));
    CHECK(Xdotool(L"key Tab"));
    CHECK(WaitFor([&] { return p.Focus() == p.txt2; }));
    CHECK(Xdotool(L"key Return"));
    CHECK(WaitFor([&] { return p.Lower() == L"\r\n"; }));
    CHECK_EQ(Queries(), 0);
    // Space on the focused button presses it.
    CHECK(Xdotool(L"key Tab"));
    CHECK(WaitFor([&] { return p.Focus() == p.button; }));
    CHECK(Xdotool(L"key space"));
    CHECK(WaitFor([&] { return p.Upper() == L"3, 7, 12, "; }));
    CHECK_EQ(Queries(), 2);
    p.Close();
    CHECK(p.Ended());
    SetEnvironmentVariableW(L"TARVIK_STANDIN_LOG", nullptr);
    DeleteFileW(LogPath().c_str());
}

// Writes the screen under rect as a 24-bit BMP.
bool SaveScreen(const RECT& r, const wchar_t* path) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap && bits) {
        const HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        SelectObject(memory, old);
        const DWORD size = static_cast<DWORD>(((w * 3 + 3) & ~3) * h);
        BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader + size), 0, 0,
                            static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader)};
        if (std::FILE* f = _wfopen(path, L"wb")) {
            ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f) == 1 &&
                 std::fwrite(bits, size, 1, f) == 1;
            std::fclose(f);
        }
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

// Not a test: opens the demo, presses, prints both boxes, saves a picture of
// the window to DEVICELIST_SHOT (a .bmp path) if set, and closes.
void Demo(const Paths& paths) {
    SetScript(nullptr);
    Program p;
    CHECK(p.Start(paths, paths.library, L"demo"));
    CHECK(p.WaitShown());
    p.Press();
    CHECK(WaitFor([&] { return !p.Upper().empty() && !p.Lower().empty(); }));
    std::printf("connected devices:    %s\ndisconnected devices: %s\n", Show(p.Upper()).c_str(),
                Show(p.Lower()).c_str());
    wchar_t shot[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"DEVICELIST_SHOT", shot, MAX_PATH) > 0) {
        RedrawWindow(p.main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(p.main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        RECT r;
        GetWindowRect(p.main, &r);
        CHECK(SaveScreen(r, shot));
    }
    p.Close();
    CHECK(p.Ended());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::printf("usage: driver SCENARIO DeviceList.exe Tarvik.DLL NoExport.DLL\n");
        return 2;
    }
    const Paths paths{WinPath(argv[2]), WinPath(argv[3]), WinPath(argv[4])};
    const std::string scenario = argv[1];
    const struct {
        const char* name;
        void (*run)(const Paths&);
    } scenarios[] = {
        {"present", Present},
        {"dpi144", Dpi144},
        {"missing", MissingScenarios},
        {"noexport", NoExport},
        {"failures", Failures},
        {"presses", PressesDuringPress},
        {"close", CloseDuringRefresh},
        {"keyboard", Keyboard},
        {"demo", Demo},
        {"faults", Faults},
        {"closes", Closes},
    };
    if (scenario == "planted") {
        const int skipped = Planted(paths);
        if (skipped) return skipped;
        std::printf("planted: %s\n", failures == 0 ? "passed" : "FAILED");
        return failures == 0 ? 0 : 1;
    }
    for (const auto& s : scenarios) {
        if (scenario != s.name) continue;
        s.run(paths);
        std::printf("%s: %s\n", s.name, failures == 0 ? "passed" : "FAILED");
        return failures == 0 ? 0 : 1;
    }
    std::printf("unknown scenario %s\n", argv[1]);
    return 2;
}
