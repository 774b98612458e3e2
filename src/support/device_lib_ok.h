#pragma once

// Outcome of the start-up presence check, then of each press's last query.
extern bool DeviceLibOK;
