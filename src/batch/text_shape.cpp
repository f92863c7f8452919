#include "batch/text_shape.h"

#include "batch/columns.h"
#include "display/number_text.h"
#include "text/blanks.h"
#include "text/utf8.h"
#include "textfile/csv_cell.h"
#include "textfile/text_lines.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>

namespace hygrovane::batch {

namespace {

// Enough lines to find a header below many title lines, and to judge the separator.
constexpr std::size_t kSampleLines = kMostHeaderLine;
constexpr std::size_t kPreviewRows = 20;

struct Line {
    std::size_t begin; // in the bytes
    std::size_t end;   // without the line end
    std::size_t next;  // the start of the next line
};

// The first lines from `from` on; fault: a line end of another kind among them.
std::vector<Line> LinesOf(std::string_view bytes, std::size_t from, bool complete,
                          textfile::LineEnd kind, std::optional<textfile::LineFailure>& fault) {
    std::vector<Line> lines;
    textfile::Lines split(bytes.substr(from), kind, complete);
    std::string_view line;
    while (lines.size() < kSampleLines) {
        const std::size_t begin = from + split.offset();
        if (!split.Next(line)) {
            break;
        }
        lines.push_back({begin, begin + line.size(), from + split.offset()});
    }
    fault = split.failure();
    return lines;
}

// How strongly a line reads as the header: the quantities its cells name.
int HeaderScore(const std::vector<std::string>& cells) {
    bool dryBulb = false, humidity = false, pressure = false;
    for (const std::string& cell : cells) {
        const HeaderMeaning meaning = MeaningOf(cell);
        if (meaning.role) {
            dryBulb = dryBulb || *meaning.role == Role::DryBulb;
            humidity = humidity || *meaning.role == Role::Humidity;
            pressure =
                pressure || *meaning.role == Role::Pressure || *meaning.role == Role::Altitude;
        }
    }
    return 2 * static_cast<int>(dryBulb) + 2 * static_cast<int>(humidity) +
           static_cast<int>(pressure);
}

// A row of readings: at least half of its filled cells are numbers.
bool LooksLikeData(const std::vector<std::string>& cells, bool decimalComma) {
    std::size_t filled = 0, numbers = 0;
    for (const std::string& cell : cells) {
        const CellNumber number = ReadCellNumber(cell, decimalComma);
        filled += number.status != CellNumber::Status::Empty ? 1 : 0;
        numbers += number.status == CellNumber::Status::Number ? 1 : 0;
    }
    return numbers > 0 && 2 * numbers >= filled;
}

std::string_view Trimmed(std::string_view text) {
    return text::Trim(text);
}

std::size_t CellCount(std::string_view line, char separator) {
    std::vector<std::string_view> cells;
    SplitCells(line, separator, cells);
    return cells.size();
}

// The most frequent cell count of at least 2 among the lines (ties: the larger count) and how
// many lines have it; {0, 0} when no line has two cells.
std::pair<std::size_t, std::size_t> ModalCount(const std::vector<std::size_t>& counts) {
    std::map<std::size_t, std::size_t> frequency;
    for (const std::size_t count : counts) {
        if (count >= 2) {
            ++frequency[count];
        }
    }
    std::pair<std::size_t, std::size_t> best{0, 0};
    for (const auto& [count, lines] : frequency) {
        if (lines >= best.second) {
            best = {count, lines};
        }
    }
    return best;
}

std::vector<std::string> DecodedCells(std::string_view line, const TextShape& shape) {
    std::vector<std::string_view> cells;
    SplitCells(line, shape.separator, cells);
    std::vector<std::string> texts;
    texts.reserve(cells.size());
    for (const std::string_view cell : cells) {
        texts.push_back(ToUtf8(CellText(cell), shape.encoding));
    }
    return texts;
}

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    return text::IsValidUtf8(bytes, true);
}

std::string ToUtf8(std::string_view bytes, Encoding encoding) {
    return encoding == Encoding::Utf8 ? std::string(bytes) : text::Latin1ToUtf8(bytes);
}

void SplitCells(std::string_view line, char separator, std::vector<std::string_view>& cells) {
    cells.clear();
    std::size_t start = 0;
    std::size_t i = 0;
    while (true) {
        // A cell whose first non-blank character is a quote runs to its closing quote.
        std::size_t j = i;
        while (j < line.size() && line[j] == ' ') {
            ++j;
        }
        if (j < line.size() && line[j] == '"') {
            ++j;
            while (j < line.size()) {
                if (line[j] == '"') {
                    if (j + 1 < line.size() && line[j + 1] == '"') {
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
            i = j;
        }
        const std::size_t next = line.find(separator, i);
        if (next == std::string_view::npos) {
            cells.push_back(line.substr(start));
            return;
        }
        cells.push_back(line.substr(start, next - start));
        start = i = next + 1;
    }
}

std::string CellText(std::string_view cell) {
    cell = Trimmed(cell);
    if (cell.empty() || cell.front() != '"') {
        return std::string(cell);
    }
    std::string text;
    for (std::size_t i = 1; i < cell.size(); ++i) {
        if (cell[i] == '"') {
            if (i + 1 < cell.size() && cell[i + 1] == '"') {
                text += '"';
                ++i;
                continue;
            }
            // Anything after the closing quote is kept as written.
            text.append(cell.substr(i + 1));
            break;
        }
        text += cell[i];
    }
    return std::string(Trimmed(text));
}

CellNumber ReadCellNumber(std::string_view cell, bool decimalComma) {
    cell = Trimmed(cell);
    if (cell.size() >= 2 && cell.front() == '"' && cell.back() == '"') {
        cell = Trimmed(cell.substr(1, cell.size() - 2));
    }
    if (cell.empty()) {
        return {};
    }
    std::array<char, 64> buffer{};
    if (decimalComma && cell.size() <= buffer.size()) {
        const std::size_t comma = cell.find(',');
        if (comma != std::string_view::npos && cell.find('.') == std::string_view::npos &&
            cell.find(',', comma + 1) == std::string_view::npos) {
            std::copy(cell.begin(), cell.end(), buffer.begin());
            buffer[comma] = '.';
            cell = std::string_view(buffer.data(), cell.size());
        }
    }
    // Most cells are plain decimals: read them once. For these from_chars reads exactly what
    // ReadNumber reads; signs, exponents and long texts take the window's own path.
    const bool plain = cell.size() <= 24 && std::all_of(cell.begin(), cell.end(), [](char c) {
                           return (c >= '0' && c <= '9') || c == '.' || c == '-';
                       });
    if (plain) {
        double value = 0;
        const auto result = std::from_chars(cell.data(), cell.data() + cell.size(), value);
        if (result.ec == std::errc() && result.ptr == cell.data() + cell.size()) {
            return {CellNumber::Status::Number, value};
        }
    }
    if (!IsNumeric(cell)) {
        return {CellNumber::Status::NotNumber, 0};
    }
    return {CellNumber::Status::Number, ReadNumber(cell)};
}

namespace {

// A cell any CSV reader reads as this one does: without quotes, or quoted from its first byte to
// its last.
bool WellQuoted(std::string_view cell) {
    const std::size_t first = cell.find_first_not_of(" \t");
    if (first == std::string_view::npos || cell[first] != '"') {
        return true;
    }
    if (first != 0 || cell.size() < 2) {
        return false;
    }
    std::size_t i = 1;
    while (i < cell.size()) {
        if (cell[i] == '"') {
            if (i + 1 < cell.size() && cell[i + 1] == '"') {
                i += 2;
                continue;
            }
            return i + 1 == cell.size();
        }
        ++i;
    }
    return false; // never closed
}

// A cell copied as written: well quoted, and a line break it holds between its quotes.
bool CopiedAsWritten(std::string_view cell) {
    if (!WellQuoted(cell)) {
        return false;
    }
    const std::size_t first = cell.find_first_not_of(" \t");
    const bool quoted = first != std::string_view::npos && cell[first] == '"';
    return quoted || cell.find_first_of("\r\n") == std::string_view::npos;
}

} // namespace

void AppendPassedThrough(std::string& out, std::string_view line,
                         const std::vector<std::string_view>& cells, char separator) {
    if (line.find_first_of("\"\r\n") == std::string_view::npos ||
        std::all_of(cells.begin(), cells.end(), CopiedAsWritten)) {
        out += line;
        return;
    }
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i != 0) {
            out += separator;
        }
        if (CopiedAsWritten(cells[i])) {
            out += cells[i];
            continue;
        }
        // The input's own text, quoted anew but not otherwise changed.
        out += '"';
        for (const char c : CellText(cells[i])) {
            if (c == '"') {
                out += '"';
            }
            out += c;
        }
        out += '"';
    }
}

void AppendCell(std::string& out, std::string_view text, char separator, bool alwaysQuote) {
    textfile::AppendCsvCell(out, text, separator, alwaysQuote);
}

std::string_view WideEncoding(std::string_view bytes) {
    if (bytes.starts_with(std::string_view("\xFF\xFE\0\0", 4)) ||
        bytes.starts_with(std::string_view("\0\0\xFE\xFF", 4))) {
        return "UTF-32";
    }
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        return "UTF-16";
    }
    // Without a mark: text of ASCII characters has three NULs in each group of four bytes
    // (UTF-32) or one in each pair (UTF-16), always in the same places.
    const std::size_t length = std::min<std::size_t>(bytes.size(), 512) / 4 * 4;
    if (length == 0) {
        return {};
    }
    std::array<std::size_t, 4> nuls{};
    for (std::size_t i = 0; i < length; ++i) {
        nuls[i % 4] += bytes[i] == '\0' ? 1 : 0;
    }
    const std::size_t groups = length / 4;
    const auto most = [&](std::size_t count) { return 4 * count >= 3 * groups; };
    if ((most(nuls[1]) && most(nuls[2]) && most(nuls[3])) ||
        (most(nuls[0]) && most(nuls[1]) && most(nuls[2]))) {
        return "UTF-32";
    }
    if ((most(nuls[1]) && most(nuls[3])) || (most(nuls[0]) && most(nuls[2]))) {
        return "UTF-16";
    }
    return {};
}

bool ReadFileHead(std::string_view bytes, bool complete, char separator, FileHead& head,
                  std::size_t headerLine) {
    head = FileHead{};
    TextShape& shape = head.shape;
    std::size_t start = 0;
    start = textfile::MarkLength(bytes);
    shape.byteOrderMark = start != 0;
    const std::optional<textfile::LineEnd> kind = textfile::FirstLineEnd(bytes, start, complete);
    if (!kind && !complete) {
        return false;
    }
    shape.lineEnds = kind.value_or(textfile::LineEnd::Lf);
    shape.lineEnd = std::string(textfile::BytesOf(shape.lineEnds));
    shape.lineBreak = shape.lineEnds == textfile::LineEnd::Cr ? '\r' : '\n';
    const std::vector<Line> lines =
        LinesOf(bytes, start, complete, shape.lineEnds, head.lineFailure);
    if (head.lineFailure) {
        return true;
    }
    if (lines.empty()) {
        return false;
    }
    const auto text = [&](const Line& line) {
        return bytes.substr(line.begin, line.end - line.begin);
    };
    const std::size_t sampleEnd = lines.back().next;
    shape.encoding = shape.byteOrderMark || IsValidUtf8(bytes.substr(start, sampleEnd - start))
                         ? Encoding::Utf8
                         : Encoding::Latin1;

    std::vector<std::string_view> cells;
    SplitCells(text(lines.front()), ',', cells);
    shape.toa5 = headerLine == 0 && !cells.empty() && CellText(cells.front()) == "TOA5";
    const std::size_t firstCounted = shape.toa5 ? 1 : 0;

    if (separator != 0) {
        shape.separator = separator;
    } else {
        // The separator that gives most lines the same number of cells; on a tie the one least
        // likely inside a number (a semicolon file may write decimal commas).
        std::size_t bestScore = 0;
        for (const char candidate : {'\t', ';', ','}) {
            std::vector<std::size_t> candidateCounts;
            for (std::size_t i = firstCounted; i < lines.size(); ++i) {
                candidateCounts.push_back(CellCount(text(lines[i]), candidate));
            }
            const std::size_t score = ModalCount(candidateCounts).second;
            if (score > bestScore) {
                bestScore = score;
                shape.separator = candidate;
            }
        }
    }
    shape.decimalComma = shape.separator != ',';

    // The header by what it says, never by its number of cells: a data row is never taken.
    std::size_t header = 0;
    if (shape.toa5) {
        header = 1;
        shape.headerLines = 3;
    } else if (headerLine != 0) {
        if (lines.size() < headerLine) {
            return false;
        }
        header = headerLine - 1;
    } else {
        // Scored until the rows of numbers below a line naming a dry bulb and a humidity.
        std::vector<int> scores;
        std::vector<bool> data;
        int best = 0;
        for (const Line& line : lines) {
            const std::vector<std::string> decoded = DecodedCells(text(line), shape);
            data.push_back(LooksLikeData(decoded, shape.decimalComma));
            if (best >= 4 && data.back()) {
                break;
            }
            scores.push_back(data.back() ? 0 : HeaderScore(decoded));
            best = std::max(best, scores.back());
        }
        if (best > 0) {
            // The last line naming as much before the rows that follow the first one.
            std::size_t i = static_cast<std::size_t>(std::find(scores.begin(), scores.end(), best) -
                                                     scores.begin());
            header = i;
            for (; i < scores.size() && !data[i]; ++i) {
                header = scores[i] == best ? i : header;
            }
            // A line naming one quantity only may be a title ("Temperature log"): then the
            // header is the line just above the rows.
            if (best < 4 && i < data.size() && data[i] && i > header + 1) {
                header = i - 1;
            }
        } else {
            // Nothing named: the line above the first row of numbers, or none.
            if (!complete && lines.size() < kSampleLines) {
                return false; // the header may be further down
            }
            const std::size_t first =
                static_cast<std::size_t>(std::find(data.begin(), data.end(), true) - data.begin());
            if (first == 0) {
                shape.headerLines = 0;
            }
            header = first == data.size() || first == 0 ? 0 : first - 1;
        }
    }
    shape.titleLines = header;
    const std::size_t firstData = header + shape.headerLines;
    if (firstData > lines.size()) {
        return false;
    }
    // Without a data line the header may still grow: wait for more bytes unless there are none.
    if (firstData == lines.size() && !complete) {
        return false;
    }
    for (std::size_t i = 0; i < firstData; ++i) {
        head.rawLines.emplace_back(text(lines[i]));
    }
    if (shape.headerLines == 0) {
        // No header: the columns are known by their positions alone.
        head.names.assign(DecodedCells(text(lines.front()), shape).size(), std::string());
    } else {
        head.names = DecodedCells(text(lines[header]), shape);
    }
    if (shape.toa5) {
        head.units = DecodedCells(text(lines[header + 1]), shape);
    }
    head.dataOffset = firstData < lines.size() ? lines[firstData].begin : lines.back().next;
    for (std::size_t i = firstData; i < lines.size() && head.rows.size() < kPreviewRows; ++i) {
        if (lines[i].end > lines[i].begin) {
            head.rows.push_back(DecodedCells(text(lines[i]), shape));
        }
    }
    if (shape.decimalComma) {
        for (const auto& row : head.rows) {
            for (const std::string& cell : row) {
                shape.decimalCommaSeen =
                    shape.decimalCommaSeen ||
                    (cell.find(',') != std::string::npos &&
                     ReadCellNumber(cell, true).status == CellNumber::Status::Number);
            }
        }
    }
    return true;
}

} // namespace hygrovane::batch
