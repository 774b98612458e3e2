#include <gtest/gtest.h>

#include "standin_script.h"

namespace {

TEST(StandinScript, ParsesAnswersInOrder) {
    const StandinScript s = ParseStandinScript("1, 0x8002 ,-1\t7; fail ;status=0x100 5;status=0xABCDEF01;");
    ASSERT_EQ(s.error, "");
    ASSERT_EQ(s.answers.size(), 5u);
    EXPECT_EQ(s.answers[0].table.slot[0], 1);
    EXPECT_EQ(s.answers[0].table.slot[1], static_cast<std::int16_t>(0x8002));
    EXPECT_EQ(s.answers[0].table.slot[2], -1);
    EXPECT_EQ(s.answers[0].table.slot[3], 7);
    EXPECT_EQ(s.answers[0].status, 1u);
    EXPECT_EQ(s.answers[1].status, 0u);
    EXPECT_FALSE(s.answers[1].writesTable);
    EXPECT_EQ(s.answers[2].status, 0x100u);
    EXPECT_EQ(s.answers[2].table.slot[0], 5);
    EXPECT_EQ(s.answers[3].status, 0xABCDEF01u);
    // A trailing ';' gives an empty table: a success with no devices.
    EXPECT_EQ(s.answers[4].status, 1u);
    EXPECT_EQ(s.answers[4].table.slot[0], 0);
}

TEST(StandinScript, ThirtyThreeValuesFillSlot32) {
    std::string text;
    for (int i = 1; i <= 33; ++i) text += std::to_string(i) + " ";
    const StandinScript s = ParseStandinScript(text);
    ASSERT_EQ(s.error, "");
    EXPECT_EQ(s.answers[0].table.slot[32], 33);
}

TEST(StandinScript, BadTextIsAnErrorNamingTheAnswer) {
    std::string tooMany;
    for (int i = 0; i < 34; ++i) tooMany += "1 ";
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"1 2; x3", "answer 2: bad slot value 'x3'"},          {"65536", "answer 1: bad slot value '65536'"},
        {"-32769", "answer 1: bad slot value '-32769'"},       {"0x", "answer 1: bad slot value '0x'"},
        {"status=abc 1", "answer 1: bad status 'status=abc'"}, {"fail 3", "answer 1: 'fail' stands alone"},
        {tooMany, "answer 1: more than 33 slot values"},
    };
    for (const auto& c : cases) {
        const StandinScript s = ParseStandinScript(c.text);
        EXPECT_EQ(s.error, c.error) << c.text;
        EXPECT_TRUE(s.answers.empty()) << c.text;
    }
}

TEST(StandinScript, DemoHasConnectedAndDisconnectedDevices) {
    const StandinAnswer demo = DemoAnswer();
    int connected = 0, disconnected = 0;
    for (int i = 0; i < kExaminedSlots; ++i) {
        connected += demo.table.slot[i] > 0;
        disconnected += demo.table.slot[i] < 0;
    }
    EXPECT_GE(connected, 2);
    EXPECT_GE(disconnected, 2);
}

}  // namespace
