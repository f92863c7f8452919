#include "calculator/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace hygrovane {
namespace {

struct RoundedCase {
    const char* name;
    double x;
    int decimals;
    const char* text;
};

class RoundedTextTest : public testing::TestWithParam<RoundedCase> {};

TEST_P(RoundedTextTest, Writes) {
    const RoundedCase& c = GetParam();
    EXPECT_EQ(RoundedText(c.x, c.decimals), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Display, RoundedTextTest,
    testing::Values(RoundedCase{"KelvinLimit", 173.15, 3, "173.15"},
                    RoundedCase{"NegativeWhole", -100, 3, "-100"},
                    RoundedCase{"SmallInExponentForm", 0.0000123, 7, "1.23E-05"},
                    RoundedCase{"NoZeroBeforePoint", 0.5, 3, ".5"},
                    RoundedCase{"NegativeNoZeroBeforePoint", -0.5, 3, "-.5"},
                    RoundedCase{"TieToEvenDown", 2.5, 0, "2"},
                    RoundedCase{"TieToEvenUp", 3.5, 0, "4"},
                    RoundedCase{"NegativeTieToEven", -2.5, 0, "-2"},
                    RoundedCase{"ExactBinaryTieInDecimals", 0.125, 2, ".12"},
                    RoundedCase{"ProductBelowTieRoundsDown", 1.005, 2, "1"},
                    RoundedCase{"NegativeRoundsToZeroWithoutSign", -0.0001, 3, "0"},
                    RoundedCase{"NegativeZero", -0.0, 3, "0"},
                    RoundedCase{"TrailingZerosDropped", 101.32500, 5, "101.325"},
                    RoundedCase{"ManyDecimals", 101.41797792131234, 8, "101.41797792"},
                    RoundedCase{"FifteenDigitsOnly", 0.1 + 0.2, 17, ".3"},
                    RoundedCase{"LowestPlainMagnitude", 0.0001, 4, ".0001"},
                    RoundedCase{"JustBelowPlainMagnitude", 0.00009, 5, "9E-05"},
                    RoundedCase{"MantissaWithDecimals", 0.0000025, 7, "2.5E-06"},
                    RoundedCase{"NegativeExponentForm", -0.0000123, 7, "-1.23E-05"},
                    RoundedCase{"ThreeExponentDigits", 1e-100, 200, "1E-100"},
                    RoundedCase{"LargestPlain", 999999999999999, 3, "999999999999999"},
                    RoundedCase{"LargeExponentForm", 1e15, 3, "1E+15"},
                    RoundedCase{"NegativeLargeExponentForm", -1.5e20, 0, "-1.5E+20"},
                    RoundedCase{"RoundsUpToExponentForm", 999999999999999.6, 0, "1E+15"},
                    RoundedCase{"HugeValueUnchanged", 1.25e300, 3, "1.25E+300"},
                    RoundedCase{"PressureInPascal", 101418.4567, 0, "101418"},
                    RoundedCase{"RoundsToWholeNumber", 99.99996, 4, "100"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RoundHalfEven, GuardsValuesAlreadyIntegralAtScale) {
    EXPECT_EQ(RoundHalfEven(1e300, 8), 1e300);
    EXPECT_EQ(RoundHalfEven(4503599627370497.0, 0), 4503599627370497.0);
    EXPECT_TRUE(std::isinf(RoundHalfEven(std::numeric_limits<double>::infinity(), 3)));
}

TEST(NumberText, WritesWithoutRoundingToDecimals) {
    // The dew point is rounded by its own rule and only written here.
    EXPECT_EQ(NumberText(std::nearbyint(1000 * 12.3456) * 0.001), "12.346");
    EXPECT_EQ(NumberText(0.123456789), ".123456789");
    EXPECT_EQ(NumberText(std::numeric_limits<double>::quiet_NaN()), "Error");
}

struct PictureCase {
    const char* name;
    double x;
    const char* picture;
    const char* separator;
    const char* text;
};

class PictureTextTest : public testing::TestWithParam<PictureCase> {};

TEST_P(PictureTextTest, Writes) {
    const PictureCase& c = GetParam();
    EXPECT_EQ(PictureText(c.x, c.picture, c.separator), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureTextTest,
    testing::Values(PictureCase{"TwoZerosPad", 5.2, "00.0000", ".", "05.2000"},
                    PictureCase{"TwoZerosNitrogen", 78.084, "00.0000", ".", "78.0840"},
                    PictureCase{"TwoZerosWithComma", 5.2, "00.0000", ",", "05,2000"},
                    PictureCase{"MoreDigitsThanPicture", 123.45, "00.0000", ".", "123.4500"},
                    PictureCase{"OneZero", 0.93650, "0.0000", ".", "0.9365"},
                    PictureCase{"OneZeroSmall", 0.000049, "0.0000", ".", "0.0000"},
                    PictureCase{"HashZeroBelowOne", 0.5, "#0.0000", ".", "0.5000"},
                    PictureCase{"HashZeroZero", 0, "#0.0000", ".", "0.0000"},
                    PictureCase{"HashZeroTwoDigits", 62.4321, "#0.0000", ",", "62,4321"},
                    PictureCase{"HashesBelowOne", 0.5, "##.0000", ".", ".5000"},
                    PictureCase{"HashesZero", 0, "##.0000", ",", ",0000"},
                    PictureCase{"HashesTwoDigits", 12.5, "##.0000", ".", "12.5000"},
                    PictureCase{"TieToEven", 0.00125, "0.0000", ".", "0.0012"},
                    PictureCase{"RoundsIntoNextDigit", 9.99996, "#0.0000", ".", "10.0000"},
                    PictureCase{"NegativeZeroNoSign", -0.0, "#0.0000", ".", "0.0000"},
                    PictureCase{"NegativeRoundingToZeroNoSign", -0.00004, "0.0000", ".", "0.0000"},
                    PictureCase{"Negative", -1.5, "00.0000", ".", "-01.5000"}),
    [](const auto& info) { return std::string(info.param.name); });

struct NumericCase {
    const char* name;
    const char* text;
    bool numeric;
    double value; // ReadNumber of the text (for every row, numeric or not)
};

class NumericTest : public testing::TestWithParam<NumericCase> {};

TEST_P(NumericTest, TestsAndReads) {
    const NumericCase& c = GetParam();
    EXPECT_EQ(IsNumeric(c.text), c.numeric) << '"' << c.text << '"';
    EXPECT_EQ(ReadNumber(c.text), c.value) << '"' << c.text << '"';
}

constexpr double kMax = std::numeric_limits<double>::max();
const std::string kFourHundredNines(400, '9');

INSTANTIATE_TEST_SUITE_P(
    Inputs, NumericTest,
    testing::Values(
        NumericCase{"Integer", "25", true, 25}, NumericCase{"Decimal", "101.325", true, 101.325},
        NumericCase{"Negative", "-100", true, -100}, NumericCase{"PlusSign", "+5", true, 5},
        NumericCase{"TrailingPoint", "5.", true, 5}, NumericCase{"LeadingPoint", ".5", true, 0.5},
        NumericCase{"NegativeLeadingPoint", "-.5", true, -0.5},
        NumericCase{"PlusLeadingPoint", "+.5", true, 0.5},
        NumericCase{"Exponent", "1e3", true, 1000},
        NumericCase{"CapitalExponentSigned", "1.5E-2", true, 0.015},
        NumericCase{"ExponentPlus", "2e+2", true, 200}, NumericCase{"LeadingZeros", "007", true, 7},
        NumericCase{"BlanksAround", "  42  ", true, 42},
        NumericCase{"TabsAround", "\t42\t", true, 42}, NumericCase{"Zero", "0", true, 0},
        NumericCase{"UnderflowReadsZero", "1e-400", true, 0},
        NumericCase{"LongUnderflowReadsZero", "0.00001e-320", true, 0},
        NumericCase{"Subnormal", "1e-310", true, 1e-310},
        NumericCase{"LargestDouble", "1.7976931348623157e308", true, kMax},
        NumericCase{"Empty", "", false, 0}, NumericCase{"OnlyBlanks", "   ", false, 0},
        NumericCase{"LoneMinus", "-", false, 0}, NumericCase{"LonePlus", "+", false, 0},
        NumericCase{"LonePoint", ".", false, 0}, NumericCase{"SignThenPoint", "-.", false, 0},
        NumericCase{"Infinity", "inf", false, 0}, NumericCase{"NotANumber", "nan", false, 0},
        NumericCase{"Hexadecimal", "0x10", false, 0},
        NumericCase{"ThousandsSeparator", "1,000", false, 1},
        NumericCase{"DecimalComma", "1,5", false, 1}, NumericCase{"InternalBlank", "1 2", false, 1},
        NumericCase{"BlankAfterSign", "- 5", false, 0}, NumericCase{"TwoSigns", "--5", false, 0},
        NumericCase{"TwoPoints", "1.2.3", false, 1.2},
        NumericCase{"ExponentWithoutDigits", "1e", false, 1},
        NumericCase{"ExponentSignWithoutDigits", "1e+", false, 1},
        NumericCase{"ExponentOnly", "e5", false, 0},
        NumericCase{"FractionalExponent", "1e2.5", false, 100},
        NumericCase{"TrailingLetters", "12abc", false, 12}, NumericCase{"Letters", "abc", false, 0},
        NumericCase{"Overflow", "1e400", false, kMax},
        NumericCase{"NegativeOverflow", "-1e400", false, -kMax},
        NumericCase{"ManyDigitsOverflow", kFourHundredNines.c_str(), false, kMax}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadNumber, UnderflowKeepsSignOfZero) {
    EXPECT_TRUE(std::signbit(ReadNumber("-1e-400")));
    EXPECT_TRUE(IsNumeric("-1e-400"));
}

} // namespace
} // namespace hygrovane
