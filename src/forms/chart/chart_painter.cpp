#include "forms/chart/chart_painter.h"

#include "forms/chart/climate_painter.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <limits>

namespace hygrovane::forms {

namespace {

using namespace chart;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

struct Look {
    QColor colour;
    double width; // in layout units
    Qt::PenStyle style = Qt::SolidLine;
};

Look LookOf(Family family) {
    switch (family) {
    case Family::DryBulbGrid:
    case Family::HumidityRatioGrid:
        return {QColor(205, 205, 205), 0.8};
    case Family::SpecificVolume:
        return {QColor(135, 80, 170), 0.9, Qt::DashLine};
    case Family::Enthalpy:
        return {QColor(200, 85, 30), 0.9};
    case Family::WetBulb:
        return {QColor(20, 135, 75), 0.9, Qt::DashLine};
    case Family::RelativeHumidity:
        return {QColor(40, 100, 205), 0.9};
    case Family::Saturation:
        break;
    }
    return {QColor(15, 35, 120), 2.2};
}

// On a raster device (the window, a PNG) a line thinner than 2 pixels is drawn as a 1-pixel
// hairline: Qt strokes those on a fast path, several times faster than a scaled width. Vector
// devices (SVG, PDF, a printer) get the scaled width.
QPen PenOf(const Look& look, double unit, const QPainter& painter) {
    const double width = look.width * unit;
    const bool raster =
        painter.paintEngine() != nullptr && painter.paintEngine()->type() == QPaintEngine::Raster;
    QPen pen(look.colour, width, look.style, Qt::FlatCap, Qt::BevelJoin);
    if (raster && width < 2) {
        pen.setWidthF(1);
        pen.setCosmetic(true);
    }
    return pen;
}

QPointF Pixel(const ChartMapping& mapping, ChartPoint p) {
    const PixelPoint q = mapping.toPixel(p);
    return {q.x, q.y};
}

QPolygonF Mapped(const ChartMapping& mapping, const Polyline& line) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(line.size()));
    for (const ChartPoint p : line) {
        polygon.append(Pixel(mapping, p));
    }
    return polygon;
}

// Text placed by the side or corner its alignment names, at a point.
void Text(QPainter& painter, QPointF at, Qt::Alignment align, const QString& text) {
    constexpr double kRoom = 100000; // wider than any text of the largest export
    double left = at.x() - kRoom / 2;
    if (align & Qt::AlignLeft) {
        left = at.x();
    } else if (align & Qt::AlignRight) {
        left = at.x() - kRoom;
    }
    double top = at.y() - kRoom / 2;
    if (align & Qt::AlignTop) {
        top = at.y();
    } else if (align & Qt::AlignBottom) {
        top = at.y() - kRoom;
    }
    painter.drawText(QRectF(left, top, kRoom, kRoom), static_cast<int>(align), text);
}

// The box of a text, its top left corner at a point (moved left of the point when it would pass
// the right limit).
QRectF BoxOf(const QFont& font, QPointF at, double rightLimit, const QString& text, double unit) {
    const QFontMetricsF metrics(font);
    const double pad = 2.5 * unit;
    QRectF box = metrics.boundingRect(text).adjusted(-pad, -pad, pad, pad);
    box.moveTopLeft(at);
    if (box.right() > rightLimit) {
        box.moveRight(at.x() - box.width() - 4 * unit);
        box.moveRight(std::min(box.right(), rightLimit));
    }
    return box;
}

// Text on a white box with a thin border.
void BoxedText(QPainter& painter, const QRectF& box, const QString& text, const QColor& colour,
               double unit) {
    painter.setPen(QPen(colour, 0.8 * unit));
    painter.setBrush(Qt::white);
    painter.drawRect(box);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.setBrush(Qt::NoBrush);
}

// The marked state: a dot and its label; none without a state inside the range.
struct StateMark {
    QPointF at;
    double radius = 0;
    QString label;
    QRectF box;
};

std::optional<StateMark> StateMarkOf(const ChartLayout& layout, const ChartScene& scene) {
    const ChartModel& model = *scene.model;
    if (!scene.statePoint || !model.range().contains(*scene.statePoint)) {
        return std::nullopt;
    }
    const double u = layout.unit;
    StateMark mark;
    mark.at = Pixel(MappingOf(layout, model.range()), *scene.statePoint);
    mark.radius = 4.5 * u;
    mark.label = qs(model.pointLabel(*scene.statePoint));
    // Below and right of the point; left of it near the right edge, above it near the bottom,
    // and inside whatever a plot narrower than the label leaves. The plot's clip is u outside it.
    const double off = mark.radius + 2 * u;
    const QRectF& plot = layout.plot;
    QRectF& box = mark.box;
    box = BoxOf(layout.smallFont, mark.at + QPointF(off, off),
                std::numeric_limits<double>::infinity(), mark.label, u);
    if (box.right() > plot.right() - u) {
        box.moveRight(mark.at.x() - off);
    }
    if (box.bottom() > plot.bottom() - u) {
        box.moveBottom(mark.at.y() - off);
    }
    if (box.left() < plot.left() + u) {
        box.moveLeft(plot.left() + u);
    }
    if (box.top() < plot.top() + u) {
        box.moveTop(plot.top() + u);
    }
    return mark;
}

// Whether a coordinate lies on an edge of the range. Lines end at samples whose dry bulb the
// core holds in 32 bits (the last of the default Metric chart at 49.999994 °C, the first of the
// British one 4E-6 K inside 20 °F): within a ten-thousandth of the span, far below a pixel, is on
// the edge.
bool Near(double a, double b, double span) {
    return std::abs(a - b) <= 1e-4 * std::abs(span);
}

// The box a text written by Text takes.
QRectF TextBox(const QFont& font, QPointF at, Qt::Alignment align, const QString& text) {
    const QFontMetricsF metrics(font);
    QRectF box(0, 0, metrics.horizontalAdvance(text), metrics.height());
    if (align & Qt::AlignLeft) {
        box.moveLeft(at.x());
    } else if (align & Qt::AlignRight) {
        box.moveRight(at.x());
    } else {
        box.moveCenter(QPointF(at.x(), box.center().y()));
    }
    if (align & Qt::AlignTop) {
        box.moveTop(at.y());
    } else if (align & Qt::AlignBottom) {
        box.moveBottom(at.y());
    } else {
        box.moveCenter(QPointF(box.center().x(), at.y()));
    }
    return box;
}

// Where a curve's label goes: relative humidity where the curve leaves the plot, wet bulb beside
// the saturation curve where the line starts, enthalpy beyond the saturation curve in the line's
// direction, specific volume where the line meets the bottom or the right edge. A wet-bulb or
// enthalpy line that starts on the left edge, or whose label would pass it, is labelled inside
// the plot beside its start.
std::optional<CurveLabel> PlaceLabel(const ChartMapping& mapping, const ChartLayout& layout,
                                     const Curve& curve) {
    const ChartRange& r = mapping.range();
    const double Tspan = r.dryBulbMax - r.dryBulbMin;
    const double Wspan = r.humidityRatioMax - r.humidityRatioMin;
    const double gap = 3 * layout.unit;
    const ChartPoint first = curve.pieces.front().front();
    const ChartPoint last = curve.pieces.back().back();
    const QPointF start = Pixel(mapping, first);
    const QPointF end = Pixel(mapping, last);
    const bool startsOnLeft = Near(first.dryBulb, r.dryBulbMin, Tspan);
    const bool startsOnTop = Near(first.humidityRatio, r.humidityRatioMax, Wspan);
    const QString text = qs(curve.label);
    const auto at = [&](QPointF point, Qt::Alignment align) {
        return CurveLabel{&curve, text, point, align,
                          TextBox(layout.smallFont, point, align, text)};
    };
    // Above and right of the start, or below it where the top edge is too near.
    const auto insideFromLeft = [&] {
        CurveLabel label = at(start + QPointF(gap, -gap), Qt::AlignLeft | Qt::AlignBottom);
        if (label.box.top() < layout.plot.top()) {
            label = at(start + QPointF(gap, gap), Qt::AlignLeft | Qt::AlignTop);
        }
        return label;
    };
    switch (curve.family) {
    case Family::RelativeHumidity: {
        CurveLabel label = Near(last.humidityRatio, r.humidityRatioMax, Wspan)
                               ? at(end + QPointF(-gap, gap), Qt::AlignRight | Qt::AlignTop)
                               : at(end + QPointF(-gap, -gap), Qt::AlignRight | Qt::AlignBottom);
        // A curve leaving the top next to the left corner: moved right, into the plot.
        const double past = layout.plot.left() - label.box.left();
        if (past > 0) {
            label.at.rx() += past;
            label.box.translate(past, 0);
        }
        return label;
    }
    case Family::WetBulb: {
        if (startsOnTop) {
            break;
        }
        const CurveLabel beside = at(start + QPointF(-gap, 0), Qt::AlignRight | Qt::AlignVCenter);
        return startsOnLeft || beside.box.left() < layout.plot.left() ? insideFromLeft() : beside;
    }
    case Family::Enthalpy: {
        if (startsOnTop) { // above the plot, clear of the humidity labels below its edge
            return at(start + QPointF(0, -gap), Qt::AlignHCenter | Qt::AlignBottom);
        }
        if (startsOnLeft) {
            return insideFromLeft();
        }
        if (curve.pieces.front().size() < 2) {
            break;
        }
        // Beyond the saturation curve, on the line's extension.
        const QPointF next = Pixel(mapping, curve.pieces.front()[1]);
        QPointF direction = start - next;
        const double length = std::hypot(direction.x(), direction.y());
        if (length > 0) {
            direction /= length;
            const double reach = 1.6 * layout.smallFont.pixelSize();
            const CurveLabel beyond = at(start + direction * reach, Qt::AlignCenter);
            return beyond.box.left() < layout.plot.left() ? insideFromLeft() : beyond;
        }
        break;
    }
    case Family::SpecificVolume:
        if (Near(last.humidityRatio, r.humidityRatioMin, Wspan)) {
            return at(end + QPointF(gap, -gap), Qt::AlignLeft | Qt::AlignBottom);
        }
        if (Near(last.dryBulb, r.dryBulbMax, Tspan)) {
            // Below the end, where the line does not pass: a relative-humidity curve ending on
            // the right edge nearby has its label above its end.
            CurveLabel label = at(end + QPointF(-gap, gap), Qt::AlignRight | Qt::AlignTop);
            if (label.box.bottom() > layout.plot.bottom()) {
                label = at(end + QPointF(-gap, -gap), Qt::AlignRight | Qt::AlignBottom);
            }
            return label;
        }
        break;
    case Family::DryBulbGrid:
    case Family::HumidityRatioGrid:
    case Family::Saturation: // the legend names it
        break;
    }
    return std::nullopt;
}

} // namespace

std::vector<CurveLabel> CurveLabels(const ChartLayout& layout, const ChartModel& model) {
    const ChartMapping mapping = MappingOf(layout, model.range());
    std::vector<CurveLabel> labels;
    for (const Curve& curve : model.geometry().curves) {
        if (auto label = PlaceLabel(mapping, layout, curve)) {
            labels.push_back(std::move(*label));
        }
    }
    return labels;
}

namespace {

const QColor kWinter(70, 140, 255);
const QColor kSummer(255, 150, 40);

void PaintComfortZones(QPainter& painter, const ChartMapping& mapping, const ChartLayout& layout,
                       const ChartGeometry& geometry) {
    for (std::size_t z = 0; z < geometry.comfortZones.size(); ++z) {
        const Zone& zone = geometry.comfortZones[z];
        if (zone.outline.size() < 3) {
            continue;
        }
        QColor fill = z == 0 ? kWinter : kSummer;
        const QColor edge = fill.darker(130);
        fill.setAlpha(70);
        painter.setPen(QPen(edge, layout.unit));
        painter.setBrush(fill);
        const QPolygonF polygon = Mapped(mapping, zone.outline);
        painter.drawPolygon(polygon);
        painter.setBrush(Qt::NoBrush);
        painter.setFont(layout.smallFont);
        const QRectF bounds = polygon.boundingRect();
        // Winter's name to the left, summer's to the right: the zones touch at 23 °C.
        if (z == 0) {
            Text(painter, QPointF(bounds.left() - 3 * layout.unit, bounds.top()),
                 Qt::AlignRight | Qt::AlignBottom, qs(zone.name));
        } else {
            Text(painter, QPointF(bounds.right() + 3 * layout.unit, bounds.top()),
                 Qt::AlignLeft | Qt::AlignBottom, qs(zone.name));
        }
    }
}

void PaintAxes(QPainter& painter, const ChartMapping& mapping, const ChartLayout& layout,
               const ChartModel& model) {
    const QRectF& plot = layout.plot;
    const ChartGeometry& g = model.geometry();
    const ChartRange& r = model.range();
    const double tick = 0.5 * layout.textFont.pixelSize();
    painter.setPen(QPen(Qt::black, layout.unit));
    painter.setFont(layout.textFont);
    for (const Tick& t : g.dryBulbTicks) {
        const double x = Pixel(mapping, {t.at, r.humidityRatioMin}).x();
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + tick));
        Text(painter, QPointF(x, plot.bottom() + 1.3 * tick), Qt::AlignHCenter | Qt::AlignTop,
             qs(t.label));
    }
    for (const Tick& t : g.humidityRatioTicks) {
        const double y = Pixel(mapping, {r.dryBulbMin, t.at}).y();
        painter.drawLine(QPointF(plot.right(), y), QPointF(plot.right() + tick, y));
        Text(painter, QPointF(plot.right() + 1.5 * tick, y), Qt::AlignLeft | Qt::AlignVCenter,
             qs(t.label));
    }
    const double line = QFontMetricsF(layout.textFont).height();
    Text(painter, QPointF(plot.center().x(), plot.bottom() + 1.3 * tick + line * 1.1),
         Qt::AlignHCenter | Qt::AlignTop, qs(model.familyCaption(Family::DryBulbGrid)));
    painter.save();
    painter.translate(layout.target.right() - 0.4 * line, plot.center().y());
    painter.rotate(-90);
    Text(painter, QPointF(0, 0), Qt::AlignHCenter | Qt::AlignBottom,
         qs(model.familyCaption(Family::HumidityRatioGrid)));
    painter.restore();
}

void PaintTitle(QPainter& painter, const ChartLayout& layout, const ChartScene& scene) {
    const QRectF& block = layout.title;
    painter.setPen(Qt::black);
    painter.setFont(layout.headingFont);
    Text(painter, block.topLeft(), Qt::AlignLeft | Qt::AlignTop, qs(scene.title.heading));
    const double headingHeight = QFontMetricsF(layout.headingFont).height();
    painter.setFont(layout.textFont);
    Text(painter,
         QPointF(block.right(),
                 block.top() + headingHeight - QFontMetricsF(layout.textFont).height()),
         Qt::AlignRight | Qt::AlignTop, qs(scene.title.program));
    const double textTop = block.top() + headingHeight * 1.05;
    Text(painter, QPointF(block.left(), textTop), Qt::AlignLeft | Qt::AlignTop,
         qs(scene.title.air + "  ·  " + scene.title.formulation));

    // The legend: a piece of each family's line and its caption.
    painter.setFont(layout.smallFont);
    const QFontMetricsF small(layout.smallFont);
    const double legendY =
        textTop + QFontMetricsF(layout.textFont).height() * 1.15 + small.height() / 2;
    double x = block.left();
    const double sample = 2.2 * small.height();
    const auto item = [&](const QPen& pen, const QBrush& brush, const QString& caption) {
        painter.setPen(pen);
        if (brush.style() != Qt::NoBrush) {
            painter.setBrush(brush);
            painter.drawRect(
                QRectF(x, legendY - small.height() / 3, sample, small.height() * 2 / 3));
            painter.setBrush(Qt::NoBrush);
        } else {
            painter.drawLine(QPointF(x, legendY), QPointF(x + sample, legendY));
        }
        x += sample + 0.4 * small.height();
        painter.setPen(pen.color().darker(115));
        Text(painter, QPointF(x, legendY), Qt::AlignLeft | Qt::AlignVCenter, caption);
        x += small.horizontalAdvance(caption) + 1.5 * small.height();
    };
    const ChartModel& model = *scene.model;
    for (const Family family : {Family::Saturation, Family::RelativeHumidity, Family::WetBulb,
                                Family::Enthalpy, Family::SpecificVolume}) {
        item(PenOf(LookOf(family), layout.unit, painter), Qt::NoBrush,
             qs(model.familyCaption(family)));
    }
    if (scene.comfortZones) {
        for (const QColor& colour : {kWinter, kSummer}) {
            QColor fill = colour;
            fill.setAlpha(70);
            item(QPen(colour.darker(130), layout.unit), fill,
                 colour == kWinter ? "Winter comfort" : "Summer comfort");
        }
    }
}

// The radius of an overlay's point marks, in thin-line widths.
constexpr double kOverlayRadius = 3.5;

void PaintOverlay(QPainter& painter, const ChartMapping& mapping, const ChartLayout& layout,
                  const Overlay& overlay) {
    const QColor colour(overlay.red, overlay.green, overlay.blue);
    const double u = layout.unit;
    painter.setFont(layout.smallFont);
    for (const OverlayPath& path : overlay.paths) {
        if (path.points.size() < 2) {
            continue;
        }
        const QPolygonF line = Mapped(mapping, path.points);
        QPen pen(colour, 2 * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        if (path.dashed) {
            pen.setWidthF(1.4 * u);
            pen.setDashPattern({4, 3});
            pen.setCapStyle(Qt::FlatCap);
        }
        painter.setPen(pen);
        painter.drawPolyline(line);
        if (path.arrow) {
            QPointF back = line[line.size() - 2] - line.back();
            const double length = std::hypot(back.x(), back.y());
            if (length > 0) {
                back /= length;
                const QPointF tip = line.back() + back * (kOverlayRadius + 1.5) * u;
                back *= 7 * u;
                const QPointF side(-back.y() / 2, back.x() / 2);
                painter.setBrush(colour);
                painter.drawPolygon(QPolygonF({tip, tip + back + side, tip + back - side}));
                painter.setBrush(Qt::NoBrush);
            }
        }
        if (!path.label.empty()) {
            const QPointF middle = (line[(line.size() - 1) / 2] + line[line.size() / 2]) / 2;
            Text(painter, middle + QPointF(3 * u, -3 * u), Qt::AlignLeft | Qt::AlignBottom,
                 qs(path.label));
        }
    }
    for (const OverlayPoint& point : overlay.points) {
        const QPointF at = Pixel(mapping, point.at);
        painter.setPen(QPen(Qt::black, 0.8 * u));
        painter.setBrush(colour);
        const double radius = kOverlayRadius * u;
        painter.drawEllipse(at, radius, radius);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(colour.darker(140));
        if (point.labelBelow) {
            Text(painter, at + QPointF(radius + 2 * u, radius), Qt::AlignLeft | Qt::AlignTop,
                 qs(point.label));
        } else {
            Text(painter, at + QPointF(radius + 2 * u, -radius), Qt::AlignLeft | Qt::AlignBottom,
                 qs(point.label));
        }
    }
}

// The note written on the plot, and its box; no box without a note.
std::pair<QString, QRectF> NoteOf(const ChartLayout& layout, const ChartScene& scene) {
    QString text = qs(scene.note);
    if (scene.statePoint && !scene.model->range().contains(*scene.statePoint)) {
        text = QStringLiteral("The main window's state lies outside the chart's range.");
    }
    if (text.isEmpty()) {
        return {};
    }
    const double u = layout.unit;
    return {text, BoxOf(layout.textFont, layout.plot.topLeft() + QPointF(8 * u, 8 * u),
                        layout.plot.right(), text, u)};
}

QRect Widened(const QRectF& box, double unit) {
    const double d = 2 * unit; // the outline and the antialiasing around it
    return box.adjusted(-d, -d, d, d).toAlignedRect();
}

} // namespace

ChartLayout LayoutChart(const QRectF& target) {
    ChartLayout layout;
    layout.target = target;
    const double base = std::max(9.0, std::min(target.width(), target.height()) / 60);
    layout.unit = base / 10;
    const QString family = QStringLiteral("Liberation Sans");
    layout.headingFont = QFont(family);
    layout.headingFont.setPixelSize(static_cast<int>(std::lround(1.35 * base)));
    layout.headingFont.setBold(true);
    layout.textFont = QFont(family);
    layout.textFont.setPixelSize(static_cast<int>(std::lround(base)));
    layout.smallFont = QFont(family);
    layout.smallFont.setPixelSize(static_cast<int>(std::lround(0.85 * base)));

    const double margin = 0.8 * base;
    const double titleHeight = 4.6 * base;
    layout.title = QRectF(target.left() + margin, target.top() + margin,
                          target.width() - 2 * margin, titleHeight);
    const double left = target.left() + 2.5 * base;
    const double top = layout.title.bottom() + 0.8 * base;
    const double right = target.right() - 5.5 * base;
    const double bottom = target.bottom() - 3.4 * base;
    layout.plot = QRectF(left, top, std::max(1.0, right - left), std::max(1.0, bottom - top));
    return layout;
}

ChartMapping MappingOf(const ChartLayout& layout, const ChartRange& range) {
    const QRectF& plot = layout.plot;
    return ChartMapping(range, {plot.left(), plot.top(), plot.width(), plot.height()});
}

void PaintChartBackground(QPainter& painter, const ChartLayout& layout, const ChartScene& scene) {
    const ChartModel& model = *scene.model;
    const ChartGeometry& geometry = model.geometry();
    const ChartMapping mapping = MappingOf(layout, model.range());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    if (scene.comfortZones) {
        PaintComfortZones(painter, mapping, layout, geometry);
    }
    for (const Curve& curve : geometry.curves) {
        painter.setPen(PenOf(LookOf(curve.family), layout.unit, painter));
        for (const Polyline& piece : curve.pieces) {
            painter.drawPolyline(Mapped(mapping, piece));
        }
    }
    painter.setFont(layout.smallFont);
    for (const CurveLabel& label : CurveLabels(layout, model)) {
        painter.setPen(LookOf(label.curve->family).colour.darker(115));
        Text(painter, label.at, label.align, label.text);
    }
    painter.setPen(QPen(Qt::black, 1.2 * layout.unit));
    painter.drawRect(layout.plot);
    PaintAxes(painter, mapping, layout, model);
    PaintTitle(painter, layout, scene);
    painter.restore();
}

void PaintChartForeground(QPainter& painter, const ChartLayout& layout, const ChartScene& scene) {
    const ChartModel& model = *scene.model;
    const ChartMapping mapping = MappingOf(layout, model.range());
    const double u = layout.unit;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(layout.plot.adjusted(-u, -u, u, u));
    for (const Overlay* overlay : scene.overlays) {
        PaintClimateLayers(painter, layout, mapping, *overlay);
        PaintOverlay(painter, mapping, layout, *overlay);
    }
    if (const auto mark = StateMarkOf(layout, scene)) {
        painter.setPen(QPen(Qt::black, 1.2 * u));
        painter.setBrush(QColor(225, 30, 30));
        painter.drawEllipse(mark->at, mark->radius, mark->radius);
        painter.setBrush(Qt::NoBrush);
        painter.setFont(layout.smallFont);
        BoxedText(painter, mark->box, mark->label, QColor(150, 20, 20), u);
    }
    if (const auto [text, box] = NoteOf(layout, scene); !text.isEmpty()) {
        painter.setFont(layout.textFont);
        BoxedText(painter, box, text, QColor(170, 0, 0), u);
    }
    painter.restore();
}

std::optional<QRectF> StateLabelBox(const ChartLayout& layout, const ChartScene& scene) {
    if (const auto mark = StateMarkOf(layout, scene)) {
        return mark->box;
    }
    return std::nullopt;
}

QRegion StateMarkRegion(const ChartLayout& layout, const ChartScene& scene) {
    QRegion region;
    if (const auto mark = StateMarkOf(layout, scene)) {
        const double r = mark->radius;
        region += Widened(QRectF(mark->at - QPointF(r, r), mark->at + QPointF(r, r)), layout.unit);
        region += Widened(mark->box, layout.unit);
    }
    if (const auto [text, box] = NoteOf(layout, scene); !text.isEmpty()) {
        region += Widened(box, layout.unit);
    }
    return region;
}

void PaintChart(QPainter& painter, const QRectF& target, const ChartScene& scene) {
    const ChartLayout layout = LayoutChart(target);
    painter.fillRect(target, Qt::white);
    PaintChartBackground(painter, layout, scene);
    PaintChartForeground(painter, layout, scene);
}

} // namespace hygrovane::forms
