#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hygrovane {

// x rounded to n decimals: the nearest integer to x * 10^n (ties to even) divided by 10^n.
// The one rounding rule of the program; pictures use it too.
double RoundHalfEven(double x, int n);

// The display rule for every number of the windows: RoundHalfEven(x, n) written by NumberText.
std::string RoundedText(double x, int n);

// Writes an already rounded number without rounding it further: "." as separator, no trailing
// zeros, ".5" / "-.5", "0", at most 15 significant digits, exponent form ("1E-05", "2.5E-06",
// "1E+15") below 1E-4 or from 1E+15.
std::string NumberText(double x);

// Picture formats "00.0000", "0.0000", "#0.0000", "##.0000": "0" a digit always written, "#"
// one written only when significant, then the separator and exactly four decimals. Negative
// zero is written without a sign.
std::string PictureText(double x, std::string_view picture, std::string_view decimalSeparator);

// The numeric test of an input text: blanks around, an optional sign, digits with an optional
// "." and decimals, an optional exponent; nothing else, and within the range of a double.
bool IsNumeric(std::string_view text);

// The number read from the start of a text ("." as decimal point, blanks ignored), stopping at
// the first character that cannot continue it; 0 when there is none. For a text that passes
// IsNumeric this is exactly that number.
double ReadNumber(std::string_view text);

} // namespace hygrovane
