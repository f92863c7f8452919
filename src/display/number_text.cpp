#include "display/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace hygrovane {

namespace {

// 10^n for n = 0..22 are exact doubles; beyond that pow's nearest value is as good as any.
double PowerOfTen(int n) {
    static constexpr std::array<double, 23> kExact = {
        1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (n >= 0 && n < static_cast<int>(kExact.size())) {
        return kExact[static_cast<std::size_t>(n)];
    }
    return std::pow(10.0, n);
}

// A double's 15 significant digits without trailing zeros, and the decimal exponent of the
// first one: the value is 0.d1d2... x 10^(exponent + 1).
struct Digits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Digits SignificantDigits(double x) {
    // "d.dddddddddddddde+XX": 15 significant digits, correctly rounded.
    std::array<char, 40> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                std::chars_format::scientific, 14);
    double written = 0;
    if (std::fabs(x) > 1.7976931348623e308 &&
        std::from_chars(buffer.data(), result.ptr, written).ec == std::errc::result_out_of_range) {
        // Rounding the largest doubles up carries them past the double range, and such a text
        // would not read back: cut their exact digits after the 15th instead.
        result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                               std::chars_format::scientific, 16);
        char* const exponent = std::find(buffer.data(), result.ptr, 'e');
        result.ptr = std::copy(exponent, result.ptr, exponent - 2);
    }
    const std::string_view text(buffer.data(),
                                static_cast<std::size_t>(result.ptr - buffer.data()));

    Digits out;
    std::size_t i = 0;
    if (text[i] == '-') {
        out.negative = true;
        ++i;
    }
    const std::size_t e = text.find('e');
    for (; i < e; ++i) {
        if (text[i] != '.') {
            out.digits += text[i];
        }
    }
    while (out.digits.size() > 1 && out.digits.back() == '0') {
        out.digits.pop_back();
    }
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(),
                    out.exponent);
    return out;
}

std::string ExponentForm(const Digits& d) {
    std::string text = d.negative ? "-" : "";
    text += d.digits.front();
    if (d.digits.size() > 1) {
        text += '.';
        text.append(d.digits, 1);
    }
    text += 'E';
    text += d.exponent < 0 ? '-' : '+';
    const std::string exponent = std::to_string(std::abs(d.exponent));
    if (exponent.size() < 2) {
        text += '0';
    }
    return text + exponent;
}

std::string PlainForm(const Digits& d) {
    std::string text = d.negative ? "-" : "";
    const int count = static_cast<int>(d.digits.size());
    if (d.exponent < 0) {
        // No zero before the point: .5, .0001
        text += '.';
        text.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        return text + d.digits;
    }
    const int integerDigits = d.exponent + 1;
    if (count <= integerDigits) {
        text += d.digits;
        text.append(static_cast<std::size_t>(integerDigits - count), '0');
        return text;
    }
    text.append(d.digits, 0, static_cast<std::size_t>(integerDigits));
    text += '.';
    text.append(d.digits, static_cast<std::size_t>(integerDigits));
    return text;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The longest number at the start of a text: [sign] digits [. digits] [(e|E) [sign] digits],
// with at least one mantissa digit. The exponent belongs to it only when a digit follows.
struct NumberScan {
    std::size_t length = 0; // 0: no number
    bool negative = false;
    // Decimal exponent of the first non-zero digit (its magnitude lies in [10^lead, 10^(lead+1));
    // only meaningful when the number is not zero. Tells an underflow from an overflow.
    long lead = 0;
};

NumberScan ScanNumber(std::string_view text) {
    constexpr long kExponentCap = 1'000'000; // far beyond any double; avoids integer overflow
    NumberScan scan;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        scan.negative = text[i] == '-';
        ++i;
    }
    long integerDigits = 0;
    long firstSignificant = -1; // position among all mantissa digits
    long mantissaDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (firstSignificant < 0 && text[i] != '0') {
            firstSignificant = mantissaDigits;
        }
        ++mantissaDigits;
        ++integerDigits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            if (firstSignificant < 0 && text[i] != '0') {
                firstSignificant = mantissaDigits;
            }
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        return scan;
    }
    long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            negativeExponent = text[j] == '-';
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            for (; j < text.size() && IsDigit(text[j]); ++j) {
                if (exponent < kExponentCap) {
                    exponent = exponent * 10 + (text[j] - '0');
                }
            }
            exponent = negativeExponent ? -exponent : exponent;
            i = j;
        }
    }
    scan.length = i;
    scan.lead = integerDigits - 1 - firstSignificant + exponent;
    return scan;
}

struct Reading {
    double value = 0;
    bool overflow = false;
};

// The value of a scanned number. A magnitude below the smallest double reads as zero.
Reading Convert(std::string_view text, const NumberScan& scan) {
    std::string_view number = text.substr(0, scan.length);
    if (number.front() == '+') {
        number.remove_prefix(1); // from_chars takes no '+'
    }
    Reading reading;
    const auto result =
        std::from_chars(number.data(), number.data() + number.size(), reading.value);
    if (result.ec == std::errc::result_out_of_range) {
        if (scan.lead < 0) {
            reading.value = scan.negative ? -0.0 : 0.0;
        } else {
            reading.overflow = true;
            reading.value = scan.negative ? -std::numeric_limits<double>::max()
                                          : std::numeric_limits<double>::max();
        }
    }
    return reading;
}

std::string_view SkipLeadingBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

} // namespace

double RoundHalfEven(double x, int n) {
    constexpr double kIntegral = 4503599627370496.0; // 2^52: every double beyond is an integer
    const double scale = PowerOfTen(n < 0 ? -n : n);
    const double scaled = n < 0 ? x / scale : x * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= kIntegral) {
        return x;
    }
    const double whole = std::nearbyint(scaled); // default rounding mode: halves to even
    return n < 0 ? whole * scale : whole / scale;
}

std::string RoundedText(double x, int n) {
    // The rounded value is k / 10^n with k a whole number. While |k| < 10^15 that decimal has at
    // most 15 significant digits, so the nearest double (the exact quotient, rounded) writes back
    // as exactly those digits: they are k's, the point n places from the right. This writes them
    // straight from k; tiny values (exponent form), n outside 0..15 and the rest go the long way.
    constexpr double kLargestWhole = 1e15;
    if (n >= 0 && n <= 15 && std::isfinite(x)) {
        const double scaled = x * PowerOfTen(n);
        const double k = std::nearbyint(scaled); // as RoundHalfEven: halves to even
        if (std::fabs(scaled) < 4503599627370496.0 && std::fabs(k) < kLargestWhole &&
            (k == 0 || std::fabs(k / PowerOfTen(n)) >= 1e-4)) {
            if (k == 0) {
                return "0";
            }
            std::array<char, 24> digits{};
            const auto end = std::to_chars(digits.data(), digits.data() + digits.size(),
                                           static_cast<long long>(std::fabs(k)))
                                 .ptr;
            std::string_view whole(digits.data(), static_cast<std::size_t>(end - digits.data()));
            int decimals = n;
            while (decimals > 0 && whole.back() == '0') {
                whole.remove_suffix(1);
                --decimals;
            }
            std::string text = k < 0 ? "-" : "";
            const auto count = static_cast<int>(whole.size());
            if (count > decimals) {
                text.append(whole.substr(0, static_cast<std::size_t>(count - decimals)));
            }
            if (decimals > 0) {
                text += '.';
                text.append(static_cast<std::size_t>(std::max(0, decimals - count)), '0');
                text.append(whole.substr(static_cast<std::size_t>(std::max(0, count - decimals))));
            }
            return text;
        }
    }
    return NumberText(RoundHalfEven(x, n));
}

std::string NumberText(double x) {
    if (!std::isfinite(x)) {
        return "Error"; // the engine never returns such a value; never show a number for it
    }
    if (x == 0) {
        return "0";
    }
    const Digits digits = SignificantDigits(x);
    if (digits.exponent < -4 || digits.exponent >= 15) {
        return ExponentForm(digits);
    }
    return PlainForm(digits);
}

std::string PictureText(double x, std::string_view picture, std::string_view decimalSeparator) {
    if (!std::isfinite(x)) {
        return "Error";
    }
    const std::size_t point = picture.find('.');
    const std::string_view integerPart = picture.substr(0, point);
    const int decimals =
        point == std::string_view::npos ? 0 : static_cast<int>(picture.size() - point - 1);
    // Digits from the first '0' placeholder on are always written.
    const std::size_t firstZero = integerPart.find('0');
    const std::size_t minimumDigits =
        firstZero == std::string_view::npos ? 0 : integerPart.size() - firstZero;

    const double rounded = RoundHalfEven(x, decimals);
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                      std::fabs(rounded), std::chars_format::fixed, decimals);
    const std::string_view fixed(buffer.data(),
                                 static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t fixedPoint = fixed.find('.');
    std::string_view whole = fixed.substr(0, fixedPoint);
    const std::string_view fraction =
        fixedPoint == std::string_view::npos ? std::string_view{} : fixed.substr(fixedPoint + 1);

    while (!whole.empty() && whole.front() == '0') {
        whole.remove_prefix(1);
    }
    std::string text;
    // A value that rounds to zero shows no sign.
    if (std::signbit(rounded) && rounded != 0) {
        text += '-';
    }
    if (whole.size() < minimumDigits) {
        text.append(minimumDigits - whole.size(), '0');
    }
    text += whole;
    if (decimals > 0) {
        text += decimalSeparator;
        text += fraction;
    }
    return text;
}

bool IsNumeric(std::string_view text) {
    text = SkipLeadingBlanks(text);
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    const NumberScan scan = ScanNumber(text);
    return scan.length != 0 && scan.length == text.size() && !Convert(text, scan).overflow;
}

double ReadNumber(std::string_view text) {
    text = SkipLeadingBlanks(text);
    const NumberScan scan = ScanNumber(text);
    if (scan.length == 0) {
        return 0;
    }
    return Convert(text, scan).value;
}

} // namespace hygrovane
