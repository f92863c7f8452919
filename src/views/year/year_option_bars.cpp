#include "views/year/year_option_bars.h"

#include "models/year_chart.h"
#include "views/common/view_support.h"

#include <QPainter>

#include <algorithm>
#include <array>

namespace hygrovane::views {

namespace {

constexpr const char* kInitials = "JFMAMJJASOND";

} // namespace

QColor OptionColour(std::size_t option) {
    // Six hues told apart in print and by most colour-blind readers.
    static const std::array<QColor, 6> kColours{QColor(31, 119, 180),  QColor(255, 127, 14),
                                                QColor(44, 160, 44),   QColor(214, 39, 40),
                                                QColor(148, 103, 189), QColor(140, 86, 75)};
    return kColours[option % kColours.size()];
}

void PaintOptionBars(QPainter& p, const QRectF& area, const models::OptionBars& bars) {
    const QFontMetricsF metrics(p.font(), p.device());
    const double line = metrics.height();
    const double gap = line / 3;
    p.setPen(Qt::black);
    p.drawText(QPointF(area.left(), area.top() + metrics.ascent()), qs(bars.title));

    // The legend on the second line: a swatch and the unit's name, one after the other.
    double x = area.left();
    const double legendY = area.top() + line + gap;
    for (std::size_t o = 0; o < bars.options.size(); ++o) {
        p.fillRect(QRectF(x, legendY + line * 0.2, line * 0.8, line * 0.6), OptionColour(o));
        x += line;
        const QString name = qs(bars.options[o]);
        p.drawText(QPointF(x, legendY + metrics.ascent()), name);
        x += metrics.horizontalAdvance(name) + line;
    }

    const models::OptionBarsLayout probe = models::LayoutOptionBars(bars, 0, 0, 1, 1);
    double labels = 0;
    for (double tick : probe.ticks) {
        labels =
            std::max(labels, metrics.horizontalAdvance(QString::number(tick, 'f', probe.decimals)));
    }
    // Half a line above the plot for the top tick's label, a line below it for the months.
    const double plotTop = legendY + 1.5 * line + gap;
    const QRectF plot(area.left() + labels + gap, plotTop, area.width() - labels - gap,
                      area.bottom() - plotTop - line - gap);
    if (plot.width() <= 12 || plot.height() <= 0) {
        return;
    }
    const models::OptionBarsLayout layout =
        models::LayoutOptionBars(bars, plot.left(), plot.top(), plot.width(), plot.height());
    for (double tick : layout.ticks) {
        const double y = layout.yOf(tick, plot.top(), plot.height());
        p.setPen(QColor(215, 215, 215));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(Qt::black);
        const QString text = QString::number(tick, 'f', layout.decimals);
        p.drawText(QRectF(area.left(), y - line / 2, labels, line),
                   Qt::AlignRight | Qt::AlignVCenter, text);
    }
    for (const models::BarBox& box : layout.bars) {
        p.fillRect(QRectF(QPointF(box.left, box.top), QPointF(box.right, box.bottom)),
                   OptionColour(box.option));
    }
    p.setPen(Qt::black);
    p.drawLine(QPointF(plot.left(), layout.zero), QPointF(plot.right(), layout.zero));
    for (std::size_t m = 0; m < 12; ++m) {
        p.drawText(QRectF(layout.groupCentre[m] - line, plot.bottom() + gap, 2 * line, line),
                   Qt::AlignHCenter | Qt::AlignTop, QString(QChar::fromLatin1(kInitials[m])));
    }
}

OptionBarsChart::OptionBarsChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("OptionBars"));
    setMinimumSize(480, 260);
}

void OptionBarsChart::setBars(models::OptionBars bars) {
    bars_ = std::move(bars);
    update();
}

void OptionBarsChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PaintOptionBars(painter, QRectF(rect()).adjusted(8, 8, -8, -8), bars_);
}

} // namespace hygrovane::views
