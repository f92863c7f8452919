#include "text/number_text.h"

#include <array>
#include <charconv>

namespace hygrovane::text {

namespace {

// Room for any double in fixed notation with up to 340 decimals.
using Buffer = std::array<char, 700>;

template <typename... Format> std::string Written(double x, Format... format) {
    Buffer buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x, format...);
    if (result.ec != std::errc()) {
        return {};
    }
    return std::string(buffer.data(), result.ptr);
}

} // namespace

std::string ShortestText(double x) {
    std::string text;
    AppendShortestText(text, x);
    return text;
}

void AppendShortestText(std::string& out, double x) {
    // The longest shortest text of a double: "-2.2250738585072014e-308", 24 characters.
    std::array<char, 32> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x);
    out.append(buffer.data(), result.ptr);
}

std::string FixedText(double x, int decimals) {
    return Written(x, std::chars_format::fixed, decimals);
}

std::string GeneralText(double x, int significant) {
    return Written(x, std::chars_format::general, significant);
}

std::string FixedTextUnsignedZero(double x, int decimals) {
    std::string written = FixedText(x, decimals);
    if (written.starts_with('-') && written.find_first_not_of("-0.") == std::string::npos) {
        written.erase(0, 1);
    }
    return written;
}

} // namespace hygrovane::text
