#pragma once

#include <string>

namespace hygrovane::text {

// Number texts a machine reads back, the same whatever the C library's locale: always a '.'.

// The fewest digits that read back as x ("0.1", "1e+30", "-0").
std::string ShortestText(double x);
// The same appended to out, without a string of its own (for writers of many numbers).
void AppendShortestText(std::string& out, double x);

// x with the given decimals, as printf's "%.*f" writes it in the "C" locale ("-0.0" kept).
std::string FixedText(double x, int decimals);

// x with the given significant digits, as printf's "%.*g" writes it in the "C" locale.
std::string GeneralText(double x, int significant);

// FixedText without the sign of a value that rounds to zero ("-0.04" with one decimal: "0.0").
std::string FixedTextUnsignedZero(double x, int decimals);

} // namespace hygrovane::text
