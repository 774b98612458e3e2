// The core against an independent model: a plain sort of the selected
// numbers, over random tables and the edges that matter.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "devices/device_order.h"

namespace {

std::vector<int> Model(const DeviceTable& t, bool connected) {
    std::vector<int> numbers;
    for (int i = 0; i < kExaminedSlots; ++i) {
        const int v = t.slot[i];
        if (connected && v > 0) numbers.push_back(v);
        if (!connected && v < 0 && (v & 0x7FFF) != 0) numbers.push_back(v & 0x7FFF);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::vector<int> Core(const DeviceTable& t, bool connected) {
    Selection sel = connected ? SelectConnected(t) : SelectDisconnected(t);
    DeviceTable buffer = t;
    EXPECT_TRUE(OrderingPass(sel, buffer, [] { return true; }));
    std::vector<int> numbers;
    for (int n = 0; n < kExaminedSlots && sel.picked[n] != 0; ++n) numbers.push_back(sel.picked[n]);
    return numbers;
}

TEST(ReferenceModel, RandomAndEdgeTablesMatchAPlainSort) {
    std::mt19937 rng(20261211);
    std::vector<DeviceTable> tables;
    // Every 16-bit value stands in some slot of some table.
    for (int v = 0; v <= 0xFFFF; v += 32) {
        DeviceTable t;
        for (int i = 0; i < kTableSlots; ++i) t.slot[i] = static_cast<std::int16_t>(v + i);
        tables.push_back(t);
    }
    tables.push_back(DeviceTable{});  // all empty
    for (int kind = 0; tables.size() < 100000; ++kind) {
        DeviceTable t;
        const int filled = static_cast<int>(rng() % 33);
        for (int i = 0; i < filled; ++i) {
            std::uint16_t v = static_cast<std::uint16_t>(rng());
            if (kind % 4 == 1) v = static_cast<std::uint16_t>(1 + rng() % 4);         // many repeats
            if (kind % 4 == 2) v = static_cast<std::uint16_t>(0x8000 | (rng() % 4));  // repeats and 0x8000
            t.slot[i] = static_cast<std::int16_t>(v);
        }
        if (kind % 5 == 0) {  // all 32 selected
            for (int i = 0; i < kExaminedSlots; ++i) t.slot[i] = static_cast<std::int16_t>(1 + rng() % 0x7FFF);
        }
        std::shuffle(t.slot.begin(), t.slot.begin() + kExaminedSlots, rng);
        t.slot[32] = static_cast<std::int16_t>(rng());  // never read
        tables.push_back(t);
    }
    int mismatches = 0;
    for (const DeviceTable& t : tables) {
        for (const bool connected : {true, false}) {
            if (Core(t, connected) != Model(t, connected) && ++mismatches <= 5) {
                ADD_FAILURE() << "mismatch, connected=" << connected << ", slot 0 = " << t.slot[0];
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(tables.size(), 100000u);
}

}  // namespace
