#include <gtest/gtest.h>

#include "fake_window.h"
#include "support/device_lib_ok.h"

namespace {

const std::wstring kFailed = L"function call failed\r\n\r\n";

struct Press {
    FakeWindow window;
    FakeQuery query;
    DeviceRefresh refresh{window, query};

    explicit Press(std::vector<Answer> answers) {
        window.text[0] = L"old upper";
        window.text[1] = L"old lower";
        query.answers = std::move(answers);
    }
};

TEST(Refresh, FirstQueryFails) {
    Press p({{0, Table({1, 2}), {}}});
    DeviceLibOK = true;
    p.refresh.Command1_Click();
    EXPECT_EQ(p.window.text[0], kFailed);
    EXPECT_EQ(p.window.caret, 24u);
    EXPECT_EQ(p.window.text[1], L"old lower");
    EXPECT_EQ(p.query.calls, 1);
    EXPECT_FALSE(DeviceLibOK);
}

TEST(Refresh, SecondQueryFailsButConnectedListFollows) {
    Press p({{1, Table({5, 0x8001, 2}), {}}, {0, Table({}), {}}});
    p.refresh.Command1_Click();
    EXPECT_EQ(p.window.text[1], kFailed);
    EXPECT_EQ(p.window.text[0], L"2, 5, ");
    // The upper box's caret moved while that box was still empty.
    EXPECT_EQ(p.window.caret, 0u);
    EXPECT_EQ(p.query.calls, 2);
    EXPECT_FALSE(DeviceLibOK);
}

TEST(Refresh, FailureIgnoresWhateverTheLibraryWrote) {
    // The library fills the tables and still answers zero for the second.
    Press p({{1, Table({3}), {}}, {0, Table({4, 0x8005}), {}}});
    p.refresh.Command1_Click();
    EXPECT_EQ(p.window.text[0], L"3, ");
    EXPECT_EQ(p.window.text[1], kFailed);
}

TEST(Refresh, EachListComesFromItsOwnQuery) {
    // Device 3 connected at the first query, disconnected at the second: it
    // shows in both boxes; device 8 only in neither.
    Press p({{1, Table({3, 0x8008}), {}}, {1, Table({8, 0x8003}), {}}});
    p.refresh.Command1_Click();
    EXPECT_EQ(p.window.text[0], L"3, ");
    EXPECT_EQ(p.window.text[1], L"3, ");
    EXPECT_TRUE(DeviceLibOK);
}

TEST(Refresh, EachNumberIsOneReadAndOneWrite) {
    Press p({{1, Table({1, 2, 3, 0x8004}), {}}});
    p.refresh.Command1_Click();
    EXPECT_EQ(p.window.writes[0], 1 + 3);  // emptied, then one write per number
    EXPECT_EQ(p.window.writes[1], 1 + 1);
}

TEST(Refresh, TextTypedDuringAYieldStaysInFront) {
    // Yields 1-2 order the lower list, 3-4 the upper one.
    Press p({{1, Table({2, 1, 0x8002, 0x8001}), {}}});
    p.window.onYield = [&](int n) {
        if (n == 1) p.window.text[1] += L"typed\r\n";
        if (n == 2) p.window.text[0] += L"early ";
        if (n == 4) p.window.text[0] += L"late ";
    };
    p.refresh.Command1_Click();
    EXPECT_EQ(p.window.text[1], L"typed\r\n1, 2, ");
    EXPECT_EQ(p.window.text[0], L"early late 1, 2, ");
}

TEST(Refresh, UnboundLibraryIsReportedAndRetriedAtTheNextPress) {
    Press p({{0, Table({}), L"could not load Tarvik.DLL"}, {1, Table({6, 0x8002}), {}}});
    DeviceLibOK = true;
    p.refresh.Command1_Click();
    EXPECT_EQ(p.window.text[0], L"could not load Tarvik.DLL\r\n\r\n");
    EXPECT_EQ(p.window.caret, p.window.text[0].size());
    EXPECT_EQ(p.window.text[1], L"old lower");
    EXPECT_FALSE(DeviceLibOK);

    p.refresh.Command1_Click();
    EXPECT_EQ(p.window.text[0], L"6, ");
    EXPECT_EQ(p.window.text[1], L"2, ");
    EXPECT_TRUE(DeviceLibOK);
}

struct OvertakeCase {
    const char* name;
    int pressAtYield;  // the yield during which presses arrive
    int presses;       // how many arrive there
    int expectedQueries;
};

class OvertakeTest : public testing::TestWithParam<OvertakeCase> {};

// Presses during a refresh do not nest: the running refresh starts again
// once, and each box ends with exactly one list, that of the newest press.
TEST_P(OvertakeTest, NewestPressWins) {
    const OvertakeCase& c = GetParam();
    // The first press's answers differ from those of the restart.
    Press p(
        {{1, Table({2, 1, 0x8004, 0x8003}), {}}, {1, Table({2, 1, 0x8004, 0x8003}), {}}, {1, Table({9, 0x8007}), {}}});
    int depth = 0;
    int maxDepth = 0;
    p.window.onYield = [&](int n) {
        if (n != c.pressAtYield) return;
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        for (int i = 0; i < c.presses; ++i) p.refresh.Command1_Click();
        --depth;
    };
    p.refresh.Command1_Click();
    EXPECT_EQ(p.window.text[0], L"9, ");
    EXPECT_EQ(p.window.text[1], L"7, ");
    EXPECT_EQ(p.query.calls, c.expectedQueries);
    EXPECT_FALSE(p.refresh.Running());
}

INSTANTIATE_TEST_SUITE_P(Presses, OvertakeTest,
                         testing::Values(OvertakeCase{"OneDuringLowerList", 1, 1, 4},
                                         OvertakeCase{"OneDuringUpperList", 3, 1, 4},
                                         OvertakeCase{"ThousandInOneYield", 2, 1000, 4}),
                         ByName());

TEST(Refresh, APressInEveryYieldNeverNests) {
    // Each restart is overtaken again, 1000 times, then left to finish.
    Press p({{1, Table({1, 2, 0x8001}), {}}});
    p.window.onYield = [&](int n) {
        if (n <= 1000) p.refresh.Command1_Click();
    };
    p.refresh.Command1_Click();
    EXPECT_EQ(p.window.text[0], L"1, 2, ");
    EXPECT_EQ(p.window.text[1], L"1, ");
    EXPECT_EQ(p.query.calls, 2 * 1001);
}

struct CloseCase {
    const char* name;
    int closeAtYield;
    std::wstring upper;
    std::wstring lower;
};

class CloseTest : public testing::TestWithParam<CloseCase> {};

// A refresh that meets a closed window writes nothing more (FakeWindow
// fails the test on any touch after closing) and starts nothing again.
TEST_P(CloseTest, ClosingStopsTheRefresh) {
    const CloseCase& c = GetParam();
    Press p({{1, Table({2, 1, 0x8002, 0x8001}), {}}});
    p.window.onYield = [&](int n) {
        if (n == c.closeAtYield) {
            p.refresh.Command1_Click();  // a press queued before the close
            p.window.gone = true;
        }
    };
    p.refresh.Command1_Click();
    p.window.gone = false;
    EXPECT_EQ(p.window.text[0], c.upper);
    EXPECT_EQ(p.window.text[1], c.lower);
    EXPECT_EQ(p.query.calls, 2);
    EXPECT_FALSE(p.refresh.Running());
}

INSTANTIATE_TEST_SUITE_P(Yields, CloseTest,
                         testing::Values(CloseCase{"DuringLowerList", 1, L"", L""},
                                         CloseCase{"DuringUpperList", 4, L"", L"1, 2, "}),
                         ByName());

}  // namespace
