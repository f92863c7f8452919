#pragma once

// One model for every results table (climate figures, process points and processes): a title
// block, then sections of columns and rows whose cells keep the unrounded value with its quantity
// and unit. The window, the text, CSV and JSON writers each show it their own way: the text and
// the window in report style, the CSV and JSON in full precision.

#include "tables/quantity.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace hygrovane::tables {

// A cell: a text, or a number with what it measures (NaN: no value).
struct Cell {
    std::string text;
    double value = std::nan("");
    Quantity quantity = Quantity::Text;
    Unit unit = Unit::None;

    bool IsNumber() const { return quantity != Quantity::Text; }
    // The report-style text, or the text of a text cell.
    std::string Shown(ReportDigits digits = {}) const;
    // The full-precision text a machine reads back ("" for no value).
    std::string Full() const;
};

Cell TextCell(std::string text);
Cell NumberCell(double value, Quantity quantity, Unit unit);

struct Column {
    std::string title; // short: "DB", "RH", "Total"
    Quantity quantity = Quantity::Text;
    Unit unit = Unit::None;
    std::string key{}; // machine name, stable across wordings: "dryBulb"
};

struct Row {
    std::vector<Cell> cells;
    std::string key{}; // what the row is, whatever its figures (a selection keeps to it)
};

struct Section {
    std::string title;
    std::string key{};
    std::vector<Column> columns;
    std::vector<Row> rows{};
    std::vector<std::string> notes{}; // lines shown under the table

    // A row of cells in the columns' quantities and units: a text for the first column, numbers
    // after it (cells beyond the values hold no value).
    Row& AddRow(std::string name, const std::vector<double>& values, std::string key = {});
};

// A line of the title block: "pressure", 101.325, "kPa", or a text ("formulation", "Hyland").
struct TitleEntry {
    std::string key;
    Cell value;
};

struct Table {
    std::string title;
    std::vector<TitleEntry> titleBlock;
    std::vector<Section> sections;

    const Section* Find(std::string_view key) const;
};

} // namespace hygrovane::tables
