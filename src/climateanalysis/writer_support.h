#pragma once

#include "textfile/json_string.h"

// Number and text forms the result writers share.

#include <string>
#include <string_view>

namespace hygrovane::climateanalysis::detail {

// The value with `decimals` digits after the point; `none` for NaN.
std::string Fixed(double value, int decimals, std::string_view none = "");
// A CSV field, quoted when it holds a comma, a quote or a line break (RFC 4180); a text a
// spreadsheet would run as a formula is kept as text (textfile::KeptAsText).
std::string CsvField(std::string_view text);
// A JSON string literal with its quotes (RFC 8259 escapes).
using textfile::JsonString;

} // namespace hygrovane::climateanalysis::detail
