#pragma once

#include <cstdint>
#include <functional>

#include "device_table.h"

// Device numbers picked out of one table, packed from slot 0 in slot order.
struct Selection {
    std::array<std::int16_t, kTableSlots> picked{};
    std::uint8_t pickCount = 0;
};

Selection SelectConnected(const DeviceTable& table);
Selection SelectDisconnected(const DeviceTable& table);

// Called after every step of the ordering pass; returns false to abandon it.
using YieldFn = std::function<bool()>;

// Sorts sel.picked into ascending order in place, using `buffer` as the
// descending buffer, and yields after each step. Returns false when a yield
// asked to stop; sel is then left half-sorted and must not be listed.
bool OrderingPass(Selection& sel, DeviceTable& buffer, const YieldFn& yield);
