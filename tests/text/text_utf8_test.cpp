// One strictness of UTF-8 for every reader, and Latin-1 read as its code points.
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace hygrovane::text {
namespace {

struct Row {
    const char* why;
    std::string bytes;
    bool valid;
};

TEST(TextUtf8, OneStrictness) {
    const Row rows[] = {
        {"empty", "", true},
        {"ASCII", "Room 1", true},
        {"two bytes", "\xC3\xA4", true},
        {"three bytes", "\xE2\x82\xAC", true},
        {"four bytes", "\xF0\x9F\x98\x80", true},
        {"largest code point", "\xF4\x8F\xBF\xBF", true},
        {"last before the surrogates", "\xED\x9F\xBF", true},
        {"overlong slash", "\xC0\xAF", false},
        {"overlong NUL", "\xC0\x80", false},
        {"overlong three bytes", "\xE0\x80\xAF", false},
        {"overlong four bytes", "\xF0\x80\x80\xAF", false},
        {"high surrogate", "\xED\xA0\x80", false},
        {"low surrogate", "\xED\xBF\xBF", false},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", false},
        {"lead F5", "\xF5\x80\x80\x80", false},
        {"lone continuation", "\x80", false},
        {"Latin-1 letter", "M\xFCnchen", false},
        {"continuation missing mid-text", "\xC3x", false},
        {"cut at the end", "ab\xE2\x82", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsValidUtf8(row.bytes), row.valid) << row.why;
        EXPECT_EQ(CodePoints(row.bytes).has_value(), row.valid) << row.why;
    }
}

TEST(TextUtf8, SampleCutAtItsEnd) {
    EXPECT_TRUE(IsValidUtf8("ab\xE2\x82", true));
    EXPECT_TRUE(IsValidUtf8("ab\xF0", true));
    EXPECT_FALSE(IsValidUtf8("ab\xE2\x82x", true)) << "cut inside, not at the end";
    EXPECT_FALSE(IsValidUtf8("ab\xC0", true)) << "a lead byte no character has";
}

TEST(TextUtf8, CodePointsOfEachLength) {
    const auto points = CodePoints("a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80");
    ASSERT_TRUE(points);
    EXPECT_EQ(*points, (std::vector<char32_t>{U'a', 0xE4, 0x20AC, 0x1F600}));
}

TEST(TextUtf8, Latin1AsCodePoints) {
    EXPECT_EQ(Latin1ToUtf8("M\xFCnchen"), "M\xC3\xBCnchen");
    EXPECT_EQ(Latin1ToUtf8("\xA0\xFF\x80"), "\xC2\xA0\xC3\xBF\xC2\x80");
    EXPECT_EQ(Latin1ToUtf8("plain"), "plain");
    std::string every;
    for (int b = 1; b < 256; ++b) {
        every += static_cast<char>(b);
    }
    const auto points = CodePoints(Latin1ToUtf8(every));
    ASSERT_TRUE(points);
    for (std::size_t i = 0; i < points->size(); ++i) {
        EXPECT_EQ((*points)[i], static_cast<char32_t>(i + 1));
    }
}

} // namespace
} // namespace hygrovane::text
