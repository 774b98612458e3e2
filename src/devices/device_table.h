#pragma once

#include <array>
#include <cstdint>

// The record the device library fills in place: 33 packed signed 16-bit
// slots. Only slots 0 to 31 are ever read; slot 32 belongs to the library.
inline constexpr int kTableSlots = 33;
inline constexpr int kExaminedSlots = 32;

struct DeviceTable {
    std::array<std::int16_t, kTableSlots> slot{};
};

static_assert(sizeof(DeviceTable) == 66, "the library expects 66 packed bytes");

// Slot encoding: positive = connected device, top bit set = disconnected
// device whose number is the low 15 bits, zero = empty.
inline constexpr std::uint16_t kDisconnectedBit = 0x8000;
inline constexpr std::uint16_t kDeviceNumberMask = 0x7FFF;
