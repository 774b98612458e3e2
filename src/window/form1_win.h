#pragma once

#include <windows.h>

#include <array>

#include "devices/device_refresh.h"
#include "layout.h"
#include "support/device_library_win.h"
#include "support/win_util.h"

// The one window. It lives for the whole process (a refresh may still be on
// the stack when the window is destroyed), so it is a global, not a heap
// object tied to the HWND.
class Form1Window final : public DeviceWindow {
public:
    static constexpr wchar_t kClassName[] = L"Form1";
    static constexpr wchar_t kCaption[] = L" List of devices";
    static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    static constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

    // Creates the hidden window with its controls.
    bool Create(HINSTANCE instance);
    void Form_Load();
    // Shows the window centred on its screen with the focus on Command1.
    void Show(int showCommand);
    // The main message loop; returns the exit code.
    int Run();

    HWND Handle() const { return hwnd_; }
    HWND TxtMsgDisplay() const { return Item(Control::TxtMsgDisplay); }

    std::wstring ReadText(Box box) override;
    void WriteText(Box box, const std::wstring& text) override;
    bool DoEvents() override;
    void ScrollDisplay(std::string_view command) override;

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnCreate();
    void OnCommand(WPARAM wParam);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnNextDlgCtl(WPARAM wParam, LPARAM lParam);
    bool OnActivate(WPARAM wParam);

    void Command1_Click();
    void Dispatch(MSG& msg);
    void ApplyDpi(UINT dpi);
    HWND Item(Control control) const { return items_[static_cast<std::size_t>(control)]; }
    HWND BoxHandle(Box box) const;

    HWND hwnd_ = nullptr;
    std::array<HWND, kControls.size()> items_{};
    HWND focusOnDeactivate_ = nullptr;
    UniqueFont font_;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    LibraryQuery query_;
    DeviceRefresh refresh_{*this, query_};
};

extern Form1Window Form1;

inline constexpr int kCommand1Id = 100;
