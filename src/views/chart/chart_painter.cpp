#include "views/chart/chart_painter.h"

#include "chart/label_placer.h"
#include "views/chart/climate_painter.h"
#include "views/common/view_support.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace hygrovane::views {

namespace {

using namespace chart;

struct Look {
    QColor colour;
    double width; // in layout units
    Qt::PenStyle style = Qt::SolidLine;
};

Look LookOf(Family family) {
    switch (family) {
    case Family::DryBulbGrid:
    case Family::HumidityRatioGrid:
        return {QColor(200, 200, 200), 0.8};
    case Family::SpecificVolume:
        return {QColor(135, 80, 170), 0.9, Qt::DashLine};
    case Family::Enthalpy:
        return {QColor(200, 85, 30), 0.9};
    case Family::WetBulb:
        return {QColor(20, 135, 75), 0.9, Qt::DashLine};
    case Family::RelativeHumidity:
        return {QColor(40, 100, 205), 0.9};
    case Family::PercentageSaturation:
        return {QColor(0, 150, 170), 0.9, Qt::DotLine};
    case Family::Saturation:
        break;
    }
    return {QColor(15, 35, 120), 2.2};
}

// The minor steps between a family's labelled lines: thinner, and their colour half-way to the
// white ground, so that the handbook density stays calm and the labelled lines lead the eye.
Look LookOf(const Curve& curve) {
    Look look = LookOf(curve.family);
    if (!curve.labelled) {
        if (curve.family == Family::DryBulbGrid || curve.family == Family::HumidityRatioGrid) {
            // Dark enough to read on a page printed at 150 dpi, where #ececec all but vanished.
            look.colour = QColor(214, 214, 214);
            look.width *= 0.7;
            return look;
        }
        const QColor c = look.colour;
        look.colour =
            QColor((c.red() + 2 * 255) / 3, (c.green() + 2 * 255) / 3, (c.blue() + 2 * 255) / 3);
        look.width *= 0.55;
        look.style = Qt::SolidLine; // the colour tells the family; dashes would only add noise
    }
    return look;
}

// The h–x diagram's isotherms are one of its main families, as the Mollier convention draws
// them (its scale is theirs, on the left): dark and solid, the minor steps paler as any family's.
Look IsothermLook(const Curve& curve) {
    const Look labelled{QColor(45, 45, 45), 0.9};
    if (curve.labelled) {
        return labelled;
    }
    Look look = LookOf(curve);
    look.colour = QColor(175, 175, 175);
    look.width = labelled.width * 0.55;
    return look;
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

// A line mapped to pixels without the points that lie within a tenth of a pixel of the chord
// that skips them: the wet-bulb, enthalpy and volume lines are nearly straight, and the
// rasteriser's time goes by segments, not by length.
QPolygonF MappedSimplified(const ChartMapping& mapping, const Polyline& line) {
    const QPolygonF all = Mapped(mapping, line);
    if (all.size() < 3) {
        return all;
    }
    constexpr double kTolerance = 0.1; // px
    QPolygonF kept;
    kept.append(all.front());
    qsizetype from = 0;
    for (qsizetype i = 2; i < all.size(); ++i) {
        // Every point between the last kept one and i within the tolerance of their chord?
        const QPointF a = all[from];
        const QPointF d = all[i] - a;
        const double length = std::hypot(d.x(), d.y());
        bool straight = length > 0;
        for (qsizetype j = from + 1; straight && j < i; ++j) {
            const QPointF e = all[j] - a;
            straight = std::abs(d.x() * e.y() - d.y() * e.x()) <= kTolerance * length;
        }
        if (!straight) {
            from = i - 1;
            kept.append(all[from]);
        }
    }
    kept.append(all.back());
    return kept;
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
    bool leader = false; // the label stands off the point: a line runs to it
};

std::optional<StateMark> PreferredStateMark(const ChartLayout& layout, const ChartScene& scene) {
    const Chart& model = *scene.model;
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

// How far beyond the saturation curve the enthalpy scale's ticks reach along their lines: from
// the first reach to the second for a minor step, to the third for a labelled one. The first
// leaves room for the saturation-temperature scale's ticks on the curve.
double EnthalpyScaleReach(const ChartLayout& layout, bool labelled) {
    const double f = layout.smallFont.pixelSize();
    return labelled ? 2.4 * f : 1.8 * f;
}
double EnthalpyScaleStart(const ChartLayout& layout) {
    return 1.0 * layout.smallFont.pixelSize();
}

// Where a curve's label goes: relative humidity where the curve leaves the plot, wet bulb beside
// the saturation curve where the line starts, enthalpy beyond the saturation curve in the line's
// direction, specific volume where the line meets the bottom or the right edge. A wet-bulb or
// enthalpy line that starts on the left edge, or whose label would pass it, is labelled inside
// the plot beside its start.
std::optional<CurveLabel> PlaceLabel(const ChartMapping& mapping, const ChartLayout& layout,
                                     const Curve& curve) {
    if (!curve.labelled) {
        return std::nullopt; // a minor step: deliberately without a label
    }
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
        return CurveLabel{&curve, text, point, align, TextBox(layout.smallFont, point, align, text),
                          point,  false};
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
    case Family::PercentageSaturation:
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
        if (startsOnTop) { // below the top edge, right of where the line enters
            return at(start + QPointF(gap, gap), Qt::AlignLeft | Qt::AlignTop);
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
            // Beyond the enthalpy scale's longest tick, the box clear of it.
            const QRectF box = TextBox(layout.smallFont, QPointF(0, 0), Qt::AlignCenter, text);
            const double reach = EnthalpyScaleReach(layout, true) + gap +
                                 std::abs(direction.x()) * box.width() / 2 +
                                 std::abs(direction.y()) * box.height() / 2;
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
    case Family::DryBulbGrid: // the axes carry their values
    case Family::HumidityRatioGrid:
    case Family::Saturation: // the legend names it
        return std::nullopt;
    }
    // A labelled line of a family that ends nowhere else (where the core finds no moist air, at
    // a low pressure): at its end, inside.
    return at(end + QPointF(-gap, -gap), Qt::AlignRight | Qt::AlignBottom);
}

} // namespace

namespace {

chart::LabelRect Rect(const QRectF& r) {
    return {r.left(), r.top(), r.width(), r.height()};
}
QRectF Rect(const chart::LabelRect& r) {
    return {r.left, r.top, r.width, r.height};
}
chart::PixelPoint Point(QPointF p) {
    return {p.x(), p.y()};
}

chart::MeasureText Measure(const QFont& font) {
    return [metrics = QFontMetricsF(font)](const std::string& text) {
        return chart::TextSize{metrics.horizontalAdvance(qs(text)), metrics.height()};
    };
}

// The pixels of a curve from the end its label stands at, for the label to slide along.
std::vector<chart::PixelPoint> LineFromLabel(const ChartMapping& mapping, const Curve& curve,
                                             QPointF label) {
    const Polyline& first = curve.pieces.front();
    const Polyline& last = curve.pieces.back();
    const QPointF a = Pixel(mapping, first.front());
    const QPointF b = Pixel(mapping, last.back());
    const bool fromStart = QLineF(label, a).length() <= QLineF(label, b).length();
    const Polyline& piece = fromStart ? first : last;
    std::vector<chart::PixelPoint> line;
    line.reserve(piece.size());
    for (const ChartPoint p : piece) {
        line.push_back(mapping.toPixel(p));
    }
    if (!fromStart) {
        std::reverse(line.begin(), line.end());
    }
    return line;
}

// The legend's row in the title block, which an enthalpy label above the plot keeps clear of.
QRectF LegendRow(const ChartLayout& layout);

} // namespace

std::vector<CurveLabel> CurveLabels(const ChartLayout& layout, const Chart& model) {
    return CurveLabels(layout, model, {});
}

namespace {

// The last labels placed, by what they depend on: the background and the foreground of one
// paint, and the state mark's region, ask for the same ones.
struct PlacedCurveLabels {
    const Chart* model = nullptr;
    int computations = -1;
    chart::ChartSettings settings;
    FamilySet families;
    bool percentageSaturation = false;
    QRectF target;
    Projection projection = Projection::Psychrometric;
    std::vector<QRectF> obstacles;
    std::vector<CurveLabel> labels;

    bool holds(const ChartLayout& layout, const Chart& m, const std::vector<QRectF>& o) const {
        return model == &m && computations == m.computations() && settings == m.settings() &&
               families == m.families() && percentageSaturation == m.percentageSaturation() &&
               target == layout.target && projection == layout.projection && obstacles == o;
    }
};

std::vector<CurveLabel> PlaceCurveLabels(const ChartLayout& layout, const Chart& model,
                                         const std::vector<QRectF>& obstacles);

} // namespace

std::vector<CurveLabel> CurveLabels(const ChartLayout& layout, const Chart& model,
                                    const std::vector<QRectF>& obstacles) {
    thread_local PlacedCurveLabels last;
    if (!last.holds(layout, model, obstacles)) {
        last = {&model,
                model.computations(),
                model.settings(),
                model.families(),
                model.percentageSaturation(),
                layout.target,
                layout.projection,
                obstacles,
                PlaceCurveLabels(layout, model, obstacles)};
    }
    return last.labels;
}

namespace {

std::vector<CurveLabel> PlaceCurveLabels(const ChartLayout& layout, const Chart& model,
                                         const std::vector<QRectF>& obstacles) {
    const ChartMapping mapping = MappingOf(layout, model.range());
    std::vector<CurveLabel> labels;
    std::vector<chart::LabelRequest> requests;
    const QRectF legend = LegendRow(layout);
    // An enthalpy label may stand above the plot, below the legend's row.
    const QRectF above(layout.target.left(), legend.bottom(), layout.target.width(),
                       layout.plot.top() - legend.bottom());
    for (const Curve& curve : model.geometry().curves) {
        if (auto label = PlaceLabel(mapping, layout, curve)) {
            chart::LabelRequest request;
            request.text = label->text.toStdString();
            request.at = Point(label->box.center());
            request.line = LineFromLabel(mapping, curve, label->box.center());
            request.anchor = request.line.empty() ? request.at : request.line.front();
            if (curve.family == Family::Enthalpy && label->box.bottom() <= layout.plot.top()) {
                request.regions = {Rect(above), Rect(layout.plot)};
            }
            requests.push_back(std::move(request));
            labels.push_back(std::move(*label));
        }
    }
    chart::LabelField field;
    field.frame = Rect(layout.plot);
    field.gap = 3 * layout.unit; // the halo and a space: no two labels touch
    field.obstacles.push_back(Rect(legend));
    for (const QRectF& o : obstacles) {
        field.obstacles.push_back(Rect(o));
    }
    const std::vector<chart::PlacedLabel> placed =
        chart::PlaceLabels(requests, field, Measure(layout.smallFont));
    for (std::size_t i = 0; i < labels.size(); ++i) {
        labels[i].box = Rect(placed[i].box);
        labels[i].at = labels[i].box.center();
        labels[i].align = Qt::AlignCenter;
        labels[i].anchor = QPointF(requests[i].anchor.x, requests[i].anchor.y);
        labels[i].leader = placed[i].leader;
    }
    return labels;
}

} // namespace

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

// The Mollier diagram's axes: the humidity ratio across the bottom, and each isotherm's dry
// bulb on the left where it starts at x = 0, as the Mollier convention labels its isotherms (the
// enthalpy axis is skewed, so the dry bulb is what a reader looks up there).
void PaintMollierAxes(QPainter& painter, const ChartMapping& mapping, const ChartLayout& layout,
                      const Chart& model) {
    const QRectF& plot = layout.plot;
    const ChartGeometry& g = model.geometry();
    const double tick = 0.5 * layout.textFont.pixelSize();
    for (const Tick& t : g.humidityRatioTicks) {
        const PixelPoint at = HumidityRatioTickAt(mapping, t.at);
        painter.drawLine(QPointF(at.x, plot.bottom()), QPointF(at.x, plot.bottom() + tick));
        Text(painter, QPointF(at.x, plot.bottom() + 1.3 * tick), Qt::AlignHCenter | Qt::AlignTop,
             qs(t.label));
    }
    for (const Tick& t : g.dryBulbTicks) {
        const PixelPoint at = DryBulbTickAt(mapping, t.at);
        if (!mapping.plot().contains(at)) {
            continue; // the isotherm leaves through the top or the bottom
        }
        painter.drawLine(QPointF(plot.left(), at.y), QPointF(plot.left() - tick, at.y));
        Text(painter, QPointF(plot.left() - 1.5 * tick, at.y), Qt::AlignRight | Qt::AlignVCenter,
             qs(t.label));
    }
    const double line = QFontMetricsF(layout.textFont).height();
    Text(painter, QPointF(plot.center().x(), plot.bottom() + 1.3 * tick + line * 1.1),
         Qt::AlignHCenter | Qt::AlignTop, qs(model.familyCaption(Family::HumidityRatioGrid)));
    painter.save();
    painter.translate(layout.target.left() + 0.4 * line, plot.center().y());
    painter.rotate(-90);
    Text(painter, QPointF(0, 0), Qt::AlignHCenter | Qt::AlignTop,
         qs(model.familyCaption(Family::DryBulbGrid)));
    painter.restore();
}

void PaintAxes(QPainter& painter, const ChartMapping& mapping, const ChartLayout& layout,
               const Chart& model) {
    const QRectF& plot = layout.plot;
    const ChartGeometry& g = model.geometry();
    const ChartRange& r = model.range();
    const double tick = 0.5 * layout.textFont.pixelSize();
    painter.setPen(QPen(Qt::black, layout.unit));
    painter.setFont(layout.textFont);
    if (mapping.projection() == Projection::Mollier) {
        PaintMollierAxes(painter, mapping, layout, model);
        return;
    }
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
    const Chart& model = *scene.model;
    for (const Family family : {Family::Saturation, Family::DryBulbGrid, Family::RelativeHumidity,
                                Family::WetBulb, Family::Enthalpy, Family::SpecificVolume}) {
        // A family the user hid has no line on the chart to explain; the dry-bulb grid is a
        // main family on the h–x diagram only.
        if (model.families().hides(family)) {
            continue;
        }
        if (family == Family::DryBulbGrid) {
            if (scene.projection == Projection::Mollier) {
                Curve labelled;
                labelled.family = family;
                item(PenOf(IsothermLook(labelled), layout.unit, painter), Qt::NoBrush,
                     qs("Dry bulb, " + model.units().dryBulb.symbol));
            }
            continue;
        }
        item(PenOf(LookOf(family), layout.unit, painter), Qt::NoBrush,
             qs(model.familyCaption(family)));
    }
    if (model.percentageSaturation() && !model.families().hides(Family::PercentageSaturation)) {
        item(PenOf(LookOf(Family::PercentageSaturation), layout.unit, painter), Qt::NoBrush,
             qs(model.familyCaption(Family::PercentageSaturation)));
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
    }
    for (const OverlayPoint& point : overlay.points) {
        const QPointF at = Pixel(mapping, point.at);
        painter.setPen(QPen(Qt::black, 0.8 * u));
        painter.setBrush(colour);
        const double radius = kOverlayRadius * u;
        painter.drawEllipse(at, radius, radius);
        painter.setBrush(Qt::NoBrush);
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

// The saturation-temperature (dew-point) scale: a tick across the saturation curve, outwards,
// where each wet-bulb line starts (the labelled ones longer: their labels are its numbers).
// The enthalpy scale: each enthalpy line that starts on the curve carried on beyond it as a
// tick, a labelled line's longer, with its label at the end.
void PaintScales(QPainter& painter, const ChartMapping& mapping, const ChartLayout& layout,
                 const ChartGeometry& geometry) {
    const double f = layout.smallFont.pixelSize();
    const ChartRange& r = mapping.range();
    const chart::PixelRect& plot = mapping.plot();
    const double perKelvin = plot.width / (r.dryBulbMax - r.dryBulbMin);
    const double perRatio = plot.height / (r.humidityRatioMax - r.humidityRatioMin);
    painter.setPen(PenOf(LookOf(Family::Saturation), layout.unit * 0.4, painter));
    for (const ScaleMark& mark : geometry.saturationScale) {
        // Outwards: up and to the left, at right angles to the curve in pixels.
        double k = mark.slope * perRatio / perKelvin;
        if (mapping.projection() != Projection::Psychrometric) {
            k = PixelSlope(mapping, mark.at, mark.slope);
        }
        QPointF normal(-k, -1);
        normal /= std::hypot(normal.x(), normal.y());
        const QPointF at = Pixel(mapping, mark.at);
        painter.drawLine(at, at + normal * (mark.labelled ? 0.8 : 0.5) * f);
    }
    for (const Curve& curve : geometry.curves) {
        if (curve.family != Family::Enthalpy || curve.pieces.front().size() < 2) {
            continue;
        }
        const ChartPoint first = curve.pieces.front().front();
        if (Near(first.dryBulb, r.dryBulbMin, r.dryBulbMax - r.dryBulbMin) ||
            Near(first.humidityRatio, r.humidityRatioMax,
                 r.humidityRatioMax - r.humidityRatioMin)) {
            continue; // enters from an edge: no saturation curve to carry on from
        }
        const QPointF start = Pixel(mapping, first);
        QPointF direction = start - Pixel(mapping, curve.pieces.front()[1]);
        const double length = std::hypot(direction.x(), direction.y());
        if (!(length > 0)) {
            continue;
        }
        direction /= length;
        const QPointF from = start + direction * EnthalpyScaleStart(layout);
        const QPointF to = start + direction * EnthalpyScaleReach(layout, curve.labelled);
        if (!layout.plot.contains(to)) {
            continue;
        }
        painter.setPen(PenOf(LookOf(curve), layout.unit, painter));
        painter.drawLine(from, to);
    }
}

// Angles (increasing) moved as little as they can, in the least-squares sense, so that each
// stands at least separation[i] beyond the one before it, all within [low, high]: pooling
// adjacent violators on the angles less their running separations.
std::vector<double> Spread(const std::vector<double>& angles, const std::vector<double>& separation,
                           double low, double high) {
    const std::size_t n = angles.size();
    std::vector<double> offset(n, 0);
    for (std::size_t i = 1; i < n; ++i) {
        offset[i] = offset[i - 1] + separation[i - 1];
    }
    struct Block {
        double sum;
        int count;
        double mean() const { return sum / count; }
    };
    std::vector<Block> blocks;
    for (std::size_t i = 0; i < n; ++i) {
        blocks.push_back({angles[i] - offset[i], 1});
        while (blocks.size() > 1 && blocks[blocks.size() - 2].mean() > blocks.back().mean()) {
            blocks[blocks.size() - 2].sum += blocks.back().sum;
            blocks[blocks.size() - 2].count += blocks.back().count;
            blocks.pop_back();
        }
    }
    std::vector<double> out;
    const double top = n > 0 ? std::max(low, high - offset[n - 1]) : high;
    for (const Block& block : blocks) {
        for (int k = 0; k < block.count; ++k) {
            out.push_back(std::clamp(block.mean(), low, top) + offset[out.size()]);
        }
    }
    return out;
}

// The sensible-heat-ratio protractor in the plot's upper left corner (the Mollier diagram's
// lower right), where a chart has no lines: rays from its centre in the chart's own directions
// (so that a parallel through a state point is the room ratio line), the SHR inside the arc,
// Δh/ΔW outside it. The SHR rays of 0.5 to 1.0 crowd near the baseline, so every label is spread
// along the arc, in order, as little as keeps them apart, with a leader to its tick when moved.
struct ProtractorShape {
    QPointF centre;
    double radius = 0;
    struct Tick {
        QLineF line;
        PlacedText label;
    };
    std::vector<Tick> ticks;
    std::vector<PlacedText> caption;
    QRectF disc; // the half disc with its outer ticks
};

std::optional<ProtractorShape> ShapeOf(const ChartMapping& mapping, const ChartLayout& layout,
                                       const Chart& model) {
    const auto& protractor = model.protractor();
    if (!protractor) {
        return std::nullopt;
    }
    const QRectF& plot = layout.plot;
    const double u = layout.unit;
    const bool mollier = mapping.projection() == Projection::Mollier;
    const ChartRange& r = mapping.range();
    const ChartPoint middle{(r.dryBulbMin + r.dryBulbMax) / 2,
                            (r.humidityRatioMin + r.humidityRatioMax) / 2};
    const double perKelvin = plot.width() / (r.dryBulbMax - r.dryBulbMin);
    const double perRatio = plot.height() / (r.humidityRatioMax - r.humidityRatioMin);
    const QFontMetricsF metrics(layout.smallFont);
    struct Mark {
        double angle;
        QString text;
        QSizeF size;
        bool outer;
    };
    std::vector<Mark> marks;
    for (const ProtractorMark& mark : protractor->marks) {
        QPointF d(mark.dryBulb * perKelvin, -mark.humidityRatio * perRatio);
        if (mollier) {
            // Directions are straight in h and W, so the middle of the range serves; a ray
            // stands for its line, so one pointing down is turned up into the half disc.
            const PixelPoint p = PixelDirection(mapping, middle, mark.dryBulb, mark.humidityRatio);
            d = p.y > 0 ? QPointF(-p.x, -p.y) : QPointF(p.x, p.y);
        }
        if (!(std::hypot(d.x(), d.y()) > 0)) {
            continue;
        }
        const QString text = qs(mark.text);
        marks.push_back({std::atan2(-d.y(), d.x()), text,
                         QSizeF(metrics.horizontalAdvance(text), metrics.height()), mark.outer});
    }
    const auto direction = [](double angle) { return QPointF(std::cos(angle), -std::sin(angle)); };
    const auto clear = [&](double angle, QSizeF size) {
        return std::abs(std::cos(angle)) * size.width() / 2 +
               std::abs(std::sin(angle)) * size.height() / 2 + 2 * u;
    };
    // One scale's labels in order of their rays, and the angles they stand at: spread along
    // the arc at a radius, as little as keeps neighbours apart (two boxes are apart once the
    // step along the arc clears either their widths across or their heights up); and whether
    // they fit between the ends of the baseline.
    struct Scale {
        std::vector<const Mark*> marks;
        std::vector<double> angles;
        bool fits = true;
    };
    const auto spread = [&](bool outer, double radius) {
        Scale scale;
        double widest = 0;
        for (const Mark& mark : marks) {
            if (mark.outer == outer) {
                scale.marks.push_back(&mark);
                widest = std::max(widest, mark.size.width());
            }
        }
        std::sort(scale.marks.begin(), scale.marks.end(),
                  [](const Mark* a, const Mark* b) { return a->angle < b->angle; });
        const double in = outer ? 1.0 : 0.84;
        const double out = outer ? 1.09 : 1.0;
        // The radius the labels' near sides stand at, the smallest their centres take.
        const double reach =
            std::max(1.0, outer ? out * radius + 2 * u : in * radius - widest / 2 - 2 * u);
        const double height = metrics.height();
        const double low = std::asin(std::min(1.0, (height / 2 + 2 * u) / reach));
        const double high = std::numbers::pi - low;
        std::vector<double> wanted;
        for (const Mark* mark : scale.marks) {
            wanted.push_back(std::clamp(mark->angle, low, high));
        }
        scale.angles = wanted;
        for (int pass = 0; pass < 3; ++pass) {
            std::vector<double> separation;
            for (std::size_t i = 1; i < scale.marks.size(); ++i) {
                const double a = (scale.angles[i - 1] + scale.angles[i]) / 2;
                const QSizeF s = (scale.marks[i - 1]->size + scale.marks[i]->size) / 2;
                const double across = s.width() / std::max(std::abs(std::sin(a)), 1e-3);
                const double up = s.height() / std::max(std::abs(std::cos(a)), 1e-3);
                // A tenth more for the boxes' different radii on a curved arc.
                separation.push_back((1.1 * std::min(across, up) + 2 * u) / reach);
            }
            scale.angles = Spread(wanted, separation, low, high);
        }
        scale.fits = scale.angles.empty() || scale.angles.back() <= high + 1e-9;
        return scale;
    };
    // A sixth of the plot's smaller side, wider when the SHR scale (0.5 to 1.0 crowd near the
    // baseline, the negatives lie beyond 0.0) needs it to stand apart, up to a quarter.
    const double side = std::min(plot.width(), plot.height());
    double radius = 0.16 * side;
    Scale inner = spread(false, radius);
    while (!inner.fits && radius < 0.25 * side) {
        radius += 0.01 * side;
        inner = spread(false, radius);
    }
    ProtractorShape shape;
    shape.radius = radius;
    // The Mollier diagram's empty corner is the lower right, below its saturation curve.
    const QPointF centre = mollier ? plot.bottomRight() + QPointF(-1.45 * radius, -0.9 * radius)
                                   : plot.topLeft() + QPointF(1.45 * radius, 1.4 * radius);
    shape.centre = centre;
    shape.disc =
        QRectF(centre - QPointF(1.09 * radius, 1.09 * radius), centre + QPointF(1.09 * radius, 0));
    for (const bool outer : {false, true}) {
        const Scale scale = outer ? spread(true, radius) : inner;
        const double in = outer ? 1.0 : 0.84;
        const double out = outer ? 1.09 : 1.0;
        for (std::size_t i = 0; i < scale.marks.size(); ++i) {
            const Mark& mark = *scale.marks[i];
            const QPointF d = direction(mark.angle);
            ProtractorShape::Tick tick;
            tick.line = QLineF(centre + d * in * radius, centre + d * out * radius);
            const double a = scale.angles[i];
            const QPointF at = centre + direction(a) * (outer ? out * radius + clear(a, mark.size)
                                                              : in * radius - clear(a, mark.size));
            QRectF box(QPointF(0, 0), mark.size);
            box.moveCenter(at);
            const QPointF end = outer ? tick.line.p2() : tick.line.p1();
            tick.label = {mark.text, box, end, std::abs(a - mark.angle) > 0.01, true};
            shape.ticks.push_back(tick);
        }
    }
    // The caption below the baseline, in two lines, kept inside the plot.
    const QStringList lines = {
        QStringLiteral("Sensible heat ratio (inside)"),
        QStringLiteral("Δh/ΔW, %1 per %2 (outside)")
            .arg(qs(model.units().enthalpy.symbol), model.units().enthalpy.symbol == "Btu/lb"
                                                        ? QStringLiteral("lb/lb")
                                                        : QStringLiteral("kg/kg"))};
    double top = centre.y() + 0.6 * layout.smallFont.pixelSize();
    for (const QString& line : lines) {
        QRectF box(centre.x() - radius, top, metrics.horizontalAdvance(line), metrics.height());
        box.moveRight(std::min(box.right(), plot.right() - 2 * u));
        box.moveLeft(std::max(box.left(), plot.left() + 2 * u));
        box.moveBottom(std::min(box.bottom(), plot.bottom() - 2 * u));
        shape.caption.push_back({line, box, box.center(), false, true});
        top += metrics.height();
    }
    return shape;
}

void PaintProtractor(QPainter& painter, const ChartLayout& layout, const ProtractorShape& shape) {
    const double u = layout.unit;
    const QPointF centre = shape.centre;
    const double radius = shape.radius;
    const QColor ink(60, 60, 60);
    painter.save();
    painter.setPen(QPen(ink, 0.8 * u));
    painter.setBrush(QColor(255, 255, 255, 235));
    const QRectF circle(centre - QPointF(radius, radius), centre + QPointF(radius, radius));
    painter.drawChord(circle, 0, 180 * 16);
    painter.setBrush(Qt::NoBrush);
    painter.setFont(layout.smallFont);
    for (const ProtractorShape::Tick& tick : shape.ticks) {
        painter.setPen(QPen(ink, 0.7 * u));
        painter.drawLine(tick.line);
        if (tick.label.leader) {
            painter.setPen(QPen(ink, 0.4 * u));
            painter.drawLine(tick.label.anchor, BoxEdgeTowards(tick.label.box, tick.label.anchor));
        }
        painter.setPen(ink);
        painter.drawText(tick.label.box, Qt::AlignCenter, tick.label.text);
    }
    painter.setPen(QPen(ink, 0.8 * u));
    painter.drawLine(centre - QPointF(radius, 0), centre + QPointF(radius, 0));
    painter.setBrush(ink);
    painter.drawEllipse(centre, 1.5 * u, 1.5 * u);
    painter.setBrush(Qt::NoBrush);
    for (const PlacedText& line : shape.caption) {
        painter.drawText(line.box, Qt::AlignCenter, line.text);
    }
    painter.restore();
}

// What the protractor covers, for the labels to keep clear of.
std::vector<QRectF> ProtractorArea(const ProtractorShape& shape) {
    std::vector<QRectF> area{shape.disc};
    for (const ProtractorShape::Tick& tick : shape.ticks) {
        area.push_back(tick.label.box);
    }
    for (const PlacedText& line : shape.caption) {
        area.push_back(line.box);
    }
    return area;
}

QRectF LegendRow(const ChartLayout& layout) {
    const double headingHeight = QFontMetricsF(layout.headingFont).height();
    const double textTop = layout.title.top() + headingHeight * 1.05;
    const double small = QFontMetricsF(layout.smallFont).height();
    const double legendY = textTop + QFontMetricsF(layout.textFont).height() * 1.15 + small / 2;
    return QRectF(layout.title.left(), legendY - small / 2, layout.title.width(), small);
}

} // namespace

QPointF BoxEdgeTowards(const QRectF& box, QPointF to) {
    const QPointF d = to - box.center();
    const double tx = d.x() != 0 ? box.width() / 2 / std::abs(d.x()) : INFINITY;
    const double ty = d.y() != 0 ? box.height() / 2 / std::abs(d.y()) : INFINITY;
    return box.center() + d * std::min({tx, ty, 1.0});
}

ChartLayout LayoutChart(const QRectF& target, chart::Projection projection) {
    ChartLayout layout;
    layout.target = target;
    layout.projection = projection;
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
    // The dry-bulb scale's side is wide: on the right of the psychrometric chart, on the left of
    // the Mollier diagram.
    const bool mollier = projection == chart::Projection::Mollier;
    const double left = target.left() + (mollier ? 5.5 : 2.5) * base;
    const double top = layout.title.bottom() + 0.8 * base;
    const double right = target.right() - (mollier ? 2.5 : 5.5) * base;
    const double bottom = target.bottom() - 3.4 * base;
    layout.plot = QRectF(left, top, std::max(1.0, right - left), std::max(1.0, bottom - top));
    return layout;
}

ChartMapping MappingOf(const ChartLayout& layout, const ChartRange& range) {
    const QRectF& plot = layout.plot;
    return ChartMapping(range, {plot.left(), plot.top(), plot.width(), plot.height()},
                        layout.projection);
}

void PaintChartBackground(QPainter& painter, const ChartLayout& layout, const ChartScene& scene) {
    const Chart& model = *scene.model;
    const ChartGeometry& geometry = model.geometry();
    const ChartMapping mapping = MappingOf(layout, model.range());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    if (scene.comfortZones) {
        PaintComfortZones(painter, mapping, layout, geometry);
    }
    const bool mollier = mapping.projection() == Projection::Mollier;
    for (const Curve& curve : geometry.curves) {
        // The grids are upright and level, and the minor steps pale: both are drawn without
        // antialiasing, which costs four times the time on a raster device and shows nothing on
        // them that a reader would miss. The labelled lines keep it.
        const bool isotherm = mollier && curve.family == Family::DryBulbGrid;
        const bool grid = !isotherm && (curve.family == Family::DryBulbGrid ||
                                        curve.family == Family::HumidityRatioGrid);
        painter.setRenderHint(QPainter::Antialiasing, !grid && curve.labelled);
        painter.setPen(PenOf(isotherm ? IsothermLook(curve) : LookOf(curve), layout.unit, painter));
        for (const Polyline& piece : curve.pieces) {
            painter.drawPolyline(MappedSimplified(mapping, piece));
        }
        // On the h-x diagram an isotherm goes on through the fog region below the saturation
        // curve, nearly along the enthalpy lines; unless that region is asked to stay blank.
        if (isotherm && scene.fogIsotherms) {
            // Thin and pale there, so that the fog region stays quiet beside the chart's air.
            const Look pale{curve.labelled ? QColor(150, 150, 150) : QColor(205, 205, 205), 0.5};
            painter.setPen(PenOf(pale, layout.unit, painter));
            const ChartPoint top = curve.pieces.back().back();
            if (const auto fog = FogIsotherm(top.dryBulb, top.humidityRatio, model.range())) {
                painter.drawLine(Pixel(mapping, fog->from), Pixel(mapping, fog->to));
            }
        }
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    PaintScales(painter, mapping, layout, geometry);
    painter.setFont(layout.smallFont);
    const std::optional<ProtractorShape> protractor =
        scene.protractor ? ShapeOf(mapping, layout, model) : std::nullopt;
    for (const CurveLabel& label : CurveLabels(
             layout, model, protractor ? ProtractorArea(*protractor) : std::vector<QRectF>{})) {
        // The halo: the ground's colour around the text, so that no line runs through it and
        // a label never reads as a neighbouring line's.
        const double halo = 0.8 * layout.unit;
        const QColor colour = LookOf(label.curve->family).colour.darker(115);
        if (label.leader) {
            painter.setPen(QPen(colour, 0.5 * layout.unit));
            painter.drawLine(label.anchor, BoxEdgeTowards(label.box, label.anchor));
        }
        painter.fillRect(label.box.adjusted(-halo, 0, halo, 0), Qt::white);
        painter.setPen(colour);
        Text(painter, label.at, label.align, label.text);
    }
    if (protractor) {
        PaintProtractor(painter, layout, *protractor);
    }
    painter.setPen(QPen(Qt::black, 1.2 * layout.unit));
    painter.drawRect(layout.plot);
    PaintAxes(painter, mapping, layout, model);
    PaintTitle(painter, layout, scene);
    painter.restore();
}

namespace {

// The overlays' marked points, as boxes the labels keep clear of.
std::vector<QRectF> OverlayDots(const ChartLayout& layout, const ChartScene& scene) {
    const ChartMapping mapping = MappingOf(layout, scene.model->range());
    const double r = (kOverlayRadius + 1) * layout.unit;
    std::vector<QRectF> dots;
    for (const Overlay* overlay : scene.overlays) {
        for (const OverlayPoint& point : overlay->points) {
            const QPointF at = Pixel(mapping, point.at);
            dots.emplace_back(at - QPointF(r, r), at + QPointF(r, r));
        }
    }
    return dots;
}

std::vector<QRectF> BoxesOf(const std::vector<CurveLabel>& labels) {
    std::vector<QRectF> boxes;
    boxes.reserve(labels.size());
    for (const CurveLabel& label : labels) {
        boxes.push_back(label.box);
    }
    return boxes;
}

std::vector<QRectF> ProtractorAreaOf(const ChartLayout& layout, const ChartScene& scene) {
    if (!scene.protractor) {
        return {};
    }
    const auto shape = ShapeOf(MappingOf(layout, scene.model->range()), layout, *scene.model);
    return shape ? ProtractorArea(*shape) : std::vector<QRectF>{};
}

// The state's label where it would stand, else at another corner of its point, else off it:
// clear of every other label and of the marked points.
std::optional<StateMark> StateMarkOf(const ChartLayout& layout, const ChartScene& scene,
                                     const std::vector<QRectF>& taken) {
    std::optional<StateMark> mark = PreferredStateMark(layout, scene);
    if (!mark) {
        return mark;
    }
    const double u = layout.unit;
    const double off = mark->radius + 2 * u;
    const QSizeF size = mark->box.size();
    const QPointF at = mark->at;
    chart::LabelRequest request;
    request.text = mark->label.toStdString();
    request.anchor = Point(at);
    request.at = Point(mark->box.center());
    const double dx = off + size.width() / 2;
    const double dy = off + size.height() / 2;
    for (const QPointF corner : {QPointF(dx, -dy), QPointF(-dx, dy), QPointF(-dx, -dy)}) {
        request.others.push_back(Point(at + corner));
    }
    chart::LabelField field;
    field.frame = Rect(layout.plot.adjusted(u, u, -u, -u));
    field.gap = u;
    for (const QRectF& box : taken) {
        field.obstacles.push_back(Rect(box));
    }
    field.obstacles.push_back(Rect(QRectF(at - QPointF(off, off), at + QPointF(off, off))));
    const auto placed = chart::PlaceLabels({request}, field, [&](const std::string&) {
        return chart::TextSize{size.width(), size.height()};
    });
    if (placed.front().placed) {
        mark->box = Rect(placed.front().box);
        mark->leader = placed.front().leader;
    }
    return mark;
}

// Everything the zones' names keep clear of: the line labels, the overlays' labels and marked
// points, the protractor, the state point (its label comes after them) and the note.
std::vector<QRectF> TakenBeforeZones(const ChartLayout& layout, const ChartScene& scene,
                                     const std::vector<CurveLabel>& curves,
                                     const std::vector<PlacedText>& overlayLabels) {
    std::vector<QRectF> taken = BoxesOf(curves);
    for (const PlacedText& label : overlayLabels) {
        taken.push_back(label.box);
    }
    const std::vector<QRectF> dots = OverlayDots(layout, scene);
    taken.insert(taken.end(), dots.begin(), dots.end());
    const std::vector<QRectF> protractor = ProtractorAreaOf(layout, scene);
    taken.insert(taken.end(), protractor.begin(), protractor.end());
    if (const auto mark = PreferredStateMark(layout, scene)) {
        const double r = mark->radius + layout.unit;
        taken.emplace_back(mark->at - QPointF(r, r), mark->at + QPointF(r, r));
    }
    if (const auto [text, box] = NoteOf(layout, scene); !text.isEmpty()) {
        taken.push_back(box);
    }
    return taken;
}

bool HasZones(const ChartScene& scene) {
    return std::any_of(scene.overlays.begin(), scene.overlays.end(),
                       [](const Overlay* overlay) { return !overlay->zones.empty(); });
}

// Everything the state's label keeps clear of: all of that and the zones' names.
std::vector<QRectF> TakenBeforeState(const ChartLayout& layout, const ChartScene& scene) {
    const std::vector<CurveLabel> curves = CurveLabels(layout, scene);
    std::vector<QRectF> taken =
        TakenBeforeZones(layout, scene, curves, OverlayLabels(layout, scene, curves));
    if (HasZones(scene)) {
        for (const ZoneLabel& zone : PlaceZoneLabels(layout, scene, taken)) {
            taken.push_back(zone.label.box);
        }
    }
    return taken;
}

} // namespace

std::vector<CurveLabel> CurveLabels(const ChartLayout& layout, const ChartScene& scene) {
    return CurveLabels(layout, *scene.model, ProtractorAreaOf(layout, scene));
}

std::vector<PlacedText> ZoneLabels(const ChartLayout& layout, const ChartScene& scene) {
    std::vector<PlacedText> labels;
    if (!HasZones(scene)) {
        return labels;
    }
    const std::vector<CurveLabel> curves = CurveLabels(layout, scene);
    for (const ZoneLabel& zone : PlaceZoneLabels(
             layout, scene,
             TakenBeforeZones(layout, scene, curves, OverlayLabels(layout, scene, curves)))) {
        labels.push_back(zone.label);
    }
    return labels;
}

std::vector<PlacedText> ProtractorLabels(const ChartLayout& layout, const ChartScene& scene) {
    std::vector<PlacedText> labels;
    if (!scene.protractor) {
        return labels;
    }
    if (const auto shape = ShapeOf(MappingOf(layout, scene.model->range()), layout, *scene.model)) {
        for (const ProtractorShape::Tick& tick : shape->ticks) {
            labels.push_back(tick.label);
        }
        labels.insert(labels.end(), shape->caption.begin(), shape->caption.end());
    }
    return labels;
}

std::vector<PlacedText> OverlayLabels(const ChartLayout& layout, const ChartScene& scene,
                                      const std::vector<CurveLabel>& curveLabels) {
    const ChartMapping mapping = MappingOf(layout, scene.model->range());
    const double u = layout.unit;
    const double radius = kOverlayRadius * u;
    const QFontMetricsF metrics(layout.smallFont);
    std::vector<chart::LabelRequest> requests;
    const auto centreOf = [&](const QString& text, QPointF at, Qt::Alignment align) {
        return Point(TextBox(layout.smallFont, at, align, text).center());
    };
    // The points' names first (they name the states a reader looks up), then the paths'.
    for (const Overlay* overlay : scene.overlays) {
        for (const OverlayPoint& point : overlay->points) {
            if (point.label.empty()) {
                continue;
            }
            const QString text = qs(point.label);
            const QPointF at = Pixel(mapping, point.at);
            const QPointF above = at + QPointF(radius + 2 * u, -radius);
            const QPointF below = at + QPointF(radius + 2 * u, radius);
            const QPointF aboveLeft = at + QPointF(-radius - 2 * u, -radius);
            const QPointF belowLeft = at + QPointF(-radius - 2 * u, radius);
            chart::LabelRequest request;
            request.text = point.label;
            request.anchor = Point(at);
            const auto ab = centreOf(text, above, Qt::AlignLeft | Qt::AlignBottom);
            const auto be = centreOf(text, below, Qt::AlignLeft | Qt::AlignTop);
            request.at = point.labelBelow ? be : ab;
            request.others = {point.labelBelow ? ab : be,
                              centreOf(text, aboveLeft, Qt::AlignRight | Qt::AlignBottom),
                              centreOf(text, belowLeft, Qt::AlignRight | Qt::AlignTop)};
            requests.push_back(std::move(request));
        }
    }
    for (const Overlay* overlay : scene.overlays) {
        for (const OverlayPath& path : overlay->paths) {
            if (path.label.empty() || path.points.size() < 2) {
                continue;
            }
            const QPolygonF line = Mapped(mapping, path.points);
            const QPointF middle = (line[(line.size() - 1) / 2] + line[line.size() / 2]) / 2;
            chart::LabelRequest request;
            request.text = path.label;
            request.anchor = Point(middle);
            request.at = centreOf(qs(path.label), middle + QPointF(3 * u, -3 * u),
                                  Qt::AlignLeft | Qt::AlignBottom);
            request.others = {centreOf(qs(path.label), middle + QPointF(3 * u, 3 * u),
                                       Qt::AlignLeft | Qt::AlignTop),
                              centreOf(qs(path.label), middle + QPointF(-3 * u, -3 * u),
                                       Qt::AlignRight | Qt::AlignBottom)};
            // Along the path both ways from its middle: the later half first.
            request.line.push_back(Point(middle));
            for (qsizetype i = line.size() / 2; i < line.size(); ++i) {
                request.line.push_back(Point(line[i]));
            }
            requests.push_back(std::move(request));
        }
    }
    chart::LabelField field;
    field.frame = Rect(layout.plot.adjusted(u, u, -u, -u));
    field.gap = u;
    for (const QRectF& box : BoxesOf(curveLabels)) {
        field.obstacles.push_back(Rect(box));
    }
    for (const QRectF& box : OverlayDots(layout, scene)) {
        field.obstacles.push_back(Rect(box));
    }
    for (const QRectF& box : ProtractorAreaOf(layout, scene)) {
        field.obstacles.push_back(Rect(box));
    }
    for (const Overlay* overlay : scene.overlays) {
        if (const auto key = KeyBox(layout, *overlay)) {
            field.obstacles.push_back(Rect(*key));
        }
    }
    const auto placed = chart::PlaceLabels(requests, field, Measure(layout.smallFont));
    std::vector<PlacedText> labels;
    labels.reserve(placed.size());
    for (std::size_t i = 0; i < placed.size(); ++i) {
        labels.push_back({qs(requests[i].text), Rect(placed[i].box),
                          QPointF(requests[i].anchor.x, requests[i].anchor.y), placed[i].leader,
                          placed[i].placed});
    }
    return labels;
}

void PaintChartForeground(QPainter& painter, const ChartLayout& layout, const ChartScene& scene) {
    const Chart& model = *scene.model;
    const ChartMapping mapping = MappingOf(layout, model.range());
    const double u = layout.unit;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(layout.plot.adjusted(-u, -u, u, u));
    for (const Overlay* overlay : scene.overlays) {
        PaintClimateLayers(painter, layout, mapping, *overlay);
        PaintOverlay(painter, mapping, layout, *overlay);
    }
    const std::vector<CurveLabel> curves = CurveLabels(layout, scene);
    std::vector<PlacedText> overlayLabels;
    if (!scene.overlays.empty()) {
        // Each label in its overlay's colour, in the order OverlayLabels asks for them.
        std::vector<QColor> colours;
        for (const Overlay* overlay : scene.overlays) {
            for (const OverlayPoint& point : overlay->points) {
                if (!point.label.empty()) {
                    colours.push_back(QColor(overlay->red, overlay->green, overlay->blue));
                }
            }
        }
        for (const Overlay* overlay : scene.overlays) {
            for (const OverlayPath& path : overlay->paths) {
                if (!path.label.empty() && path.points.size() >= 2) {
                    colours.push_back(QColor(overlay->red, overlay->green, overlay->blue));
                }
            }
        }
        painter.setFont(layout.smallFont);
        overlayLabels = OverlayLabels(layout, scene, curves);
        for (std::size_t i = 0; i < overlayLabels.size(); ++i) {
            const PlacedText& label = overlayLabels[i];
            const QColor colour = colours[i].darker(140);
            if (label.leader) {
                painter.setPen(QPen(colour, 0.6 * u));
                painter.drawLine(label.anchor, BoxEdgeTowards(label.box, label.anchor));
            }
            painter.fillRect(label.box, QColor(255, 255, 255, 200));
            painter.setPen(colour);
            painter.drawText(label.box, Qt::AlignCenter, label.text);
        }
    }
    std::vector<QRectF> taken = TakenBeforeZones(layout, scene, curves, overlayLabels);
    if (HasZones(scene)) {
        const std::vector<ZoneLabel> zones = PlaceZoneLabels(layout, scene, taken);
        PaintZoneLabels(painter, layout, zones);
        for (const ZoneLabel& zone : zones) {
            taken.push_back(zone.label.box);
        }
    }
    if (const auto mark = StateMarkOf(layout, scene, taken)) {
        painter.setPen(QPen(Qt::black, 1.2 * u));
        painter.setBrush(QColor(225, 30, 30));
        painter.drawEllipse(mark->at, mark->radius, mark->radius);
        painter.setBrush(Qt::NoBrush);
        if (mark->leader) {
            painter.setPen(QPen(QColor(150, 20, 20), 0.8 * u));
            painter.drawLine(mark->at, BoxEdgeTowards(mark->box, mark->at));
        }
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
    if (const auto mark = StateMarkOf(layout, scene, TakenBeforeState(layout, scene))) {
        return mark->box;
    }
    return std::nullopt;
}

QRegion StateMarkRegion(const ChartLayout& layout, const ChartScene& scene) {
    QRegion region;
    if (const auto mark = StateMarkOf(layout, scene, TakenBeforeState(layout, scene))) {
        const double r = mark->radius;
        region += Widened(QRectF(mark->at - QPointF(r, r), mark->at + QPointF(r, r)), layout.unit);
        region += Widened(mark->box, layout.unit);
        if (mark->leader) {
            region += Widened(QRectF(mark->at, mark->box.center()).normalized(), layout.unit);
        }
    }
    if (const auto [text, box] = NoteOf(layout, scene); !text.isEmpty()) {
        region += Widened(box, layout.unit);
    }
    return region;
}

void PaintChart(QPainter& painter, const QRectF& target, const ChartScene& scene) {
    const ChartLayout layout = LayoutChart(target, scene.projection);
    painter.fillRect(target, Qt::white);
    PaintChartBackground(painter, layout, scene);
    PaintChartForeground(painter, layout, scene);
}

} // namespace hygrovane::views
