#pragma once

#include "textfile/text_lines.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrovane::batch {

enum class Encoding { Utf8, Latin1 };

// How a logger file is written, as found in its first lines.
struct TextShape {
    Encoding encoding = Encoding::Utf8;
    bool byteOrderMark = false;
    char separator = ',';
    // Numbers may write a decimal comma ("21,5"): only where the comma cannot separate cells.
    bool decimalComma = false;
    // The first data rows write such numbers: the computed ones are written the same way.
    bool decimalCommaSeen = false;
    // Campbell Scientific's TOA5: an environment line, then names, units and processing lines.
    bool toa5 = false;
    std::size_t titleLines = 0;  // lines above the header, passed through (TOA5: its first line)
    std::size_t headerLines = 1; // names (TOA5: names, units, processing)
    // The one kind of line end of the file (CR alone: old Macintosh "CSV"), and its bytes.
    textfile::LineEnd lineEnds = textfile::LineEnd::Lf;
    std::string lineEnd = "\n";
    // The byte that ends a line: '\n' (LF and CRLF) or '\r' (CR alone).
    char lineBreak = '\n';
};

// The head of a file as read from its first bytes: its shape, its header and a few data rows.
struct FileHead {
    TextShape shape;
    std::vector<std::string> rawLines;          // title and header lines, as in the file
    std::vector<std::string> names;             // of the columns, UTF-8
    std::vector<std::string> units;             // TOA5's units line, UTF-8; else empty
    std::vector<std::vector<std::string>> rows; // the first data rows, cells in UTF-8
    std::size_t dataOffset = 0;                 // where the data rows start in the bytes
    // A line end of another kind among the lines read: the file is refused with it.
    std::optional<textfile::LineFailure> lineFailure;
};

// Reads the shape and header from the first bytes of a file. complete: these are all its bytes.
// False when no header line ends within them (the caller reads more, or gives up). True with
// lineFailure set when a line end of another kind than the first line's is found.
// A separator other than 0 is taken as given. The header is the line that names most of the
// quantities read (a dry bulb, a humidity, a pressure or altitude), the last such line before the
// data; when no line names one, the line above the first row of numbers (none when the file
// starts with numbers). headerLine: the header is that line (from 1), the lines above are titles.
bool ReadFileHead(std::string_view bytes, bool complete, char separator, FileHead& head,
                  std::size_t headerLine = 0);
// The furthest line the header is looked for on, and may be given on.
inline constexpr std::size_t kMostHeaderLine = 1024;

// The text encodings that are refused, by their byte-order mark or their NUL bytes: "UTF-16",
// "UTF-32", or empty.
std::string_view WideEncoding(std::string_view bytes);

// True when the bytes are valid UTF-8; a sequence cut at the end passes.
bool IsValidUtf8(std::string_view bytes);
// Latin-1 to UTF-8; UTF-8 as it is.
std::string ToUtf8(std::string_view bytes, Encoding encoding);

// The cells of one line (without its line end), quote-aware; a quoted cell keeps its quotes.
// A quote left open ends with the line.
void SplitCells(std::string_view line, char separator, std::vector<std::string_view>& cells);
// The text of a cell: blanks around it trimmed, its quotes removed and doubled quotes undone.
std::string CellText(std::string_view cell);

// A cell as the window reads a typed number.
struct CellNumber {
    enum class Status { Number, Empty, NotNumber };
    Status status = Status::Empty;
    double value = 0;
};
// Blanks and quotes around the number are ignored; a decimal comma is read as a point when allowed.
CellNumber ReadCellNumber(std::string_view cell, bool decimalComma);

// A line for the output as it was, unless a cell's quotes are not closed where the cell ends
// (an unclosed quote would swallow the cells written after it) or a cell holds a CR or LF outside
// quotes (it would end the line): such cells are quoted anew. Cells are not otherwise changed:
// they are the input's own. cells: the line's cells from SplitCells.
void AppendPassedThrough(std::string& out, std::string_view line,
                         const std::vector<std::string_view>& cells, char separator);

// A cell of the program's own text for the output (textfile::AppendCsvCell): kept from running as
// a formula, quoted when it holds the separator, a quote or a line break.
void AppendCell(std::string& out, std::string_view text, char separator, bool alwaysQuote = false);

} // namespace hygrovane::batch
