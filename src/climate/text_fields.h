#pragma once

// Splitting and reading the comma-separated lines of the weather files.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrovane::climate {

// The lines of a text, without their "\n", "\r\n" or lone "\r" ends (old Mac files end lines
// with a CR alone); a last line without an end counts.
std::vector<std::string_view> SplitLines(std::string_view text);

// The same lines one at a time, so that a reader holds only those it keeps.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : text_(text) {}
    // The next line into `line`; false at the end of the text.
    bool Next(std::string_view& line);
    // Lines given so far: the 1-based number of the last one.
    std::size_t Count() const { return count_; }
    // True when nothing but blanks and line ends follows the last line given.
    bool RestBlank() const;

  private:
    static constexpr std::size_t kUnknown = std::string_view::npos;
    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t count_ = 0;
    std::size_t lf_ = kUnknown, cr_ = kUnknown; // the next of each at or after at_
};

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
