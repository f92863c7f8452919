// Whole-text numbers: what is read, what is refused, the same in every locale.
#include "text/number_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace hygrovane::text {
namespace {

struct Row {
    const char* why;
    std::string text;
    std::optional<double> read;
};

TEST(TextNumberParse, WholeTextOnly) {
    const Row rows[] = {
        {"plain", "20.5", 20.5},
        {"negative zero keeps its sign", "-0", -0.0},
        {"point first", ".5", 0.5},
        {"point last", "5.", 5.0},
        {"exponent", "1e3", 1000.0},
        {"capital exponent, negative", "2.5E-3", 0.0025},
        {"smallest subnormal", "5e-324", 5e-324},
        {"largest double", "1.7976931348623157e308", std::numeric_limits<double>::max()},
        {"beyond a double", "1e400", std::nullopt},
        {"below a double's smallest", "1e-400", std::nullopt},
        {"blank before", " 5", std::nullopt},
        {"blank after", "5 ", std::nullopt},
        {"plus sign", "+5", std::nullopt},
        {"comma decimal", "20,5", std::nullopt},
        {"hexadecimal", "0x1A", std::nullopt},
        {"infinity", "inf", std::nullopt},
        {"not a number", "nan", std::nullopt},
        {"empty", "", std::nullopt},
        {"sign alone", "-", std::nullopt},
        {"point alone", ".", std::nullopt},
        {"exponent without digits", "1e", std::nullopt},
        {"two points", "1.2.3", std::nullopt},
        {"trailing letter", "5K", std::nullopt},
    };
    for (const Row& row : rows) {
        const auto read = ParseNumber(row.text);
        ASSERT_EQ(read.has_value(), row.read.has_value()) << row.why;
        if (read) {
            EXPECT_EQ(*read, *row.read) << row.why;
            EXPECT_EQ(std::signbit(*read), std::signbit(*row.read)) << row.why;
        }
    }
}

TEST(TextNumberParse, TypedNumbersTakeBlanksAndPlus) {
    const Row rows[] = {
        {"blanks around", " \t5.5\r ", 5.5},      {"plus sign", "+5", 5.0},
        {"plus then blank", "+ 5", std::nullopt}, {"plus and minus", "+-5", std::nullopt},
        {"two pluses", "++5", std::nullopt},      {"blank inside", "5 5", std::nullopt},
        {"only blanks", "  ", std::nullopt},      {"hexadecimal", " 0x10", std::nullopt},
        {"infinity", "+inf", std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ParseTypedNumber(row.text), row.read) << row.why;
    }
}

TEST(TextNumberParse, IntegersFitTheirType) {
    EXPECT_EQ(ParseInteger<int>("-12"), -12);
    EXPECT_EQ(ParseInteger<std::size_t>("0"), 0u);
    EXPECT_EQ(ParseInteger<std::uint8_t>("255"), 255);
    EXPECT_EQ(ParseInteger<std::uint8_t>("256"), std::nullopt) << "too large for the type";
    EXPECT_EQ(ParseInteger<unsigned>("-1"), std::nullopt) << "a sign an unsigned cannot take";
    EXPECT_EQ(ParseInteger<int>("+1"), std::nullopt);
    EXPECT_EQ(ParseInteger<int>("1.0"), std::nullopt);
    EXPECT_EQ(ParseInteger<int>(" 1"), std::nullopt);
    EXPECT_EQ(ParseInteger<int>("0x10"), std::nullopt);
    EXPECT_EQ(ParseInteger<int>(""), std::nullopt);
}

} // namespace
} // namespace hygrovane::text
