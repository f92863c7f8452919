#pragma once

// Where each part of a design report goes: the title block, every section of a results table
// (split across pages with its header rows repeated, and into column groups when wider than a
// page) and the chart, as boxes on numbered pages. Text widths come from the caller's measure,
// so that the layout is computed, and checked, without painting.

#include "tables/table.h"

#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace hygrovane::views::report {

enum class Style { Heading, Label, Text, Header, Cell, Footer };

// The width of a text and the height of a line, in the page's units.
struct Measure {
    std::function<double(Style, const QString&)> width;
    std::function<double(Style)> height;
};

struct Item {
    enum class Kind { Text, Rule, Chart, Figure };
    Kind kind = Kind::Text;
    int page = 0;
    QRectF box; // a text's own extent, a rule's line, the chart's rectangle
    QString text{};
    Style style = Style::Text;
    std::size_t figure = 0; // which of the content's figures a Figure item paints
};

struct Layout {
    int pages = 1;
    std::vector<Item> items;
};

// What the user adds to the table's own title block.
struct ReportTitle {
    std::string project;
    std::string notes; // lines
    std::string date;
    std::string program; // "Hygrovane 1.4.0"
};

// Each column's width: its widest text (headers included) plus the gap, a text column no wider
// than cap (its texts are then shortened).
std::vector<double> ColumnWidths(const std::vector<std::vector<double>>& textWidths,
                                 const std::vector<bool>& textColumn, double gap, double cap);

// The columns of each group printed one below the other when they do not fit side by side: the
// first column (the row's name) begins every group; a group holds at least one more column.
std::vector<std::vector<std::size_t>> ColumnGroups(const std::vector<double>& widths,
                                                   double available);

// The rows [begin, end) on each page: `first` is the room left on the current page, `room` that
// of a fresh page, both after the header rows. A first slice may be empty: the table then starts
// on the next page.
struct Slice {
    std::size_t begin = 0;
    std::size_t end = 0;
};
std::vector<Slice> RowSlices(std::size_t rows, double rowHeight, double first, double room);

// The first two text or chart boxes on one page that overlap; none when no two do.
std::optional<std::pair<std::size_t, std::size_t>> FirstOverlap(const std::vector<Item>& items);

// The whole report on pages of `page` size (the printable area). With `chart`, the chart takes a
// page of its own after the tables; so does each of `figures` after it.
Layout LayoutReport(const ReportTitle& title, const tables::Table& table, bool chart,
                    const Measure& measure, QSizeF page, std::size_t figures = 0);

} // namespace hygrovane::views::report
