#pragma once

#include <string_view>

#include "device_lib_ok.h"

inline constexpr char kDeviceLibraryName[] = "Tarvik.DLL";

// The start-up error report: six pieces, single line feeds, 121 characters.
inline constexpr std::string_view kLibraryMissingMessage =
    "ERROR finding Tarvik.DLL"
    "\n\n\n"
    "Locate and place file in Windows directory, or"
    "\n\n"
    "same directory as application and try again."
    "\n\n";
static_assert(kLibraryMissingMessage.size() == 121);

// Modal message box owned by Form1, one OK button.
void ShowMessage(std::string_view message, std::string_view caption);
// "down" puts the caret of txtMsgDisplay behind its last character; any other
// word does nothing.
void ScrollDisplay(std::string_view command);
// Loads Tarvik.DLL once at start-up and reports its absence.
void CheckDeviceLibrary();
