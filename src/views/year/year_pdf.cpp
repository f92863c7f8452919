#include "views/year/year_pdf.h"

#include "unitfile/unit_results.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace hygrovane::views {

namespace {

// Lines of text, top to bottom, starting a new page when one is full.
class Pages {
  public:
    Pages(QPdfWriter& pdf, QPainter& painter) : pdf_(pdf), p_(painter) {
        line_ = p_.fontMetrics().height();
    }
    void text(const QString& text, bool bold = false) {
        room(line_);
        QFont font = p_.font();
        font.setBold(bold);
        p_.setFont(font);
        p_.drawText(0, y_ + p_.fontMetrics().ascent(), text);
        y_ += line_;
    }
    // A table's columns at equal widths after a wider first one.
    void table(const models::YearTable& table) {
        if (table.header.empty()) {
            return;
        }
        const int first = pdf_.width() / 5;
        const int other = (pdf_.width() - first) / std::max<int>(1, int(table.header.size()) - 1);
        const auto row = [&](const std::vector<std::string>& cells, bool bold) {
            room(line_);
            QFont font = p_.font();
            font.setBold(bold);
            p_.setFont(font);
            for (std::size_t c = 0; c < cells.size(); ++c) {
                const int x = c == 0 ? 0 : first + other * int(c - 1);
                const QRect cell(x, y_, c == 0 ? first : other, line_);
                p_.drawText(cell, (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                            QString::fromStdString(cells[c]));
            }
            y_ += line_;
        };
        row(table.header, true);
        for (const auto& cells : table.rows) {
            row(cells, false);
        }
        y_ += line_ / 2;
    }
    QRect block(int height) {
        room(height);
        const QRect r(0, y_, pdf_.width(), height);
        y_ += height;
        return r;
    }

  private:
    void room(int height) {
        if (y_ + height > pdf_.height() && y_ > 0) {
            pdf_.newPage();
            y_ = 0;
        }
    }
    QPdfWriter& pdf_;
    QPainter& p_;
    int y_ = 0;
    int line_ = 0;
};

} // namespace

QByteArray YearPdf(const models::YearModel& model, const std::vector<MonthlySeries>& bars,
                   const ChartScene* chart) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    pdf.setResolution(150);
    pdf.setTitle(QStringLiteral("Year through the air-handling unit"));
    QPainter painter;
    if (!painter.begin(&pdf)) {
        return {};
    }
    QFont font = painter.font();
    font.setPointSizeF(7);
    painter.setFont(font);
    Pages pages(pdf, painter);
    pages.text(QString::fromStdString(model.status()), true);
    for (std::size_t u = 0; u < model.options().size(); ++u) {
        pages.text(QStringLiteral("Unit %1: ").arg(u + 1) +
                   QString::fromStdString(unitfile::DescribeUnit(model.options()[u])));
    }
    pages.text(QString());
    pages.table(model.annualTable());
    pages.text(QStringLiteral("Unit %1 by month").arg(model.selected() + 1), true);
    pages.table(model.monthlyTable());
    pages.table(model.peaksTable());
    PaintMonthlyBars(painter, pages.block(pdf.height() / 2), bars);
    if (chart != nullptr && pdf.newPage()) {
        PaintChart(painter, QRectF(0, 0, pdf.width(), pdf.height()), *chart);
    }
    painter.end();
    return bytes;
}

} // namespace hygrovane::views
