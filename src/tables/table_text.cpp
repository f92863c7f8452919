// A table as text for a terminal or a plain report.
#include "tables/table_writers.h"

#include <algorithm>

namespace hygrovane::tables {

std::size_t Columns(std::string_view text) {
    std::size_t columns = 0;
    for (const char c : text) {
        columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return columns;
}

std::string Padded(std::string_view text, std::size_t width, bool right) {
    const std::size_t columns = Columns(text);
    if (columns >= width) {
        return std::string(text);
    }
    const std::string fill(width - columns, ' ');
    return right ? fill + std::string(text) : std::string(text) + fill;
}

namespace {

constexpr const char* kGap = "  ";

std::string SectionText(const Section& section, ReportDigits digits) {
    // Each column as wide as its widest cell, title or unit; numbers right, texts left.
    std::vector<std::vector<std::string>> shown;
    for (const Row& row : section.rows) {
        std::vector<std::string> cells;
        for (const Cell& cell : row.cells) {
            cells.push_back(cell.Shown(digits));
        }
        shown.push_back(std::move(cells));
    }
    std::vector<std::size_t> widths;
    for (std::size_t c = 0; c < section.columns.size(); ++c) {
        const Column& column = section.columns[c];
        std::size_t width = std::max(Columns(column.title), Columns(SymbolOf(column.unit)));
        for (const auto& cells : shown) {
            if (c < cells.size()) {
                width = std::max(width, Columns(cells[c]));
            }
        }
        widths.push_back(width);
    }
    const auto line = [&](const auto& cellOf) {
        std::string out;
        for (std::size_t c = 0; c < widths.size(); ++c) {
            const bool right = section.columns[c].quantity != Quantity::Text;
            out += std::string(c == 0 ? "" : kGap) + Padded(cellOf(c), widths[c], right);
        }
        while (out.ends_with(' ')) {
            out.pop_back();
        }
        return out + "\n";
    };
    std::string text = section.title.empty() ? std::string() : section.title + "\n";
    text += line([&](std::size_t c) { return section.columns[c].title; });
    bool anyUnit = false;
    for (const Column& column : section.columns) {
        anyUnit = anyUnit || column.unit != Unit::None;
    }
    if (anyUnit) {
        text += line([&](std::size_t c) { return std::string(SymbolOf(section.columns[c].unit)); });
    }
    for (const auto& cells : shown) {
        text += line([&](std::size_t c) { return c < cells.size() ? cells[c] : std::string(); });
    }
    for (const std::string& note : section.notes) {
        text += "  " + note + "\n";
    }
    return text;
}

} // namespace

std::string TableText(const Table& table, ReportDigits digits) {
    std::string text = table.title.empty() ? std::string() : table.title + "\n";
    for (const TitleEntry& entry : table.titleBlock) {
        const std::string unit(SymbolOf(entry.value.unit));
        text +=
            entry.key + ": " + entry.value.Shown(digits) + (unit.empty() ? "" : " " + unit) + "\n";
    }
    for (const Section& section : table.sections) {
        text += (text.empty() ? "" : "\n") + SectionText(section, digits);
    }
    return text;
}

} // namespace hygrovane::tables
