#pragma once

#include <string_view>

namespace hygrovane::text {

// The blanks around a typed or read field: space, tab, carriage return, line feed, vertical tab
// and form feed (what C's isspace means in the "C" locale), never a letter of another script.
bool IsBlank(char c);

// text without the blanks at either end.
std::string_view Trim(std::string_view text);

} // namespace hygrovane::text
