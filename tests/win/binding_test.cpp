// The binding calls the stand-in library across the real DLL boundary.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "support/device_library_win.h"

namespace {

std::string TempLog() {
    char dir[MAX_PATH];
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "tvk", 0, path);
    return path;
}

TEST(Binding, ReadsScriptedTablesAndOnlyTheLowByteOfTheStatus) {
    const std::string log = TempLog();
    // Script and log are read at the library's first query.
    SetEnvironmentVariableA(
        "TARVIK_STANDIN",
        "status=0x100 5; status=0xABCDEF01 1, 0x8003, 0, 0xFFFF; fail; "
        "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33");
    SetEnvironmentVariableA("TARVIK_STANDIN_LOG", log.c_str());
    LibraryQuery query;

    DeviceTable first;
    const QueryResult a = query.KV_GetRegDevList(first);
    EXPECT_TRUE(a.unbound.empty());
    EXPECT_EQ(a.status, 0) << "0x100 holds a zero status byte";

    DeviceTable second;
    const QueryResult b = query.KV_GetRegDevList(second);
    EXPECT_EQ(b.status, 0x01) << "0xABCDEF01 holds status byte 1";
    EXPECT_EQ(second.slot[0], 1);
    EXPECT_EQ(second.slot[1], static_cast<std::int16_t>(0x8003));
    EXPECT_EQ(second.slot[3], -1);
    EXPECT_EQ(second.slot[4], 0);

    DeviceTable third;
    third.slot[0] = 42;
    EXPECT_EQ(query.KV_GetRegDevList(third).status, 0);
    EXPECT_EQ(third.slot[0], 42) << "a failing query left the table alone";

    DeviceTable full;
    EXPECT_NE(query.KV_GetRegDevList(full).status, 0);
    EXPECT_EQ(full.slot[31], 32);
    EXPECT_EQ(full.slot[32], 33);

    std::ifstream in(log);
    std::stringstream lines;
    lines << in.rdbuf();
    EXPECT_EQ(lines.str(), "query 1 arg 0\nquery 2 arg 0\nquery 3 arg 0\nquery 4 arg 0\n");
    in.close();
    std::remove(log.c_str());
}

}  // namespace
