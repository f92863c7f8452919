#pragma once

// The one line splitter of the text files read (logger files, weather files): a file's lines end
// in one way, LF, CRLF or CR alone, and a line end of another kind is a failure with its line,
// never a line joined to the next or split in two. A UTF-8 byte-order mark before the first line is
// skipped.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hygrovane::textfile {

enum class LineEnd : std::uint8_t { Lf, CrLf, Cr };

// "LF", "CRLF", "CR".
std::string_view NameOf(LineEnd end);
// The bytes of the line end.
std::string_view BytesOf(LineEnd end);

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
// 3 when the bytes start with a UTF-8 byte-order mark, else 0.
std::size_t MarkLength(std::string_view bytes);

// The kind of the first line end at or after from; none when no line ends in the bytes, or when
// they end in a CR that more bytes may turn into a CRLF (complete: nothing follows the bytes).
std::optional<LineEnd> FirstLineEnd(std::string_view bytes, std::size_t from, bool complete);

// The line end found where the file's lines end in another way.
enum class LineFailureKind : std::uint8_t {
    CrAlone, // a CR not followed by LF, in an LF or CRLF file
    LfAlone, // an LF not preceded by CR, in a CRLF file
    CrLf,    // a CRLF in an LF or CR file
    Lf,      // an LF in a CR file
};
// "CR alone", "LF alone", "CRLF", "LF".
std::string_view NameOf(LineFailureKind kind);

// A line end of another kind than the file's: the line it ends and what it is.
struct LineFailure {
    LineFailureKind kind = LineFailureKind::CrAlone;
    std::size_t line = 0;
    LineEnd expected = LineEnd::Lf;
};
// "line 3 ends with CR alone where the file's lines end with LF; save it with one kind of line
// end".
std::string Describe(const LineFailure& failure);
// The same without the line's number, for a message that names the line already.
std::string DescribeEnd(const LineFailure& failure);

// The lines of a text of one kind of line end, in order, each without its end. A CR or LF that
// is not the file's line end is a failure, unless it stands between quotes (a quoted cell holding a
// line break of the other kind). The last line counts without a line end only when the text is
// complete; a CRLF text may end in a CR alone.
class Lines {
  public:
    // firstLine: the number of the text's first line in its file.
    Lines(std::string_view text, LineEnd kind, bool complete = true, std::size_t firstLine = 1);
    // The next line; false at the end of the text or at a failure.
    bool Next(std::string_view& line);
    // The line returned last, in the file's numbering.
    std::size_t number() const { return number_; }
    // Where the next line starts in the text.
    std::size_t offset() const { return at_; }
    const std::optional<LineFailure>& failure() const { return failure_; }

  private:
    std::string_view text_;
    LineEnd kind_;
    bool complete_;
    std::size_t at_ = 0;
    std::size_t number_ = 0;
    std::optional<LineFailure> failure_;
};

} // namespace hygrovane::textfile
