#include "device_order.h"

namespace {

bool AnyLeft(const Selection& sel) {
    for (int x = 0; x < kExaminedSlots; ++x) {
        if (sel.picked[x] > 0) return true;
    }
    return false;
}

std::uint8_t CountGreater(const Selection& sel, std::int16_t m) {
    std::uint8_t greater = 0;
    for (int x = 0; x < kExaminedSlots; ++x) {
        if (sel.picked[x] > m) ++greater;
    }
    return greater;
}

void Pick(Selection& sel, std::int16_t number) {
    sel.picked[sel.pickCount] = number;
    ++sel.pickCount;
}

}  // namespace

Selection SelectConnected(const DeviceTable& table) {
    Selection sel;
    for (int i = 0; i < kExaminedSlots; ++i) {
        if (table.slot[i] > 0) Pick(sel, table.slot[i]);
    }
    return sel;
}

Selection SelectDisconnected(const DeviceTable& table) {
    Selection sel;
    for (int i = 0; i < kExaminedSlots; ++i) {
        const auto raw = static_cast<std::uint16_t>(table.slot[i]);
        // 0x8000 selects number 0: it takes a slot but is never listed.
        if (raw & kDisconnectedBit) Pick(sel, static_cast<std::int16_t>(raw & kDeviceNumberMask));
    }
    return sel;
}

bool OrderingPass(Selection& sel, DeviceTable& buffer, const YieldFn& yield) {
    for (int i = 0; i < kExaminedSlots; ++i) buffer.slot[i] = 0;
    std::uint8_t descCount = 0;

    // Each step moves a maximum if slot i holds one; repeats go one per step.
    for (;;) {
        bool swept = false;
        for (int i = 0; i < kExaminedSlots; ++i) {
            if (!AnyLeft(sel)) {
                swept = true;
                break;
            }
            const std::int16_t m = sel.picked[i];
            if (m > 0 && CountGreater(sel, m) == 0) {
                buffer.slot[descCount] = m;
                ++descCount;
                sel.picked[i] = 0;
            }
            if (!yield()) return false;
        }
        if (swept) break;
    }

    for (int n = 0; n < kExaminedSlots; ++n) sel.picked[n] = 0;
    sel.pickCount = 0;
    // All 32 slots of the buffer, so that a full table loses no device.
    for (int n = 0; n < kExaminedSlots; ++n) {
        const std::int16_t v = buffer.slot[kExaminedSlots - 1 - n];
        if (v > 0) Pick(sel, v);
    }
    return true;
}
