// Inputs the fuzz targets of fuzz/ found to break a rule, kept as regression rows.
#include "display/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace hygrovane {
namespace {

struct WrittenNumber {
    const char* name;
    double value;
    int decimals;
    const char* text;
    double within; // units of the 15th significant digit
};

class WrittenNumbersReadBack : public ::testing::TestWithParam<WrittenNumber> {};

// Every written number passes the numeric test and reads back within half a unit of its last
// place (of the 15th significant digit for huge values); the few doubles whose 15-digit rounding
// leaves the double range are cut instead, within one unit.
TEST_P(WrittenNumbersReadBack, AsTheNumberWritten) {
    const WrittenNumber& row = GetParam();
    const std::string text = RoundedText(row.value, row.decimals);
    EXPECT_EQ(text, row.text);
    EXPECT_TRUE(IsNumeric(text));
    const double back = ReadNumber(text);
    EXPECT_TRUE(std::isfinite(back));
    const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(row.value))) - 14);
    EXPECT_LE(std::fabs(back - row.value), row.within * unit);
}

constexpr double kLargest = std::numeric_limits<double>::max();

INSTANTIATE_TEST_SUITE_P(
    Fuzzed, WrittenNumbersReadBack,
    ::testing::Values(
        // Rounded to 15 digits the largest doubles would read past the double range.
        WrittenNumber{"LargestDouble", kLargest, 10, "1.79769313486231E+308", 1},
        WrittenNumber{"LargestNegativeDouble", -kLargest, 0, "-1.79769313486231E+308", 1},
        WrittenNumber{"FirstCarriedPastTheRange", 1.797693134862315e308, 3, "1.79769313486231E+308",
                      1},
        WrittenNumber{"LastRoundedNormally", 1.797693134862314e308, 3, "1.79769313486231E+308",
                      0.5},
        WrittenNumber{"OrdinaryHugeValue", 1.234567890123456e300, 2, "1.23456789012346E+300", 0.5}),
    [](const ::testing::TestParamInfo<WrittenNumber>& info) {
        return std::string(info.param.name);
    });

} // namespace
} // namespace hygrovane
