// Number texts: byte for byte what printf writes in the "C" locale, which every file written so
// far holds, and the shortest text that reads back.
#include "text/number_parse.h"
#include "text/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace hygrovane::text {
namespace {

const double kValues[] = {0.0,     -0.0,  0.5,         1.5,    2.5,
                          -2.5,    0.125, 0.045,       -0.04,  293.15,
                          1.0 / 3, 1e-7,  123456789.0, 1e21,   1e300,
                          5e-324,  -7.25, 99.95,       0.0105, std::numeric_limits<double>::max()};

std::string Printf(const char* format, int digits, double x) {
    char text[512];
    std::snprintf(text, sizeof text, format, digits, x);
    return text;
}

TEST(TextNumberText, FixedAndGeneralAsPrintfInC) {
    for (const double x : kValues) {
        for (const int digits : {0, 1, 2, 6, 17}) {
            EXPECT_EQ(FixedText(x, digits), Printf("%.*f", digits, x)) << x << " " << digits;
            if (digits > 0) {
                EXPECT_EQ(GeneralText(x, digits), Printf("%.*g", digits, x)) << x << " " << digits;
            }
        }
    }
}

TEST(TextNumberText, ZeroWithoutSignWhenAsked) {
    const struct {
        double x;
        int decimals;
        const char* text;
    } rows[] = {{-0.0, 1, "0.0"}, {-0.04, 1, "0.0"},     {-0.05, 1, "-0.1"}, {-0.4, 0, "0"},
                {-0.6, 0, "-1"},  {-1e-300, 3, "0.000"}, {0.04, 1, "0.0"}};
    for (const auto& row : rows) {
        EXPECT_EQ(FixedTextUnsignedZero(row.x, row.decimals), row.text) << row.x;
    }
    EXPECT_EQ(FixedText(-0.04, 1), "-0.0") << "kept where not asked";
}

TEST(TextNumberText, ShortestReadsBack) {
    EXPECT_EQ(ShortestText(0.1), "0.1");
    EXPECT_EQ(ShortestText(-0.0), "-0");
    EXPECT_EQ(ShortestText(1e30), "1e+30");
    EXPECT_EQ(ShortestText(293.15), "293.15");
    for (const double x : kValues) {
        const auto read = ParseNumber(ShortestText(x));
        ASSERT_TRUE(read) << x;
        EXPECT_EQ(*read, x);
        EXPECT_EQ(std::signbit(*read), std::signbit(x));
    }
}

} // namespace
} // namespace hygrovane::text
