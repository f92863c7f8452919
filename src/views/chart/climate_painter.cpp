#include "views/chart/climate_painter.h"

#include "chart/label_placer.h"

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
    }
}

// A legend's or a key's frame on a nearly opaque ground, and its title on the first line.
void PaintFrameAndTitle(QPainter& painter, const ChartLayout& layout, const QRectF& box,
                        const std::string& title) {
    const double u = layout.unit;
    const double line = QFontMetricsF(layout.smallFont).height();
    painter.setPen(QPen(QColor(120, 120, 120), 0.8 * u));
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawRect(box);
    painter.setFont(layout.smallFont);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(box.left() + 6 * u, box.top() + 4 * u, box.width() - 12 * u, line),
                     Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(title));
}

// Kinds of marks by name, each with its colours from the first mark to the last, and the two
// times under them.
void PaintKeys(QPainter& painter, const ChartLayout& layout, const OverlayScale& scale) {
    const double u = layout.unit;
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QFontMetricsF metrics(layout.smallFont);
    const double line = metrics.height();
    double width = metrics.horizontalAdvance(QString::fromStdString(scale.title));
    for (const OverlayKey& key : scale.keys) {
        width =
            std::max(width, 40 * u + metrics.horizontalAdvance(QString::fromStdString(key.name)));
    }
    width = std::max(width, metrics.horizontalAdvance(
                                QString::fromStdString(scale.lowText + "  " + scale.highText)));
    const auto rows = static_cast<double>(scale.keys.size());
    const QRectF box(layout.plot.left() + 8 * u, layout.plot.top() + 8 * u + 2.5 * line,
                     width + 12 * u, (rows + 2) * (line + 2 * u) + 8 * u);
    PaintFrameAndTitle(painter, layout, box, scale.title);
    const double left = box.left() + 6 * u;
    double y = box.top() + 4 * u;
    for (const OverlayKey& key : scale.keys) {
        y += line + 2 * u;
        const QRectF swatch(left, y + 0.2 * line, 32 * u, 0.6 * line);
        QLinearGradient gradient(swatch.topLeft(), swatch.topRight());
        gradient.setColorAt(0, Colour(key.first));
        gradient.setColorAt(1, Colour(key.last));
        painter.setPen(Qt::NoPen);
        painter.setBrush(gradient);
        painter.drawRect(swatch);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(swatch.right() + 6 * u, y, width, line),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(key.name));
    }
    y += line + 2 * u;
    const QRectF ends(left, y, width, line);
    painter.drawText(ends, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(scale.lowText));
    painter.drawText(ends, Qt::AlignRight | Qt::AlignVCenter,
                     QString::fromStdString(scale.highText));
    painter.setBrush(Qt::NoBrush);
}

void PaintLegend(QPainter& painter, const ChartLayout& layout, const OverlayScale& scale) {
    if (!scale.keys.empty()) {
        PaintKeys(painter, layout, scale);
        return;
    }
    const double u = layout.unit;
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QFontMetricsF metrics(layout.smallFont);
    const double line = metrics.height();
    const QRectF box = LegendBox(layout, scale);
    PaintFrameAndTitle(painter, layout, box, scale.title);
    const double left = box.left() + 6 * u;
    const double width = box.width() - 12 * u;
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

void PaintKey(QPainter& painter, const ChartLayout& layout, const Overlay& overlay,
              const QRectF& box) {
    const double u = layout.unit;
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double line = QFontMetricsF(layout.smallFont).height();
    const double width = box.width() - 12 * u;
    PaintFrameAndTitle(painter, layout, box, overlay.keyTitle);
    const double left = box.left() + 6 * u;
    double y = box.top() + 4 * u;
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

QString ZoneText(const OverlayZone& zone) {
    return QString::fromStdString(zone.name) +
           (zone.share.empty() ? QString()
                               : QStringLiteral("\n") + QString::fromStdString(zone.share));
}

} // namespace

std::optional<QRectF> KeyBox(const ChartLayout& layout, const Overlay& overlay) {
    if (overlay.key.empty()) {
        return std::nullopt;
    }
    const double u = layout.unit;
    const QFontMetricsF metrics(layout.smallFont);
    const double line = metrics.height();
    double width = metrics.horizontalAdvance(QString::fromStdString(overlay.keyTitle));
    for (const OverlayKeyEntry& entry : overlay.key) {
        width = std::max(width, line + 4 * u +
                                    metrics.horizontalAdvance(QString::fromStdString(entry.name)));
    }
    const double rows = static_cast<double>(overlay.key.size()) + 1;
    return QRectF(layout.plot.left() + 8 * u, LegendBox(layout, {}).bottom() + 6 * u,
                  width + 12 * u, rows * line + 8 * u);
}

QRectF LegendBox(const ChartLayout& layout, const OverlayScale& scale) {
    const double u = layout.unit;
    const QFontMetricsF metrics(layout.smallFont);
    const double line = metrics.height();
    // Below the note's place at the plot's top left, where the chart is above saturation.
    return {
        layout.plot.left() + 8 * u, layout.plot.top() + 8 * u + 2.5 * line,
        std::max(130 * u, metrics.horizontalAdvance(QString::fromStdString(scale.title)) + 12 * u),
        3 * line + 16 * u};
}

std::vector<ZoneLabel> PlaceZoneLabels(const ChartLayout& layout, const ChartScene& scene,
                                       const std::vector<QRectF>& taken) {
    const ChartMapping mapping = MappingOf(layout, scene.model->range());
    const double u = layout.unit;
    const QRectF frame = layout.plot.adjusted(u, u, -u, -u);
    const QFontMetricsF metrics(layout.smallFont);
    const double step = metrics.height();
    std::vector<LabelRequest> requests;
    std::vector<QColor> colours;
    LabelField field;
    field.frame = {frame.left(), frame.top(), frame.width(), frame.height()};
    field.gap = u;
    const auto obstacle = [&](const QRectF& r) {
        field.obstacles.push_back({r.left(), r.top(), r.width(), r.height()});
    };
    for (const QRectF& box : taken) {
        obstacle(box);
    }
    for (const Overlay* overlay : scene.overlays) {
        if (overlay->scale.legend) {
            obstacle(LegendBox(layout, overlay->scale));
        }
        if (const auto key = KeyBox(layout, *overlay)) {
            obstacle(*key);
        }
        for (const OverlayZone& zone : overlay->zones) {
            if (zone.outline.size() < 3) {
                continue;
            }
            QPolygonF outline;
            for (const ChartPoint p : zone.outline) {
                outline.append(Pixel(mapping, p));
            }
            const QRectF bounds = outline.boundingRect();
            const QRectF shown = bounds & frame;
            if (shown.isEmpty()) {
                continue; // nothing of it on the plot to name
            }
            // The middle of its box first (where it always stood), then the places inside the
            // zone and the plot nearest to it; off the zone with a leader only when none is free.
            const QPointF middle = bounds.center();
            std::vector<QPointF> inside;
            for (double y = shown.top() + step / 2; y < shown.bottom(); y += step) {
                for (double x = shown.left() + step / 2; x < shown.right(); x += step) {
                    if (outline.containsPoint(QPointF(x, y), Qt::OddEvenFill)) {
                        inside.emplace_back(x, y);
                    }
                }
            }
            const auto distance = [&](QPointF p) { return QLineF(p, middle).length(); };
            std::sort(inside.begin(), inside.end(),
                      [&](QPointF a, QPointF b) { return distance(a) < distance(b); });
            LabelRequest request;
            request.text = ZoneText(zone).toStdString();
            const QPointF anchor = inside.empty() ? shown.center() : inside.front();
            request.anchor = {anchor.x(), anchor.y()};
            request.at = {middle.x(), middle.y()};
            for (const QPointF p : inside) {
                request.others.push_back({p.x(), p.y()});
            }
            requests.push_back(std::move(request));
            colours.push_back(Colour(zone.colour).darker(160));
        }
    }
    const auto placed = PlaceLabels(requests, field, [&](const std::string& text) {
        const QRectF box = metrics.boundingRect(QRectF(0, 0, 1e5, 1e5), Qt::AlignLeft,
                                                QString::fromStdString(text));
        return TextSize{box.width(), box.height()};
    });
    std::vector<ZoneLabel> labels;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const LabelRect& b = placed[i].box;
        labels.push_back(
            {{QString::fromStdString(requests[i].text), QRectF(b.left, b.top, b.width, b.height),
              QPointF(requests[i].anchor.x, requests[i].anchor.y), placed[i].leader,
              placed[i].placed},
             colours[i]});
    }
    return labels;
}

void PaintZoneLabels(QPainter& painter, const ChartLayout& layout,
                     const std::vector<ZoneLabel>& labels) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setFont(layout.smallFont);
    for (const ZoneLabel& zone : labels) {
        const PlacedText& label = zone.label;
        if (label.leader) {
            // Off its zone, over the hours' marks: a leader to it and a pale ground to read on.
            painter.setPen(QPen(zone.colour, 0.6 * layout.unit));
            painter.drawLine(label.anchor, BoxEdgeTowards(label.box, label.anchor));
            painter.fillRect(label.box, QColor(255, 255, 255, 200));
        }
        painter.setPen(zone.colour);
        painter.drawText(label.box, Qt::AlignCenter, label.text);
    }
    painter.restore();
}

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
    if (const auto key = KeyBox(layout, overlay)) {
        PaintKey(painter, layout, overlay, *key);
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
