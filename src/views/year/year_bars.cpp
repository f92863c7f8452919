#include "views/year/year_bars.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace hygrovane::views {

namespace {

constexpr const char* kInitials = "JFMAMJJASOND";

void PaintOne(QPainter& p, const QRect& area, const MonthlySeries& s) {
    const QFontMetrics metrics = p.fontMetrics();
    const int line = metrics.height();
    const double largest = *std::max_element(s.values.begin(), s.values.end());
    p.setPen(Qt::black);
    p.drawText(area.left(), area.top() + metrics.ascent(),
               s.title + QStringLiteral(", most ") + QString::number(largest, 'f', 0));
    const QRect plot(area.left(), area.top() + line + 2, area.width(),
                     area.height() - 2 * line - 4);
    if (plot.height() <= 0 || plot.width() <= 0) {
        return;
    }
    const double slot = plot.width() / 12.0;
    for (int m = 0; m < 12; ++m) {
        const double v = s.values[static_cast<std::size_t>(m)];
        const int h =
            largest > 0 ? static_cast<int>(std::lround(plot.height() * std::max(v, 0.0) / largest))
                        : 0;
        const int x = plot.left() + static_cast<int>(slot * m + slot * 0.15);
        p.fillRect(QRect(x, plot.bottom() - h, std::max(1, static_cast<int>(slot * 0.7)), h),
                   s.colour);
        p.drawText(QRect(x, plot.bottom() + 2, static_cast<int>(slot * 0.7), line),
                   Qt::AlignHCenter, QString(QChar::fromLatin1(kInitials[m])));
    }
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
}

} // namespace

void PaintMonthlyBars(QPainter& painter, const QRect& area,
                      const std::vector<MonthlySeries>& series) {
    if (series.empty()) {
        return;
    }
    // Three charts a row.
    const int columns = 3;
    const int rows = static_cast<int>((series.size() + columns - 1) / columns);
    const int w = area.width() / columns;
    const int h = area.height() / rows;
    for (std::size_t i = 0; i < series.size(); ++i) {
        const int c = static_cast<int>(i) % columns, r = static_cast<int>(i) / columns;
        PaintOne(painter, QRect(area.left() + c * w + 4, area.top() + r * h + 4, w - 8, h - 8),
                 series[i]);
    }
}

MonthlyBars::MonthlyBars(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MonthlyBars"));
    setMinimumSize(480, 260);
}

void MonthlyBars::setSeries(std::vector<MonthlySeries> series) {
    series_ = std::move(series);
    update();
}

void MonthlyBars::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PaintMonthlyBars(painter, rect(), series_);
}

} // namespace hygrovane::views
