#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrovane::text {

// UTF-8 as every reader judges it: the shortest form of each code point, no surrogate halves
// (U+D800 to U+DFFF), nothing above U+10FFFF.

// The code points of the text; none when it is not valid UTF-8.
std::optional<std::vector<char32_t>> CodePoints(std::string_view text);

// Whether the text is valid UTF-8. A sample cut from a longer text may end inside a character:
// with cutAtEnd, a sequence that is right as far as it goes passes at the end.
bool IsValidUtf8(std::string_view text, bool cutAtEnd = false);

// Latin-1 (ISO 8859-1) bytes as UTF-8: each byte is its own code point.
std::string Latin1ToUtf8(std::string_view bytes);

} // namespace hygrovane::text
