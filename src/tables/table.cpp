#include "tables/table.h"

#include "text/number_text.h"

namespace hygrovane::tables {

std::string Cell::Shown(ReportDigits digits) const {
    return IsNumber() ? ReportText(quantity, unit, value, digits) : text;
}

std::string Cell::Full() const {
    if (!IsNumber()) {
        return text;
    }
    return std::isfinite(value) ? text::ShortestText(value) : std::string();
}

Cell TextCell(std::string text) {
    return Cell{std::move(text)};
}

Cell NumberCell(double value, Quantity quantity, Unit unit) {
    return Cell{{}, value, quantity, unit};
}

Row& Section::AddRow(std::string name, const std::vector<double>& values, std::string key) {
    Row row{{}, std::move(key)};
    row.cells.reserve(columns.size());
    row.cells.push_back(TextCell(std::move(name)));
    for (std::size_t c = 1; c < columns.size(); ++c) {
        const double value = c - 1 < values.size() ? values[c - 1] : std::nan("");
        row.cells.push_back(NumberCell(value, columns[c].quantity, columns[c].unit));
    }
    rows.push_back(std::move(row));
    return rows.back();
}

const Section* Table::Find(std::string_view key) const {
    for (const Section& section : sections) {
        if (section.key == key) {
            return &section;
        }
    }
    return nullptr;
}

} // namespace hygrovane::tables
