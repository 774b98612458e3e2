#include <gtest/gtest.h>

#include <numeric>

#include "devices/device_order.h"
#include "fake_window.h"
#include "support/device_lib_ok.h"

namespace {

DeviceTable Ascending(std::uint16_t first, int count, std::uint16_t flag = 0) {
    DeviceTable t;
    for (int i = 0; i < count; ++i) t.slot[i] = static_cast<std::int16_t>((first + i) | flag);
    return t;
}

struct ListCase {
    const char* name;
    DeviceTable table;
    std::wstring connected;
    std::wstring disconnected;
};

std::wstring Numbers(int from, int to) {
    std::wstring s;
    for (int n = from; n <= to; ++n) s += std::to_wstring(n) + L", ";
    return s;
}

class ListTest : public testing::TestWithParam<ListCase> {};

TEST_P(ListTest, PressListsBothBoxes) {
    const ListCase& c = GetParam();
    FakeWindow window;
    window.text[0] = L"old upper";
    window.text[1] = L"old lower";
    FakeQuery query;
    query.answers = {{1, c.table, {}}};
    DeviceRefresh refresh(window, query);

    refresh.Command1_Click();

    EXPECT_EQ(window.text[0], c.connected);
    EXPECT_EQ(window.text[1], c.disconnected);
    EXPECT_EQ(query.calls, 2);
    EXPECT_TRUE(DeviceLibOK);
}

DeviceTable Descending(int n, int top = 100) {
    DeviceTable t;
    for (int i = 0; i < n; ++i) t.slot[i] = static_cast<std::int16_t>(top - i);
    return t;
}

DeviceTable OnlySlot32() {
    DeviceTable t;
    t.slot[32] = 9;
    return t;
}

DeviceTable FullWithRepeat() {
    DeviceTable t = Ascending(2, 30);  // 2..31
    t.slot[30] = 1;
    t.slot[31] = 1;
    return t;
}

DeviceTable DisconnectedWithEmptyNumber() {
    DeviceTable t = Ascending(1, 32, 0x8000);
    t.slot[5] = static_cast<std::int16_t>(0x8000);
    return t;
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ListTest,
    testing::Values(ListCase{"AllZero", Table({}), L"", L""},
                    ListCase{"OrderByValueNotSlot", Table({7, 3, 5}), L"3, 5, 7, ", L""},
                    ListCase{"RepeatsAllListed", Table({5, 5, 3}), L"3, 5, 5, ", L""},
                    ListCase{"GapsChangeNothing", Table({3, 0, 0, 5, 0, 1}), L"1, 3, 5, ", L""},
                    ListCase{"Slot32NeverRead", OnlySlot32(), L"", L""},
                    ListCase{"MixedTableSplits", Table({4, 0x8002, 1, 0x8007}), L"1, 4, ", L"2, 7, "},
                    ListCase{"Extremes", Table({0x7FFF, 0xFFFF, 0x8000, 0x8001}), L"32767, ", L"1, 32767, "},
                    ListCase{"EmptyNumberBesideOthers", Table({0x8003, 0x8000, 0x8001}), L"", L"1, 3, "},
                    ListCase{"ThirtyOneConnected", Ascending(1, 31), Numbers(1, 31), L""},
                    // A full table lists all 32: none is dropped from the reverse copy.
                    ListCase{"AllThirtyTwoConnected", Ascending(1, 32), Numbers(1, 32), L""},
                    ListCase{"FullTableWithRepeatedSmallest", FullWithRepeat(), L"1, 1, " + Numbers(2, 31), L""},
                    ListCase{"AllThirtyTwoDisconnected", Ascending(1, 32, 0x8000), L"", Numbers(1, 32)},
                    ListCase{"FullDisconnectedWithEmptyNumber", DisconnectedWithEmptyNumber(), L"",
                             Numbers(1, 5) + Numbers(7, 32)},
                    ListCase{"DescendingSlots", Descending(32, 32), Numbers(1, 32), L""}),
    ByName());

struct YieldCase {
    const char* name;
    DeviceTable table;
    int yields;
};

class YieldTest : public testing::TestWithParam<YieldCase> {};

// The pass yields once per step and ends at the first step that finds
// nothing left, without yielding there.
TEST_P(YieldTest, OneYieldPerStep) {
    const YieldCase& c = GetParam();
    Selection sel = SelectConnected(c.table);
    DeviceTable buffer = c.table;
    int yields = 0;
    ASSERT_TRUE(OrderingPass(sel, buffer, [&] { return ++yields, true; }));
    EXPECT_EQ(yields, c.yields);
}

INSTANTIATE_TEST_SUITE_P(Tables, YieldTest,
                         testing::Values(YieldCase{"Empty", Table({}), 0}, YieldCase{"One", Table({9}), 1},
                                         YieldCase{"FiveDescending", Descending(5), 5},
                                         YieldCase{"FiveAscending", Ascending(1, 5), 32 * 4 + 1},
                                         YieldCase{"ThirtyTwoDescending", Descending(32), 32},
                                         YieldCase{"ThirtyTwoAscending", Ascending(1, 32), 993}),
                         ByName());

TEST(OrderingPass, StopsAtTheYieldThatAsksAndLeavesNothingToList) {
    Selection sel = SelectConnected(Table({1, 2, 3}));
    DeviceTable buffer;
    int yields = 0;
    EXPECT_FALSE(OrderingPass(sel, buffer, [&] { return ++yields < 2; }));
    EXPECT_EQ(yields, 2);
}

TEST(OrderingPass, LeavesBufferNonIncreasingAndSlot32Untouched) {
    DeviceTable table = Table({4, 9, 4, 1});
    table.slot[32] = 77;
    Selection sel = SelectConnected(table);
    ASSERT_TRUE(OrderingPass(sel, table, [] { return true; }));
    EXPECT_EQ(table.slot[0], 9);
    EXPECT_EQ(table.slot[1], 4);
    EXPECT_EQ(table.slot[2], 4);
    EXPECT_EQ(table.slot[3], 1);
    EXPECT_EQ(table.slot[4], 0);
    EXPECT_EQ(table.slot[32], 77);
    EXPECT_EQ(sel.pickCount, 4);
}

}  // namespace
