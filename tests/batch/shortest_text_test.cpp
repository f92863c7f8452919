// The full-digit cells of a batch conversion (--digits full) are the shortest text that reads back
// to the same double: checked over a million doubles of every magnitude, read back by the
// program's own reader and by the standard one.
#include "batch/conversion.h"
#include "display/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <string>

namespace hygrovane::batch {
namespace {

// Significant digits of a text written by AppendShortest: those of its mantissa without the
// leading zeros of a number below 1 and the trailing zeros of an integer ("100" holds one).
int SignificantDigits(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (c == 'e') {
            break;
        }
        if ((c >= '1' && c <= '9') || (c == '0' && !digits.empty())) {
            digits += c;
        }
    }
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
    }
    return static_cast<int>(digits.size());
}

// Whether x has a text shorter than the one written: fewer characters in the shortest
// scientific or fixed form, or one significant digit fewer in scientific form that still reads
// back as x. (A large integer is written in full when that takes fewer characters.)
bool ShorterTextReadsBack(double x, const std::string& text) {
    char buffer[400];
    for (const std::chars_format format :
         {std::chars_format::scientific, std::chars_format::fixed}) {
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, x, format);
        if (end.ec == std::errc() && end.ptr - buffer < static_cast<std::ptrdiff_t>(text.size())) {
            return true;
        }
    }
    const auto scientific =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific);
    const int digits = SignificantDigits(std::string(buffer, scientific.ptr));
    if (digits <= 1) {
        return false;
    }
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, digits - 2);
    double back = 0;
    std::from_chars(buffer, end.ptr, back);
    return back == x;
}

struct Family {
    const char* name;
    std::function<double(std::mt19937_64&)> draw;
};

TEST(ShortestText, AMillionDoublesReadBackBitForBitFromTheirShortestText) {
    std::mt19937_64 random(20261206);
    const Family families[] = {
        // Any finite bit pattern: subnormals, the largest doubles, both signs.
        {"any finite double",
         [](std::mt19937_64& r) {
             double x = 0;
             do {
                 x = std::bit_cast<double>(r());
             } while (!std::isfinite(x));
             return x;
         }},
        // The values a conversion writes: states of moist air in any unit.
        {"psychrometric magnitudes",
         [](std::mt19937_64& r) {
             return std::uniform_real_distribution<double>(-200, 2000)(r) *
                    std::pow(10.0, std::uniform_int_distribution<int>(-6, 3)(r));
         }},
        // Decimal texts as users type them, which must come back as typed.
        {"short decimals",
         [](std::mt19937_64& r) {
             return static_cast<double>(std::uniform_int_distribution<int>(-999999, 999999)(r)) /
                    std::pow(10.0, std::uniform_int_distribution<int>(0, 6)(r));
         }},
    };
    constexpr int kPerFamily = 1'000'000 / 3 + 1;
    for (const Family& family : families) {
        int failures = 0;
        for (int i = 0; i < kPerFamily && failures < 10; ++i) {
            const double x = family.draw(random);
            std::string text;
            AppendShortest(text, x);
            double standard = 0;
            const auto read = std::from_chars(text.data(), text.data() + text.size(), standard);
            const bool exact =
                read.ec == std::errc() && read.ptr == text.data() + text.size() &&
                std::bit_cast<std::uint64_t>(standard) == std::bit_cast<std::uint64_t>(x);
            // The program's reader (case files, batch input) takes it as a number, the same.
            const bool program = IsNumeric(text) && ReadNumber(text) == x;
            const bool shortest = !ShorterTextReadsBack(x, text);
            if (!exact || !program || !shortest) {
                ++failures;
                ADD_FAILURE() << family.name << ": " << text << " for "
                              << std::bit_cast<std::uint64_t>(x) << " (bits): read back " << exact
                              << ", by the program " << program << ", shortest " << shortest;
            }
        }
    }
}

TEST(ShortestText, EdgesOfTheDouble) {
    const struct {
        double x;
        const char* text;
    } rows[] = {
        {0.0, "0"},
        {-0.0, "-0"},
        {0.1, "0.1"},
        {293.15, "293.15"},
        {1e-05, "1e-05"},
        {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
        {std::numeric_limits<double>::denorm_min(), "5e-324"},
        {std::numeric_limits<double>::min(), "2.2250738585072014e-308"},
    };
    for (const auto& row : rows) {
        std::string text;
        AppendShortest(text, row.x);
        EXPECT_EQ(text, row.text);
    }
}

} // namespace
} // namespace hygrovane::batch
