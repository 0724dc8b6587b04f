// Bytewise comparison of GBK texts, where a missing text equals the empty one.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/compare_text.h"

namespace {

struct Pair {
    std::optional<std::string> a;
    std::optional<std::string> b;
    int expected;
};

const char* Pointer(const std::optional<std::string>& text) { return text ? text->c_str() : nullptr; }

TEST(CompareText, OrdersTextsByUnsignedBytesWithNoneAsEmpty) {
    const Pair pairs[] = {
        {std::nullopt, "", 0},
        {"", std::nullopt, 0},
        {std::nullopt, std::nullopt, 0},
        {std::nullopt, "\x61", -1},
        {"\x61", std::nullopt, 1},
        {"\x61\x62\x63", "\x61\x62\x64", -1},
        {"\x61\x62", "\x61\x62\x63", -1},
        {"\x61\x62\x63", "\x41\x42\x43", 1},
        {"\xB3\xAC", "\x41", 1},
        // More of our own: equality, the other side of each rule, and bytes above 0x7F.
        {"", "", 0},
        {"gnx", "gnx", 0},
        {"\x61\x62\x63", "\x61\x62", 1},
        {"\x41", "\xB3\xAC", -1},
        {"\xFF", "\x01", 1},
        {"\x80", "\x7F", 1},
        {"\xB3\xAC", "\xB3\xAD", -1},
        {"", "\x20", -1},
        {"gnx ", "gnx", 1},
        {" gnx", "gnx", -1},
        {"GNX", "gnx", -1},
        {"\xA3\xE7\xA3\xEE\xA3\xF8", "gnx", 1},
    };
    for (const Pair& pair : pairs) {
        EXPECT_EQ(app::CompareText(Pointer(pair.a), Pointer(pair.b)), pair.expected)
            << "a=" << pair.a.value_or("(none)") << " b=" << pair.b.value_or("(none)");
    }
}

TEST(CompareText, GivesExactlyMinusOneZeroOrOneForDistantBytes) {
    EXPECT_EQ(app::CompareText("\x01", "\xFF"), -1);
    EXPECT_EQ(app::CompareText("\xFF", "\x01"), 1);
}

}  // namespace
