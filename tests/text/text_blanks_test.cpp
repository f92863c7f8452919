// The one set of blanks: C's isspace in the "C" locale, nothing more.
#include "text/blanks.h"

#include <gtest/gtest.h>

#include <cctype>

namespace hygrovane::text {
namespace {

TEST(TextBlanks, AsIsspaceInC) {
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(IsBlank(static_cast<char>(c)), c < 128 && std::isspace(c) != 0) << c;
    }
}

TEST(TextBlanks, TrimBothEnds) {
    const struct {
        const char* text;
        const char* trimmed;
    } rows[] = {{"", ""},        {" \t\r\n\v\f", ""},        {" a b ", "a b"},
                {"a", "a"},      {"\xC2\xA0x", "\xC2\xA0x"}, // a no-break space is not a blank
                {"\tx\r\n", "x"}};
    for (const auto& row : rows) {
        EXPECT_EQ(Trim(row.text), row.trimmed) << '"' << row.text << '"';
    }
}

} // namespace
} // namespace hygrovane::text
