#include "device_lib_ok.h"

bool DeviceLibOK = false;
