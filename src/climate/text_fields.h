#pragma once

// Splitting and reading the comma-separated lines of the weather files.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrovane::climate {

// The lines of a text, without their "\n" or "\r\n" ends; a last line without an end counts.
std::vector<std::string_view> SplitLines(std::string_view text);

// The comma-separated fields of a line into `fields` (cleared first). No quoting: EPW fields
// never hold commas. With `quoted`, a field in double quotes may hold commas (TMY3 names).
void SplitFields(std::string_view line, std::vector<std::string_view>& fields, bool quoted = false);

// The field without surrounding blanks.
std::string_view Trimmed(std::string_view text);

// A decimal number filling the whole field (blanks around it allowed); none for text, for an
// empty field or for a value that is not finite.
std::optional<double> NumberOf(std::string_view field);
// An integer filling the whole field; none otherwise.
std::optional<long> IntegerOf(std::string_view field);

// The text as UTF-8: kept when it is valid UTF-8, otherwise read as Latin-1 (ISO 8859-1), the
// encoding of older weather files' place names.
std::string Utf8Of(std::string_view text);

} // namespace hygrovane::climate
