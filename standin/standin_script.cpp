#include "standin_script.h"

#include <charconv>

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n';
}

bool ParseNumber(std::string_view token, std::int64_t lo, std::int64_t hi, std::int64_t& out) {
    int base = 10;
    bool negative = false;
    if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
        base = 16;
        token.remove_prefix(2);
    } else if (!token.empty() && token[0] == '-') {
        negative = true;
        token.remove_prefix(1);
    }
    if (token.empty()) return false;
    std::uint64_t magnitude = 0;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), magnitude, base);
    if (ec != std::errc() || end != token.data() + token.size()) return false;
    if (magnitude > 0xFFFFFFFFull) return false;
    out = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    return out >= lo && out <= hi;
}

std::string ParseAnswer(std::string_view text, StandinAnswer& answer) {
    int slots = 0;
    bool fail = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && IsSeparator(text[pos])) ++pos;
        std::size_t end = pos;
        while (end < text.size() && !IsSeparator(text[end])) ++end;
        const std::string_view token = text.substr(pos, end - pos);
        pos = end;
        if (token.empty()) break;

        std::int64_t value = 0;
        if (token == "fail") {
            fail = true;
        } else if (token.substr(0, 7) == "status=") {
            if (!ParseNumber(token.substr(7), 0, 0xFFFFFFFF, value)) {
                return "bad status '" + std::string(token) + "'";
            }
            answer.status = static_cast<std::uint32_t>(value);
        } else if (!ParseNumber(token, -32768, 0xFFFF, value)) {
            return "bad slot value '" + std::string(token) + "'";
        } else if (slots == kTableSlots) {
            return "more than 33 slot values";
        } else {
            answer.table.slot[slots++] = static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF));
        }
    }
    if (fail) {
        if (slots != 0 || answer.status != 1) return "'fail' stands alone";
        answer.status = 0;
        answer.writesTable = false;
    }
    return {};
}

}  // namespace

StandinScript ParseStandinScript(std::string_view text) {
    StandinScript script;
    std::size_t start = 0;
    for (int index = 1;; ++index) {
        const std::size_t semi = text.find(';', start);
        const std::string_view part = text.substr(start, semi == std::string_view::npos ? semi : semi - start);
        StandinAnswer answer;
        if (std::string error = ParseAnswer(part, answer); !error.empty()) {
            script.answers.clear();
            script.error = "answer " + std::to_string(index) + ": " + error;
            return script;
        }
        script.answers.push_back(answer);
        if (semi == std::string_view::npos) break;
        start = semi + 1;
    }
    return script;
}

StandinAnswer DemoAnswer() {
    // Connected 3, 7, 12; disconnected 5, 9; in no particular slot order.
    StandinAnswer demo;
    const std::int16_t slots[] = {12, static_cast<std::int16_t>(0x8005), 0, 3, 0, static_cast<std::int16_t>(0x8009), 7};
    for (std::size_t i = 0; i < std::size(slots); ++i) demo.table.slot[i] = slots[i];
    return demo;
}
