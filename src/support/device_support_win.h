#pragma once

#include <windows.h>

#include "device_support.h"

// The module handle of the presence check; zero when the load failed. The
// library is never released.
extern HMODULE hDeviceLib;
