#pragma once

// The cells of free text every CSV writer writes: a text that a spreadsheet would run as a
// formula (a city named "=2+3", a note "@SUM(A1)") is kept as text by a leading apostrophe, as
// spreadsheets recommend; a cell that is a number as a whole ("-3.5", "+1e3", "-3,5") stays one.

#include <string>
#include <string_view>

namespace hygrovane::textfile {

// True when the text starts with =, +, - or @ and is not a number as a whole (a decimal point or
// comma, an exponent); a lone sign is no formula.
bool RunsAsFormula(std::string_view text);

// The text, with an apostrophe before it when it runs as a formula.
std::string KeptAsText(std::string_view text);

// A CSV cell of a free text: KeptAsText, then quoted when it holds the separator, a quote, a CR or
// an LF, or when always is set (RFC 4180: quotes doubled).
void AppendCsvCell(std::string& out, std::string_view text, char separator = ',',
                   bool always = false);

} // namespace hygrovane::textfile
