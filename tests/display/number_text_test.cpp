#include "display/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace hygrovane {
namespace {

const auto kByName = [](const auto& info) { return std::string(info.param.name); };

struct RoundedCase {
    const char* name;
    double x;
    int decimals;
    const char* text;
};

const RoundedCase kRounded[] = {
    {"KelvinLimit", 173.15, 3, "173.15"},
    {"NegativeWhole", -100, 3, "-100"},
    {"NoZeroBeforePoint", 0.5, 3, ".5"},
    {"NegativeNoZeroBeforePoint", -0.5, 3, "-.5"},
    {"TieToEvenDown", 2.5, 0, "2"},
    {"TieToEvenUp", 3.5, 0, "4"},
    {"ExactBinaryTieInDecimals", 0.125, 2, ".12"},
    {"ProductBelowTieRoundsDown", 1.005, 2, "1"},
    {"NegativeRoundsToZeroWithoutSign", -0.0001, 3, "0"},
    {"RoundsToWholeNumber", 99.99996, 4, "100"},
    {"FifteenDigitsOnly", 0.1 + 0.2, 17, ".3"},
    {"JustBelowPlainMagnitude", 0.00009, 5, "9E-05"},
    {"SmallInExponentForm", 0.0000123, 7, "1.23E-05"},
    {"NegativeExponentForm", -0.0000025, 7, "-2.5E-06"},
    {"ThreeExponentDigits", 1e-100, 200, "1E-100"},
    {"LargestPlain", 999999999999999, 3, "999999999999999"},
    {"LargeExponentForm", 1e15, 3, "1E+15"},
    {"RoundsUpToExponentForm", 999999999999999.6, 0, "1E+15"},
};

class RoundedTextTest : public testing::TestWithParam<RoundedCase> {};

TEST_P(RoundedTextTest, Writes) {
    EXPECT_EQ(RoundedText(GetParam().x, GetParam().decimals), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Display, RoundedTextTest, testing::ValuesIn(kRounded), kByName);

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

const PictureCase kPictures[] = {
    {"TwoZerosPad", 5.2, "00.0000", ".", "05.2000"},
    {"TwoZerosWithComma", 5.2, "00.0000", ",", "05,2000"},
    {"MoreDigitsThanPicture", 123.45, "00.0000", ".", "123.4500"},
    {"HashZeroBelowOne", 0.5, "#0.0000", ".", "0.5000"},
    {"HashesBelowOne", 0.5, "##.0000", ".", ".5000"},
    {"HashesBelowOneWithComma", 0.5, "##.0000", ",", ",5000"},
    {"HashesZero", 0, "##.0000", ",", ",0000"},
    {"TieToEven", 0.00125, "0.0000", ".", "0.0012"},
    {"RoundsIntoNextDigit", 9.99996, "#0.0000", ".", "10.0000"},
    {"NegativeRoundingToZeroNoSign", -0.00004, "0.0000", ".", "0.0000"},
    {"Negative", -1.5, "00.0000", ".", "-01.5000"},
};

class PictureTextTest : public testing::TestWithParam<PictureCase> {};

TEST_P(PictureTextTest, Writes) {
    const PictureCase& c = GetParam();
    EXPECT_EQ(PictureText(c.x, c.picture, c.separator), c.text);
}

INSTANTIATE_TEST_SUITE_P(Pictures, PictureTextTest, testing::ValuesIn(kPictures), kByName);

struct NumericCase {
    const char* name;
    const char* text;
    bool numeric;
    double value; // ReadNumber of the text (for every row, numeric or not)
};

constexpr double kMax = std::numeric_limits<double>::max();
const std::string kFourHundredNines(400, '9');

const NumericCase kTexts[] = {
    {"Integer", "25", true, 25},
    {"Decimal", "101.325", true, 101.325},
    {"Negative", "-100", true, -100},
    {"TrailingPoint", "5.", true, 5},
    {"LeadingPoint", ".5", true, 0.5},
    {"NegativeLeadingPoint", "-.5", true, -0.5},
    {"Exponent", "1e3", true, 1000},
    {"CapitalExponentSigned", "1.5E-2", true, 0.015},
    {"LeadingZeros", "007", true, 7},
    {"BlanksAround", "  42  ", true, 42},
    {"UnderflowReadsZero", "1e-400", true, 0},
    {"Subnormal", "1e-310", true, 1e-310},
    {"LargestDouble", "1.7976931348623157e308", true, kMax},
    {"Empty", "", false, 0},
    {"LoneMinus", "-", false, 0},
    {"LonePoint", ".", false, 0},
    {"Infinity", "inf", false, 0},
    {"NotANumber", "nan", false, 0},
    {"Hexadecimal", "0x10", false, 0},
    {"DecimalComma", "1,5", false, 1},
    {"InternalBlank", "1 2", false, 1},
    {"BlankAfterSign", "- 5", false, 0},
    {"TwoPoints", "1.2.3", false, 1.2},
    {"ExponentWithoutDigits", "1e", false, 1},
    {"ExponentOnly", "e5", false, 0},
    {"FractionalExponent", "1e2.5", false, 100},
    {"Letters", "abc", false, 0},
    {"Overflow", "1e400", false, kMax},
    {"NegativeOverflow", "-1e400", false, -kMax},
    {"ManyDigitsOverflow", kFourHundredNines.c_str(), false, kMax},
};

class NumericTest : public testing::TestWithParam<NumericCase> {};

TEST_P(NumericTest, TestsAndReads) {
    const NumericCase& c = GetParam();
    EXPECT_EQ(IsNumeric(c.text), c.numeric) << '"' << c.text << '"';
    EXPECT_EQ(ReadNumber(c.text), c.value) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(Inputs, NumericTest, testing::ValuesIn(kTexts), kByName);

// RoundedText writes most values straight from their rounded whole number of units: the texts
// are those of NumberText(RoundHalfEven(x, n)), the rule itself, over magnitudes, halves, signs
// and every number of decimals.
TEST(RoundedText, QuickRoadWritesTheRulesTexts) {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-22, 20);
    std::uniform_int_distribution<int> decimals(-2, 17);
    std::vector<double> values{0.0,
                               -0.0,
                               1e-4,
                               9.9999999999e-5,
                               0.00005,
                               0.000149999,
                               0.125,
                               -0.125,
                               2.5,
                               999999999999999.4,
                               1e15,
                               4503599627370495.5,
                               123456789.012345678,
                               -0.00049999,
                               5e-324};
    for (int i = 0; i < 200000; ++i) {
        values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
        // Halves at the rounding digit: the ties go to even.
        values.push_back(std::round(mantissa(random) * 1000) / 1000 + 0.0005);
    }
    for (const double x : values) {
        const int n = decimals(random);
        ASSERT_EQ(RoundedText(x, n), NumberText(RoundHalfEven(x, n))) << x << " to " << n;
        for (const int each : {0, 3, 4, 7}) {
            ASSERT_EQ(RoundedText(x, each), NumberText(RoundHalfEven(x, each)))
                << x << " to " << each;
        }
    }
}

TEST(ReadNumber, UnderflowKeepsSignOfZero) {
    EXPECT_TRUE(std::signbit(ReadNumber("-1e-400")));
    EXPECT_TRUE(IsNumeric("-1e-400"));
}

} // namespace
} // namespace hygrovane
