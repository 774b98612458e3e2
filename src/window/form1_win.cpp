#include "form1_win.h"

#include "dpi_win.h"
#include "support/device_support.h"

Form1Window Form1;

namespace {

struct ControlClass {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
};

constexpr DWORD kBoxStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_LEFT;
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;

ControlClass ClassOf(Control control) {
    switch (control) {
        case Control::Command1:
            return {L"BUTTON", L"Get device list", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0};
        case Control::Label1:
            return {L"STATIC", L"c o n n e c t e d   d e v i c e s", kLabelStyle, 0};
        case Control::Label2:
            return {L"STATIC", L"d i s c o n n e c t e d   d e v i c e s", kLabelStyle, 0};
        case Control::TxtMsgDisplay:
        case Control::TxtMsgDisplay2:
            break;
    }
    return {L"EDIT", L"", kBoxStyle, WS_EX_CLIENTEDGE};
}

}  // namespace

bool Form1Window::Create(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc)) return false;

    // Created on the primary screen, so its first DPI is that screen's.
    CreateWindowExW(kExStyle, kClassName, kCaption, kStyle, 0, 0, 100, 100, nullptr, nullptr, instance, this);
    return hwnd_ != nullptr;
}

void Form1Window::Form_Load() {
    CheckDeviceLibrary();
    if (DeviceLibOK) return;
    std::wstring text = ReadText(Box::Connected);
    text += L"could not load library\r\n\r\n";
    WriteText(Box::Connected, text);
    ScrollDisplay("down");
}

void Form1Window::Show(int showCommand) {
    const int width = TwipsToPixels(kClientTwips.width, static_cast<int>(dpi_));
    const int height = TwipsToPixels(kClientTwips.height, static_cast<int>(dpi_));
    const RECT outer = OuterRectForClient(width, height, kStyle, kExStyle, dpi_);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int outerWidth = outer.right - outer.left;
    const int outerHeight = outer.bottom - outer.top;
    const int x = work.left + ((work.right - work.left) - outerWidth) / 2;
    const int y = work.top + ((work.bottom - work.top) - outerHeight) / 2;
    SetWindowPos(hwnd_, nullptr, x, y, outerWidth, outerHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd_, showCommand);
    SetFocus(Item(Control::Command1));
}

int Form1Window::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
    return static_cast<int>(msg.wParam);
}

void Form1Window::Dispatch(MSG& msg) {
    // Dialog navigation (Tab) stays on during a refresh as well.
    if (hwnd_ != nullptr && IsDialogMessageW(hwnd_, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

bool Form1Window::DoEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave it for the main loop, which ends the program.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        Dispatch(msg);
    }
    return hwnd_ != nullptr;
}

HWND Form1Window::BoxHandle(Box box) const {
    return Item(box == Box::Connected ? Control::TxtMsgDisplay : Control::TxtMsgDisplay2);
}

std::wstring Form1Window::ReadText(Box box) {
    const HWND edit = BoxHandle(box);
    if (edit == nullptr) return {};
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    const int copied = GetWindowTextW(edit, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void Form1Window::WriteText(Box box, const std::wstring& text) {
    if (const HWND edit = BoxHandle(box)) SetWindowTextW(edit, text.c_str());
}

void Form1Window::ScrollDisplay(std::string_view command) {
    ::ScrollDisplay(command);
}

void Form1Window::Command1_Click() {
    refresh_.Command1_Click();
}

LRESULT CALLBACK Form1Window::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Form1Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->items_.fill(nullptr);
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return self->HandleMessage(msg, wParam, lParam);
}

LRESULT Form1Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            return OnCreate();
        case WM_COMMAND:
            OnCommand(wParam);
            return 0;
        case WM_NEXTDLGCTL:
            OnNextDlgCtl(wParam, lParam);
            return 0;
        case WM_ACTIVATE:
            if (OnActivate(wParam)) return 0;
            return DefWindowProcW(hwnd_, msg, wParam, lParam);
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd_, msg, wParam, lParam);
    }
}

LRESULT Form1Window::OnCreate() {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
    for (const ControlSpec& entry : kControls) {
        const ControlClass cls = ClassOf(entry.control);
        const auto id = entry.control == Control::Command1 ? kCommand1Id : 200 + static_cast<int>(entry.control);
        const HWND item = CreateWindowExW(cls.exStyle, cls.className, cls.text, cls.style, 0, 0, 0, 0, hwnd_,
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        if (item == nullptr) return -1;
        items_[static_cast<std::size_t>(entry.control)] = item;
    }
    for (const Control box : {Control::TxtMsgDisplay, Control::TxtMsgDisplay2}) {
        SendMessageW(Item(box), EM_SETLIMITTEXT, 0, 0);
    }
    ApplyDpi(WindowDpi(hwnd_));
    return 0;
}

void Form1Window::OnCommand(WPARAM wParam) {
    if (LOWORD(wParam) == kCommand1Id && HIWORD(wParam) == BN_CLICKED) Command1_Click();
}

void Form1Window::OnDpiChanged(UINT dpi, const RECT& suggested) {
    ApplyDpi(dpi);
    // Keep the suggested place, but size the client area exactly from twips.
    const RECT outer =
        OuterRectForClient(TwipsToPixels(kClientTwips.width, static_cast<int>(dpi)),
                           TwipsToPixels(kClientTwips.height, static_cast<int>(dpi)), kStyle, kExStyle, dpi);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1Window::ApplyDpi(UINT dpi) {
    dpi_ = dpi;
    UniqueFont font(CreateMessageFont(dpi));
    for (const ControlSpec& entry : kControls) {
        const HWND item = Item(entry.control);
        const PixelRect px = ToPixels(entry.twips, static_cast<int>(dpi));
        MoveWindow(item, px.left, px.top, px.width, px.height, TRUE);
        if (font) SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    }
    // The controls hold the new font now; the old one may go.
    if (font) font_ = std::move(font);
}

void Form1Window::OnNextDlgCtl(WPARAM wParam, LPARAM lParam) {
    // A multi-line edit asks its parent to move on at Tab; only dialog
    // procedures answer that by themselves.
    HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                 : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0 ? TRUE : FALSE);
    if (target == nullptr) return;
    SetFocus(target);
    if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
}

bool Form1Window::OnActivate(WPARAM wParam) {
    // Give the focus back to the control that had it, as a dialog does.
    if (LOWORD(wParam) == WA_INACTIVE) {
        focusOnDeactivate_ = GetFocus();
        return false;
    }
    if (focusOnDeactivate_ == nullptr || !IsChild(hwnd_, focusOnDeactivate_)) return false;
    SetFocus(focusOnDeactivate_);
    return true;
}
