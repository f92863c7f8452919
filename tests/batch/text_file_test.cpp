// The text files every reader and writer shares: one kind of line end a file (a CR or LF of
// another kind refused with its line, never a line joined or split), the byte-order mark, and CSV
// cells of free text that a spreadsheet shows rather than runs.
#include "batch_support.h"

#include "textfile/csv_cell.h"
#include "textfile/text_lines.h"

#include <gtest/gtest.h>

namespace hygrovane::batch {
namespace {

using testing::Cells;
using testing::Lines;

struct SplitRow {
    const char* name;
    std::string text;
    std::string lines;     // the lines read, each followed by "|"
    std::size_t faultLine; // 0: none
    std::string found;
};

TEST(TextLines, OneKindOfLineEndAFile) {
    const SplitRow rows[] = {
        {"LF", "a\nb\n", "a|b|", 0, ""},
        {"CRLF", "a\r\nb\r\n", "a|b|", 0, ""},
        {"CR alone", "a\rb\r", "a|b|", 0, ""},
        {"CR alone, last line without its end", "a\rb", "a|b|", 0, ""},
        {"a byte-order mark before CR-only lines",
         "\xEF\xBB\xBF"
         "a\rb",
         "a|b|", 0, ""},
        {"blank lines kept", "a\r\n\r\nb", "a||b|", 0, ""},
        {"CRLF cut after its last CR", "a\r\nb\r", "a|b|", 0, ""},
        {"a CR inside a line of an LF file", "h\n25,50,a\rb\n", "h|", 2, "CR alone"},
        {"two readings joined by a CR", "h\n25,50\r26,40\n", "h|", 2, "CR alone"},
        {"a CRLF among LF lines", "a\nb\r\nc\n", "a|", 2, "CRLF"},
        {"an LF among CRLF lines", "a\r\nb\nc\r\n", "a|", 2, "LF alone"},
        {"a CR inside a CRLF line", "a\r\nb\rc\r\n", "a|", 2, "CR alone"},
        {"an LF among CR lines", "a\rb\nc\r", "a|", 2, "LF"},
        {"a CRLF among CR lines", "a\rb\r\nc\r", "a|b|", 2, "CRLF"},
        {"a CR between quotes is the cell's", "h\nx,\"a\rb\"\ny\n", "h|x,\"a\rb\"|y|", 0, ""},
        {"a CR after closed quotes is not", "h\nx,\"a\"\rb\n", "h|", 2, "CR alone"},
        {"empty", "", "", 0, ""},
    };
    for (const SplitRow& row : rows) {
        SCOPED_TRACE(row.name);
        const std::size_t mark = textfile::MarkLength(row.text);
        const auto kind = textfile::FirstLineEnd(row.text, mark, true);
        textfile::Lines lines(std::string_view(row.text).substr(mark),
                              kind.value_or(textfile::LineEnd::Lf));
        std::string read;
        std::string_view line;
        while (lines.Next(line)) {
            read += std::string(line) + "|";
        }
        EXPECT_EQ(read, row.lines);
        ASSERT_EQ(lines.failure().has_value(), row.faultLine != 0);
        if (lines.failure()) {
            EXPECT_EQ(lines.failure()->line, row.faultLine);
            EXPECT_EQ(textfile::NameOf(lines.failure()->kind), row.found);
        }
    }
    // Bytes still coming: the last line waits for its end, and so does a CR that may be a CRLF.
    textfile::Lines partial("a\nb", textfile::LineEnd::Lf, false);
    std::string_view line;
    EXPECT_TRUE(partial.Next(line));
    EXPECT_FALSE(partial.Next(line));
    EXPECT_EQ(partial.offset(), 2U);
    EXPECT_FALSE(textfile::FirstLineEnd("a\r", 0, false));
    EXPECT_EQ(textfile::FirstLineEnd("a\r", 0, true), textfile::LineEnd::Cr);
}

struct LineEndRow {
    const char* name;
    std::string bytes;
    int threads;
    std::string refusal; // part of the message; empty when the file converts
};

// hygrovane-batch: a file of mixed line ends is refused with the line, wherever it lies.
TEST(TextLines, BatchRefusesMixedLineEndsWithTheLine) {
    std::string many = "Temp (C),RH (%)\n";
    for (int i = 0; i < 40000; ++i) {
        many += "20," + std::to_string(30 + i % 50) + "\n";
    }
    const LineEndRow rows[] = {
        {"a CR inside a cell", "Temp (C),RH (%),Note\n25,50,a\rb\n", 1,
         "line 2 ends with CR alone where the file's lines end with LF"},
        {"two readings joined by a CR", "Temp (C),RH (%)\n25,50\r26,40\n", 1,
         "line 2 ends with CR alone"},
        {"a CRLF header above LF rows", "Temp (C),RH (%)\r\n25,50\n26,40\n", 1,
         "line 2 ends with LF alone where the file's lines end with CRLF"},
        {"far down the file, on threads", many + "25,50\r26,40\n", 3, "line 40002 ends with CR"},
        {"far down the file, on one thread", many + "25,50\r\n", 1, "line 40002 ends with CRLF"},
        {"below a long head, CR-only", "Temp (C),RH (%)\r" + std::string(70000, ' ') + "\r1,2\n", 1,
         "line 3 ends with LF"},
        {"CR-only with a byte-order mark", "\xEF\xBB\xBFTemp (C),RH (%)\r25,50\r26,40", 1, ""},
        {"a CR between quotes", "Temp (C),RH (%),Note\n25,50,\"a\rb\"\n", 1, ""},
    };
    for (const LineEndRow& row : rows) {
        SCOPED_TRACE(row.name);
        std::string error;
        const std::string out = testing::Convert(row.bytes, {}, row.threads, &error);
        if (row.refusal.empty()) {
            EXPECT_EQ(error, "");
            EXPECT_EQ(Cells(Lines(out).back()).back(), "ok");
        } else {
            EXPECT_EQ(out, "");
            EXPECT_NE(error.find(row.refusal), std::string::npos) << error << out.substr(0, 200);
        }
    }
}

// A CR or LF in a passed-through cell outside quotes would end the line in the output: the cell
// is quoted; a well-quoted cell is copied as it is.
TEST(TextLines, LineBreaksInCellsAreQuotedOnOutput) {
    const struct {
        std::string line;
        std::string written;
    } rows[] = {
        {"12\" pipe,a\rb", "12\" pipe,\"a\rb\""},
        {"25,\"a\rb\"", "25,\"a\rb\""},
        {"25,plain", "25,plain"},
    };
    for (const auto& row : rows) {
        std::vector<std::string_view> cells;
        SplitCells(row.line, ',', cells);
        std::string out;
        AppendPassedThrough(out, row.line, cells, ',');
        EXPECT_EQ(out, row.written) << row.line;
    }
}

TEST(CsvCells, FormulasKeptAsTextNumbersStayNumbers) {
    const struct {
        const char* text;
        const char* cell;
    } rows[] = {
        {"=2+3", "'=2+3"},
        {"+SUM(A1:A2)", "'+SUM(A1:A2)"},
        {"-2+3", "'-2+3"},
        {"@cmd", "'@cmd"},
        {"=HYPERLINK(\"x\",\"y\")", "\"'=HYPERLINK(\"\"x\"\",\"\"y\"\")\""},
        {"=a,b", "\"'=a,b\""},
        {"-3.5", "-3.5"},
        {"+3.5", "+3.5"},
        {"-0", "-0"},
        {"-.5", "-.5"},
        {"-1e-5", "-1e-5"},
        {"-3,5", "\"-3,5\""}, // a decimal comma: a number, quoted for its comma
        {"-1e", "'-1e"},
        {"-", "-"},
        {"+", "+"},
        {"-inf", "'-inf"},
        {"Chicago", "Chicago"},
        {" =1", " =1"}, // a blank first: text for a spreadsheet
        {"", ""},
    };
    for (const auto& row : rows) {
        std::string cell;
        textfile::AppendCsvCell(cell, row.text);
        EXPECT_EQ(cell, row.cell) << row.text;
    }
    // Semicolon files: the comma is no separator there.
    std::string cell;
    textfile::AppendCsvCell(cell, "-3,5", ';');
    EXPECT_EQ(cell, "-3,5");
}

} // namespace
} // namespace hygrovane::batch
