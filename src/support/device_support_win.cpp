#include "device_support_win.h"

#include <string>

#include "window/form1_win.h"

HMODULE hDeviceLib = nullptr;

void ShowMessage(std::string_view message, std::string_view caption) {
    const std::string text(message);
    const std::string title(caption);
    MessageBoxA(Form1.Handle(), text.c_str(), title.c_str(), MB_OK);
}

void ScrollDisplay(std::string_view command) {
    if (command != "down") return;
    const HWND box = Form1.TxtMsgDisplay();
    if (box == nullptr) return;
    const int n = GetWindowTextLengthW(box);
    SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(n), static_cast<LPARAM>(n));
    SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

void CheckDeviceLibrary() {
    hDeviceLib = LoadLibraryA(kDeviceLibraryName);
    if (hDeviceLib != nullptr) {
        DeviceLibOK = true;
        return;
    }
    ShowMessage(kLibraryMissingMessage, "error");
    DeviceLibOK = false;
}
