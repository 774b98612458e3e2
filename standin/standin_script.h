#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "devices/device_table.h"

// One scripted answer of the stand-in library.
struct StandinAnswer {
    std::uint32_t status = 1;  // the whole return register; callers read its low byte
    bool writesTable = true;
    DeviceTable table;
};

struct StandinScript {
    std::vector<StandinAnswer> answers;
    std::string error;  // empty when the text parsed
};

// Answers are separated by ';'. Each is "fail" (zero status, table left
// alone) or up to 33 slot values separated by blanks or commas, decimal
// (-32768 to 65535) or 0x hex (up to 0xFFFF), optionally led by
// "status=N" to set the whole 32-bit return value.
StandinScript ParseStandinScript(std::string_view text);

// The table answered when no script is configured.
StandinAnswer DemoAnswer();
