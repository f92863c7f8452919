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
// "1E+15") below 1E-4 or from 1E+15. An infinity or NaN (which no calculation should produce) is
// written "Error" rather than as a number.
std::string NumberText(double x);

// Picture formats "00.0000", "0.0000", "#0.0000", "##.0000": "0" a digit always written, "#"
// one written only when significant, then the separator and exactly four decimals. Negative
// zero, and a negative value that rounds to zero, is written without a sign. The number of
// decimals is the number of places after the picture's ".".
std::string PictureText(double x, std::string_view picture, std::string_view decimalSeparator);

// The numeric test of an input text: blanks around, an optional sign, digits with an optional
// "." and decimals, an optional exponent; nothing else, and within the range of a double.
// Blanks are spaces and tabs. "5." and ".5" pass, "." alone does not; no locale is consulted
// (so "1,5" fails). A magnitude beyond the largest double fails ("1e400"); one below the
// smallest passes and reads as 0 ("1e-400").
bool IsNumeric(std::string_view text);

// The number read from the start of a text ("." as decimal point, leading blanks skipped),
// stopping at the first character that cannot continue it; 0 when there is none. For a text
// that passes IsNumeric this is exactly that number ("1 2" reads 1). A leading number beyond
// the range of a double reads as the largest double of its sign, one below the smallest as 0;
// the result is never an infinity or NaN.
double ReadNumber(std::string_view text);

} // namespace hygrovane
