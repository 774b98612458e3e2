#pragma once

#include <windows.h>

// Per-monitor DPI helpers. The DPI entry points are looked up at run time,
// so the program still starts where they are missing (it then uses the
// system DPI).
UINT WindowDpi(HWND hwnd);
RECT OuterRectForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi);
// The system's message font, sized for dpi.
HFONT CreateMessageFont(UINT dpi);
