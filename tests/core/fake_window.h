#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "devices/device_refresh.h"

// Builds a table from slot values given as unsigned 16-bit patterns.
inline DeviceTable Table(std::initializer_list<std::uint16_t> slots) {
    DeviceTable t;
    std::size_t i = 0;
    for (const std::uint16_t v : slots) t.slot[i++] = static_cast<std::int16_t>(v);
    return t;
}

// A window whose boxes are strings; each yield can run a scripted event.
class FakeWindow : public DeviceWindow {
public:
    std::wstring text[2];
    std::size_t caret = 0;  // of txtMsgDisplay
    int yields = 0;
    int writes[2] = {0, 0};
    bool gone = false;
    std::function<void(int yield)> onYield;  // runs inside the n-th yield (1-based)

    std::wstring& Of(Box box) { return text[box == Box::Connected ? 0 : 1]; }
    std::wstring ReadText(Box box) override {
        EXPECT_FALSE(gone) << "read after the window was closed";
        return Of(box);
    }
    void WriteText(Box box, const std::wstring& t) override {
        EXPECT_FALSE(gone) << "write after the window was closed";
        Of(box) = t;
        ++writes[box == Box::Connected ? 0 : 1];
    }
    bool DoEvents() override {
        EXPECT_FALSE(gone) << "pumped after the window was closed";
        ++yields;
        if (onYield) onYield(yields);
        return !gone;
    }
    void ScrollDisplay(std::string_view command) override {
        if (command == "down") caret = text[0].size();
    }
};

struct Answer {
    std::uint8_t status = 1;
    DeviceTable table;
    std::wstring unbound;
};

// Answers queries in order, the last one repeated.
class FakeQuery : public DeviceQuery {
public:
    std::vector<Answer> answers;
    int calls = 0;

    QueryResult KV_GetRegDevList(DeviceTable& table) override {
        EXPECT_FALSE(answers.empty());
        const Answer& a = answers[std::min<std::size_t>(static_cast<std::size_t>(calls), answers.size() - 1)];
        ++calls;
        table = a.table;  // even on failure: the core must ignore it then
        return {a.status, a.unbound};
    }
};

// Names parameterised cases after their `name` field.
struct ByName {
    template <typename T>
    std::string operator()(const testing::TestParamInfo<T>& param) const {
        return param.param.name;
    }
};
