#include "dpi_win.h"

#include "support/win_util.h"

namespace {

HMODULE User32() {
    return GetModuleHandleW(L"user32.dll");
}

UINT SystemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : USER_DEFAULT_SCREEN_DPI;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

UINT WindowDpi(HWND hwnd) {
    using Fn = UINT(WINAPI*)(HWND);
    static const Fn getDpiForWindow = GetProcAddressAs<Fn>(User32(), "GetDpiForWindow");
    const UINT dpi = getDpiForWindow ? getDpiForWindow(hwnd) : 0;
    return dpi != 0 ? dpi : SystemDpi();
}

RECT OuterRectForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi) {
    using Fn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const Fn adjustForDpi = GetProcAddressAs<Fn>(User32(), "AdjustWindowRectExForDpi");
    RECT rect{0, 0, clientWidth, clientHeight};
    if (!adjustForDpi || !adjustForDpi(&rect, style, FALSE, exStyle, dpi)) {
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
    return rect;
}

HFONT CreateMessageFont(UINT dpi) {
    using Fn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    static const Fn spiForDpi = GetProcAddressAs<Fn>(User32(), "SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (spiForDpi && spiForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        return CreateFontIndirectW(&metrics.lfMessageFont);
    }
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        metrics.lfMessageFont.lfHeight =
            MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
        return CreateFontIndirectW(&metrics.lfMessageFont);
    }
    return nullptr;
}
