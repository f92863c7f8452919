#include "views/report/report_layout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace hygrovane::views::report {

std::vector<double> ColumnWidths(const std::vector<std::vector<double>>& textWidths,
                                 const std::vector<bool>& textColumn, double gap, double cap) {
    std::vector<double> widths;
    for (std::size_t c = 0; c < textWidths.size(); ++c) {
        double widest = 0;
        for (double w : textWidths[c]) {
            widest = std::max(widest, w);
        }
        if (c < textColumn.size() && textColumn[c]) {
            widest = std::min(widest, cap);
        }
        widths.push_back(widest + gap);
    }
    return widths;
}

std::vector<std::vector<std::size_t>> ColumnGroups(const std::vector<double>& widths,
                                                   double available) {
    std::vector<std::vector<std::size_t>> groups;
    if (widths.empty()) {
        return groups;
    }
    std::vector<std::size_t> group{0};
    double used = widths[0];
    for (std::size_t c = 1; c < widths.size(); ++c) {
        if (group.size() > 1 && used + widths[c] > available) {
            groups.push_back(group);
            group = {0};
            used = widths[0];
        }
        group.push_back(c);
        used += widths[c];
    }
    groups.push_back(group);
    return groups;
}

std::vector<Slice> RowSlices(std::size_t rows, double rowHeight, double first, double room) {
    std::vector<Slice> slices;
    const auto fitting = [&](double space) {
        // A fresh page holds one row at least, whatever its height.
        return std::max<std::size_t>(1, static_cast<std::size_t>(std::floor(space / rowHeight)));
    };
    std::size_t begin = 0;
    const std::size_t onFirst =
        first >= rowHeight ? static_cast<std::size_t>(std::floor(first / rowHeight)) : 0;
    slices.push_back({0, std::min(rows, onFirst)});
    begin = slices.back().end;
    while (begin < rows) {
        const std::size_t end = std::min(rows, begin + fitting(room));
        slices.push_back({begin, end});
        begin = end;
    }
    return slices;
}

std::optional<std::pair<std::size_t, std::size_t>> FirstOverlap(const std::vector<Item>& items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].kind == Item::Kind::Rule) {
            continue;
        }
        for (std::size_t j = i + 1; j < items.size(); ++j) {
            if (items[j].kind != Item::Kind::Rule && items[i].page == items[j].page &&
                items[i].box.intersected(items[j].box).isValid()) {
                return std::pair{i, j};
            }
        }
    }
    return std::nullopt;
}

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QString TitleKey(const std::string& key) {
    if (key == "units") {
        return QStringLiteral("Unit system");
    }
    QString text = Q(key);
    if (!text.isEmpty()) {
        text[0] = text[0].toUpper();
    }
    return text;
}

QString ValueText(const tables::Cell& cell) {
    QString text = Q(cell.Shown());
    if (cell.IsNumber() && cell.unit != tables::Unit::None) {
        text += QLatin1Char(' ') + Q(std::string(tables::SymbolOf(cell.unit)));
    }
    return text;
}

// Lays items out down the pages: a cursor that moves to a fresh page when a block does not fit.
class Flow {
  public:
    Flow(const Measure& measure, QSizeF page)
        : measure_(measure), page_(page),
          bottom_(page.height() - 2 * measure.height(Style::Footer)) {}

    double room() const { return bottom_ - y_; }
    double fullRoom() const { return bottom_; }
    double y() const { return y_; }
    int page() const { return page_n_; }
    double width() const { return page_.width(); }
    void down(double h) { y_ += h; }
    void newPage() {
        ++page_n_;
        y_ = 0;
    }
    // Keeps `h` together on one page.
    void need(double h) {
        if (y_ > 0 && y_ + h > bottom_) {
            newPage();
        }
    }
    void text(Style style, const QString& text, double x, double maxWidth = -1,
              bool right = false) {
        QString shown = text;
        double w = measure_.width(style, shown);
        if (maxWidth > 0 && w > maxWidth) {
            while (shown.size() > 1 && w > maxWidth) {
                shown.chop(1);
                w = measure_.width(style, shown + QChar(0x2026));
            }
            shown += QChar(0x2026);
        }
        const double left = right ? x + maxWidth - w : x;
        items.push_back(
            {Item::Kind::Text, page_n_, QRectF(left, y_, w, measure_.height(style)), shown, style});
    }
    void rule(double from, double to) {
        items.push_back(
            {Item::Kind::Rule, page_n_, QRectF(from, y_, to - from, 0), {}, Style::Text});
    }

    std::vector<Item> items;

  private:
    const Measure& measure_;
    QSizeF page_;
    double bottom_;
    double y_ = 0;
    int page_n_ = 0;
};

void LayoutTitle(Flow& flow, const Measure& m, const ReportTitle& title,
                 const tables::Table& table) {
    const QString heading = title.project.empty()
                                ? QStringLiteral("Design report")
                                : QStringLiteral("Design report: ") + Q(title.project);
    flow.text(Style::Heading, heading, 0, flow.width());
    flow.down(m.height(Style::Heading) * 1.4);
    std::vector<std::pair<QString, QString>> lines;
    if (!title.project.empty()) {
        lines.emplace_back(QStringLiteral("Project"), Q(title.project));
    }
    bool firstNote = true;
    for (const QString& line : Q(title.notes).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        lines.emplace_back(firstNote ? QStringLiteral("Notes") : QString(), line);
        firstNote = false;
    }
    if (!title.date.empty()) {
        lines.emplace_back(QStringLiteral("Date"), Q(title.date));
    }
    for (const tables::TitleEntry& entry : table.titleBlock) {
        if (entry.key != "date") {
            lines.emplace_back(TitleKey(entry.key), ValueText(entry.value));
        }
    }
    lines.emplace_back(QStringLiteral("Program"), Q(title.program));
    double keyWidth = 0;
    for (const auto& [key, value] : lines) {
        keyWidth = std::max(keyWidth, m.width(Style::Label, key));
    }
    keyWidth += m.width(Style::Label, QStringLiteral("MM"));
    for (const auto& [key, value] : lines) {
        if (!key.isEmpty()) {
            flow.text(Style::Label, key, 0);
        }
        flow.text(Style::Text, value, keyWidth, flow.width() - keyWidth);
        flow.down(std::max(m.height(Style::Label), m.height(Style::Text)));
    }
    flow.down(m.height(Style::Text));
}

void LayoutSection(Flow& flow, const Measure& m, const tables::Section& section) {
    const double gap = m.width(Style::Cell, QStringLiteral("MM"));
    const double rowH = m.height(Style::Cell) * 1.25;
    const double headH = m.height(Style::Header) * 2.3;
    const double titleH = m.height(Style::Label) * 1.5;
    std::vector<std::vector<double>> measured(section.columns.size());
    std::vector<bool> textColumn;
    std::vector<QString> units;
    for (std::size_t c = 0; c < section.columns.size(); ++c) {
        const tables::Column& col = section.columns[c];
        units.push_back(col.unit == tables::Unit::None
                            ? QString()
                            : Q(std::string(tables::SymbolOf(col.unit))));
        measured[c].push_back(m.width(Style::Header, Q(col.title)));
        measured[c].push_back(m.width(Style::Header, units[c]));
        textColumn.push_back(col.quantity == tables::Quantity::Text);
        for (const tables::Row& row : section.rows) {
            if (c < row.cells.size()) {
                measured[c].push_back(m.width(Style::Cell, Q(row.cells[c].Shown())));
            }
        }
    }
    const std::vector<double> widths = ColumnWidths(measured, textColumn, gap, flow.width() / 3);
    const auto groups = ColumnGroups(widths, flow.width());
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const std::vector<std::size_t>& group = groups[g];
        double tableWidth = 0;
        for (std::size_t c : group) {
            tableWidth += widths[c];
        }
        const QString title =
            Q(section.title) + (groups.size() > 1
                                    ? QStringLiteral(" (%1 of %2)").arg(g + 1).arg(groups.size())
                                    : QString());
        const auto header = [&](bool continued) {
            flow.text(Style::Label, continued ? title + QStringLiteral(" (continued)") : title, 0,
                      flow.width());
            flow.down(titleH);
            double x = 0;
            for (std::size_t c : group) {
                // Half the gap each side: a number's column ends clear of the text after it.
                const bool right = !textColumn[c];
                const double w = widths[c] - gap;
                const double at = x + gap / 2;
                flow.text(Style::Header, Q(section.columns[c].title), at, w, right);
                flow.down(m.height(Style::Header) * 1.1);
                if (!units[c].isEmpty()) {
                    flow.text(Style::Header, units[c], at, w, right);
                }
                flow.down(-m.height(Style::Header) * 1.1);
                x += widths[c];
            }
            flow.down(headH);
            flow.rule(0, tableWidth);
            flow.down(rowH * 0.2);
        };
        const double headerBlock = titleH + headH + rowH * 0.2;
        // The heading stays with its header rows and a first row.
        flow.need(headerBlock + rowH);
        const auto slices = RowSlices(section.rows.size(), rowH, flow.room() - headerBlock,
                                      flow.fullRoom() - headerBlock);
        bool begun = false; // a "(continued)" only after rows were printed
        for (std::size_t s = 0; s < slices.size(); ++s) {
            if (s > 0) {
                flow.newPage();
            }
            if (slices[s].begin == slices[s].end && section.rows.size() > 0) {
                continue;
            }
            header(begun);
            begun = true;
            for (std::size_t r = slices[s].begin; r < slices[s].end; ++r) {
                const tables::Row& row = section.rows[r];
                double x = 0;
                for (std::size_t c : group) {
                    if (c < row.cells.size()) {
                        const bool right = !textColumn[c];
                        flow.text(Style::Cell, Q(row.cells[c].Shown()), x + gap / 2,
                                  widths[c] - gap, right);
                    }
                    x += widths[c];
                }
                flow.down(rowH);
            }
        }
        flow.rule(0, tableWidth);
        flow.down(m.height(Style::Text) * 0.5);
        for (const std::string& note : section.notes) {
            flow.need(m.height(Style::Text));
            flow.text(Style::Text, Q(note), 0, flow.width());
            flow.down(m.height(Style::Text));
        }
        flow.down(m.height(Style::Text));
    }
}

} // namespace

Layout LayoutReport(const ReportTitle& title, const tables::Table& table, bool chart,
                    const Measure& measure, QSizeF page, std::size_t figures) {
    Flow flow(measure, page);
    LayoutTitle(flow, measure, title, table);
    for (const tables::Section& section : table.sections) {
        LayoutSection(flow, measure, section);
    }
    if (chart) {
        flow.newPage();
        flow.items.push_back({Item::Kind::Chart,
                              flow.page(),
                              QRectF(0, 0, page.width(), flow.fullRoom()),
                              {},
                              Style::Text});
    }
    for (std::size_t f = 0; f < figures; ++f) {
        flow.newPage();
        flow.items.push_back({Item::Kind::Figure,
                              flow.page(),
                              QRectF(0, 0, page.width(), flow.fullRoom()),
                              {},
                              Style::Text,
                              f});
    }
    Layout layout;
    layout.pages = flow.page() + 1;
    layout.items = std::move(flow.items);
    // The footer of every page: the project and the page's number.
    const double footerY = page.height() - measure.height(Style::Footer);
    for (int p = 0; p < layout.pages; ++p) {
        const QString left = Q(title.project.empty() ? title.program : title.project);
        layout.items.push_back(
            {Item::Kind::Text, p,
             QRectF(0, footerY, measure.width(Style::Footer, left), measure.height(Style::Footer)),
             left, Style::Footer});
        const QString right = QStringLiteral("Page %1 of %2").arg(p + 1).arg(layout.pages);
        const double w = measure.width(Style::Footer, right);
        layout.items.push_back({Item::Kind::Text, p,
                                QRectF(page.width() - w, footerY, w, measure.height(Style::Footer)),
                                right, Style::Footer});
    }
    return layout;
}

} // namespace hygrovane::views::report
