// The numeric test and the reading of input texts, and the display rule RoundedText.
#include "display/number_text.h"
#include "fuzz_support.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using hygrovane::fuzz::Fail;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The grammar of a written number: "-"? then "0" alone, or an optional integer part without a
// leading zero and an optional fraction without a trailing zero, or a mantissa of one non-zero
// digit and such a fraction followed by "E", a sign and at least two exponent digits.
// significantDigits receives the count of the mantissa's significant digits.
bool WellFormed(std::string_view text, int& significantDigits, bool& exponentForm) {
    significantDigits = 0;
    exponentForm = false;
    if (text == "0") {
        return true;
    }
    if (!text.empty() && text.front() == '-') {
        text.remove_prefix(1);
    }
    const std::size_t e = text.find('E');
    std::string_view mantissa = text.substr(0, e);
    if (e != std::string_view::npos) {
        exponentForm = true;
        std::string_view exponent = text.substr(e + 1);
        if (exponent.size() < 3 || (exponent[0] != '+' && exponent[0] != '-')) {
            return false;
        }
        exponent.remove_prefix(1);
        for (char c : exponent) {
            if (!IsDigit(c)) {
                return false;
            }
        }
        if (exponent.size() > 2 && exponent[0] == '0') {
            return false;
        }
    }
    const std::size_t point = mantissa.find('.');
    const std::string_view whole = mantissa.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);
    if (point != std::string_view::npos && fraction.empty()) {
        return false; // a trailing decimal point
    }
    if (whole.empty() && fraction.empty()) {
        return false;
    }
    if (!whole.empty() && whole[0] == '0') {
        return false; // a leading zero
    }
    if (exponentForm && whole.size() != 1) {
        return false;
    }
    if (!fraction.empty() && fraction.back() == '0') {
        return false; // a trailing zero
    }
    for (char c : whole) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    for (char c : fraction) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    std::string digits = std::string(whole) + std::string(fraction);
    const std::size_t first = digits.find_first_not_of('0');
    significantDigits = first == std::string::npos ? 0 : static_cast<int>(digits.size() - first);
    return significantDigits > 0;
}

void CheckReading(std::string_view text) {
    const double value = hygrovane::ReadNumber(text);
    if (!std::isfinite(value)) {
        Fail("ReadNumber gave a non-finite number");
    }
    if (!hygrovane::IsNumeric(text)) {
        return;
    }
    // A numeric text reads as exactly the number it writes (the C library's correctly rounded
    // reading of the same characters, blanks removed).
    std::string trimmed(text);
    const std::size_t start = trimmed.find_first_not_of(" \t");
    const std::size_t end = trimmed.find_last_not_of(" \t");
    trimmed = trimmed.substr(start, end - start + 1);
    errno = 0;
    char* stop = nullptr;
    const double expected = std::strtod(trimmed.c_str(), &stop);
    if (*stop != '\0') {
        Fail("a numeric text is not a number in C's syntax");
    }
    const bool underflow = errno == ERANGE && std::fabs(expected) < 1;
    if (!(value == expected || (underflow && value == 0))) {
        Fail("ReadNumber of a numeric text is not its number");
    }
}

void CheckRounding(double x, int decimals) {
    if (!std::isfinite(x)) {
        return;
    }
    const std::string text = hygrovane::RoundedText(x, decimals);
    int significant = 0;
    bool exponentForm = false;
    if (!WellFormed(text, significant, exponentForm)) {
        Fail("RoundedText wrote a malformed number");
    }
    if (significant > 15) {
        Fail("RoundedText wrote more than 15 significant digits");
    }
    if (!hygrovane::IsNumeric(text)) {
        Fail("RoundedText wrote a text that fails the numeric test");
    }
    const double back = hygrovane::ReadNumber(text);
    const double magnitude = std::fabs(back);
    if (exponentForm != (back != 0 && (magnitude < 1e-4 || magnitude >= 1e15))) {
        Fail("RoundedText chose the wrong form");
    }
    if (!exponentForm) {
        const std::size_t point = text.find('.');
        if (point != std::string::npos && static_cast<int>(text.size() - point - 1) > decimals) {
            Fail("RoundedText wrote more decimals than asked");
        }
    }
    // Half a unit of the last place asked for, or of the 15th significant digit when the
    // number has more digits than that; plus a few units of the double's own precision.
    double tolerance = 0.5 * std::pow(10.0, -decimals);
    if (x != 0) {
        const double fifteenth = 0.5 * std::pow(10.0, std::floor(std::log10(std::fabs(x))) - 14);
        tolerance = std::fmax(tolerance, fifteenth);
    }
    if (std::fabs(x) > 1.797693134862314e308) {
        // Rounded up these would leave the double range; they are cut, within a whole unit.
        tolerance *= 2;
    }
    tolerance += 4 * std::fabs(x) * 2.220446049250313e-16;
    if (!(std::fabs(back - x) <= tolerance)) {
        Fail("RoundedText does not read back within half a unit of its last place");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Every input is a text for the reader; one of at least 9 bytes is also a double (its
    // first 8 bytes) and a number of decimals (the 9th byte).
    CheckReading(std::string_view(reinterpret_cast<const char*>(data), size));
    if (size >= 9) {
        double x = 0;
        std::memcpy(&x, data, sizeof x);
        CheckRounding(x, data[8] % 11);
    }
    return 0;
}
