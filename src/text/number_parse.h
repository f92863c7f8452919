#pragma once

#include <charconv>
#include <optional>
#include <string_view>
#include <system_error>
#include <type_traits>

namespace hygrovane::text {

// A decimal number that is the whole text: digits with an optional '-', point and exponent
// ("-0", ".5", "5.", "1e3"), read the same whatever the locale. No blanks, no '+', no hexadecimal,
// no infinity or NaN, nothing beyond a double's range either way ("1e400", "1e-400").
std::optional<double> ParseNumber(std::string_view text);

// A number a person typed: ParseNumber's, with blanks around it and a '+' before it allowed.
std::optional<double> ParseTypedNumber(std::string_view text);

// A decimal integer that is the whole text and fits T: digits with an optional '-' for a signed T.
template <typename T>
    requires std::is_integral_v<T>
std::optional<T> ParseInteger(std::string_view text) {
    T value{};
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || last != end) {
        return std::nullopt;
    }
    return value;
}

} // namespace hygrovane::text
