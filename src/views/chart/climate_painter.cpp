#include "views/chart/climate_painter.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace hygrovane::views {

namespace {

using namespace chart;

QColor Colour(OverlayColour c, int alpha = 255) {
    return QColor(c.red, c.green, c.blue, alpha);
}

QPointF Pixel(const ChartMapping& mapping, ChartPoint p) {
    const PixelPoint q = mapping.toPixel(p);
    return {q.x, q.y};
}

void PaintCells(QPainter& painter, const ChartMapping& mapping, const Overlay& overlay) {
    // Without antialiasing neighbouring cells meet without a pale seam.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    for (const OverlayCell& cell : overlay.cells) {
        QPolygonF quad;
        for (const ChartPoint corner : cell.corners) {
            quad.append(Pixel(mapping, corner));
        }
        painter.setBrush(Colour(ColourOf(overlay.scale, cell.value)));
        painter.drawPolygon(quad);
    }
}

void PaintDots(QPainter& painter, const ChartMapping& mapping, const ChartLayout& layout,
               const Overlay& overlay) {
    // Thousands of marks: one call per colour rather than one per mark keeps a year's repaint
    // within a frame.
    // The colours are painted in the order they first appear, so that marks given later (a
    // unit's supply after its outdoor air) lie on top where they meet.
    const double side = std::max(2.0, 2.4 * layout.unit);
    std::unordered_map<std::uint32_t, std::size_t> indexOf;
    std::vector<std::pair<std::uint32_t, QList<QRectF>>> byColour;
    for (const OverlayDot& dot : overlay.dots) {
        const OverlayColour c = dot.colour ? *dot.colour : ColourOf(overlay.scale, dot.value);
        const std::uint32_t key =
            (std::uint32_t{c.red} << 16) | (std::uint32_t{c.green} << 8) | c.blue;
        const auto [index, added] = indexOf.try_emplace(key, byColour.size());
        if (added) {
            byColour.emplace_back(key, QList<QRectF>{});
        }
        const QPointF at = Pixel(mapping, dot.at);
        byColour[index->second].second.append(
            QRectF(at.x() - side / 2, at.y() - side / 2, side, side));
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    for (const auto& [key, rects] : byColour) {
        painter.setBrush(QColor::fromRgb(static_cast<QRgb>(key)));
        painter.drawRects(rects);
    }
}

void PaintZones(QPainter& painter, const ChartMapping& mapping, const ChartLayout& layout,
                const Overlay& overlay) {
    const double u = layout.unit;
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setFont(layout.smallFont);
    const QFontMetricsF metrics(layout.smallFont);
    std::vector<QRectF> taken;
    for (const OverlayZone& zone : overlay.zones) {
        if (zone.outline.size() < 3) {
            continue;
        }
        QPolygonF outline;
        for (const ChartPoint p : zone.outline) {
            outline.append(Pixel(mapping, p));
        }
        painter.setPen(
            QPen(Colour(zone.colour), 1.6 * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Colour(zone.colour, 40));
        painter.drawPolygon(outline);
        // The label at the middle of the zone's box, moved down past labels already written,
        // and kept inside the plot.
        const QString text =
            QString::fromStdString(zone.name) +
            (zone.share.empty() ? QString()
                                : QStringLiteral("\n") + QString::fromStdString(zone.share));
        const QRectF size = metrics.boundingRect(QRectF(0, 0, 10000, 10000), Qt::AlignLeft, text);
        QRectF box(outline.boundingRect().center() - QPointF(size.width(), size.height()) / 2,
                   size.size());
        for (int tries = 0; tries < 20; ++tries) {
            const bool clash = std::any_of(taken.begin(), taken.end(), [&](const QRectF& other) {
                return other.intersects(box);
            });
            if (!clash) {
                break;
            }
            box.translate(0, size.height() / 2 + u);
        }
        const QRectF& plot = layout.plot;
        box.moveLeft(std::clamp(box.left(), plot.left() + 2 * u,
                                std::max(plot.left() + 2 * u, plot.right() - box.width() - 2 * u)));
        box.moveTop(std::clamp(box.top(), plot.top() + 2 * u,
                               std::max(plot.top() + 2 * u, plot.bottom() - box.height() - 2 * u)));
        taken.push_back(box);
        painter.setPen(Colour(zone.colour).darker(160));
        painter.drawText(box, Qt::AlignCenter, text);
    }
}

void PaintLegend(QPainter& painter, const ChartLayout& layout, const OverlayScale& scale) {
    const double u = layout.unit;
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QFontMetricsF metrics(layout.smallFont);
    const double line = metrics.height();
    // Below the note's place at the plot's top left, where the chart is above saturation.
    const QRectF box(
        layout.plot.left() + 8 * u, layout.plot.top() + 8 * u + 2.5 * line,
        std::max(130 * u, metrics.horizontalAdvance(QString::fromStdString(scale.title)) + 12 * u),
        3 * line + 16 * u);
    painter.setPen(QPen(QColor(120, 120, 120), 0.8 * u));
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawRect(box);
    painter.setFont(layout.smallFont);
    painter.setPen(Qt::black);
    const double left = box.left() + 6 * u;
    const double width = box.width() - 12 * u;
    painter.drawText(QRectF(left, box.top() + 4 * u, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(scale.title));
    const QRectF bar(left, box.top() + 6 * u + line, width, line);
    QLinearGradient gradient(bar.topLeft(), bar.topRight());
    for (int i = 0; i <= 8; ++i) {
        const double f = i / 8.0;
        const double value = scale.minimum + f * (scale.maximum - scale.minimum);
        gradient.setColorAt(f, Colour(ColourOf(scale, value)));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawRect(bar);
    painter.setPen(Qt::black);
    const QRectF ends(left, bar.bottom() + 2 * u, width, line);
    painter.drawText(ends, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(scale.lowText));
    painter.drawText(ends, Qt::AlignRight | Qt::AlignVCenter,
                     QString::fromStdString(scale.highText));
    painter.setBrush(Qt::NoBrush);
}

// The key's box below the legend's place, so that a climate window's legend and a key of
// another window's marks stand one above the other.
void PaintKey(QPainter& painter, const ChartLayout& layout, const Overlay& overlay) {
    const double u = layout.unit;
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QFontMetricsF metrics(layout.smallFont);
    const double line = metrics.height();
    double width = metrics.horizontalAdvance(QString::fromStdString(overlay.keyTitle));
    for (const OverlayKeyEntry& entry : overlay.key) {
        width = std::max(width, line + 4 * u +
                                    metrics.horizontalAdvance(QString::fromStdString(entry.name)));
    }
    const double legendBottom = layout.plot.top() + 8 * u + 2.5 * line + 3 * line + 16 * u;
    const double rows = static_cast<double>(overlay.key.size()) + 1;
    const QRectF box(layout.plot.left() + 8 * u, legendBottom + 6 * u, width + 12 * u,
                     rows * line + 8 * u);
    painter.setPen(QPen(QColor(120, 120, 120), 0.8 * u));
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawRect(box);
    painter.setFont(layout.smallFont);
    const double left = box.left() + 6 * u;
    double y = box.top() + 4 * u;
    painter.setPen(Qt::black);
    painter.drawText(QRectF(left, y, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(overlay.keyTitle));
    for (const OverlayKeyEntry& entry : overlay.key) {
        y += line;
        const double side = 0.6 * line;
        painter.setPen(Qt::NoPen);
        painter.setBrush(Colour(entry.colour));
        painter.drawRect(QRectF(left, y + (line - side) / 2, side, side));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(left + line, y, width - line, line),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(entry.name));
    }
    painter.setBrush(Qt::NoBrush);
}

// Rows on one page from `first`; returns the first row left for the next page.
std::size_t PaintTablePage(QPainter& painter, const QRectF& page, const OverlayTable& table,
                           std::size_t first) {
    const double base = std::max(9.0, std::min(page.width(), page.height()) / 60);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(static_cast<int>(std::lround(0.85 * base)));
    QFont heading = font;
    heading.setBold(true);
    heading.setPixelSize(static_cast<int>(std::lround(1.2 * base)));
    const QFontMetricsF metrics(font);
    const double line = 1.35 * metrics.height();
    std::size_t columns = 0;
    for (const auto& row : table.rows) {
        columns = std::max(columns, row.size());
    }
    if (columns == 0) {
        return table.rows.size();
    }
    // The first column holds the names; the others share the rest.
    const double firstWidth = page.width() * 0.34;
    const double otherWidth =
        columns > 1 ? (page.width() - firstWidth) / static_cast<double>(columns - 1) : 0;
    painter.setFont(heading);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(page.left(), page.top(), page.width(), 2 * line),
                     Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(table.title));
    double y = page.top() + 2.5 * line;
    std::size_t row = first;
    const auto paintRow = [&](const std::vector<std::string>& cells, bool bold) {
        QFont f = font;
        f.setBold(bold);
        painter.setFont(f);
        double x = page.left();
        for (std::size_t c = 0; c < cells.size(); ++c) {
            // Numbers line up on the right; words start on the left and are cut at their
            // column, or at the page's edge for a row's last word.
            const QString text = QString::fromStdString(cells[c]);
            bool number = false;
            text.toDouble(&number);
            const bool right = c > 0 && (number || bold);
            const double w = c == 0                                     ? firstWidth
                             : !right && c + 1 == cells.size() && c > 0 ? page.right() - x
                                                                        : otherWidth;
            const double indent = c > 0 && !right ? 0.02 * page.width() : 2;
            const QRectF box(x + indent, y, w - indent - 2, line);
            painter.drawText(box, (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                             QFontMetricsF(f).elidedText(text, Qt::ElideRight, box.width()));
            x += w;
        }
        y += line;
    };
    if (first > 0 && !table.rows.empty()) {
        paintRow(table.rows.front(), true); // the heading again on every page
    }
    for (; row < table.rows.size() && y + line <= page.bottom(); ++row) {
        paintRow(table.rows[row],
                 row == 0 || std::find(table.headings.begin(), table.headings.end(), row) !=
                                 table.headings.end());
    }
    return std::max(row, first + 1);
}

} // namespace

void PaintClimateLayers(QPainter& painter, const ChartLayout& layout, const ChartMapping& mapping,
                        const Overlay& overlay) {
    if (overlay.cells.empty() && overlay.dots.empty() && overlay.zones.empty() &&
        !overlay.scale.legend && overlay.key.empty()) {
        return;
    }
    painter.save();
    PaintCells(painter, mapping, overlay);
    PaintDots(painter, mapping, layout, overlay);
    PaintZones(painter, mapping, layout, overlay);
    if (overlay.scale.legend) {
        PaintLegend(painter, layout, overlay.scale);
    }
    if (!overlay.key.empty()) {
        PaintKey(painter, layout, overlay);
    }
    painter.restore();
}

void PaintOverlayTables(QPainter& painter, QPagedPaintDevice& device, const ChartScene& scene) {
    for (const Overlay* overlay : scene.overlays) {
        if (!overlay->table || overlay->table->rows.empty()) {
            continue;
        }
        std::size_t row = 0;
        while (row < overlay->table->rows.size()) {
            if (!device.newPage()) {
                return;
            }
            row = PaintTablePage(painter, QRectF(0, 0, device.width(), device.height()),
                                 *overlay->table, row);
        }
    }
}

} // namespace hygrovane::views
