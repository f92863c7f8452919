#pragma once

#include "chart/chart.h"
#include "chart/chart_mapping.h"
#include "chart/overlay.h"
#include "models/main_window_chart.h"

#include <QFont>
#include <QRectF>
#include <QRegion>
#include <QString>

#include <optional>
#include <string>
#include <vector>

class QPainter;

namespace hygrovane::views {

// Where the parts of one picture of the chart go in a target rectangle, with fonts and line
// widths scaled to its size, so that a window, a PNG of any size, a PDF page and a printed page
// all look alike.
struct ChartLayout {
    QRectF target;
    QRectF title; // the title block with the legend
    QRectF plot;  // the area of the range
    QFont headingFont, textFont, smallFont;
    double unit = 1; // a thin line's width in pixels
    chart::Projection projection = chart::Projection::Psychrometric;
};
ChartLayout LayoutChart(const QRectF& target,
                        chart::Projection projection = chart::Projection::Psychrometric);

chart::ChartMapping MappingOf(const ChartLayout& layout, const chart::ChartRange& range);

// What one picture shows beyond the model's lines.
struct ChartScene {
    const chart::Chart* model = nullptr;
    chart::Projection projection = chart::Projection::Psychrometric;
    models::ChartTitle title;
    bool comfortZones = false;
    bool protractor = false;  // the sensible-heat-ratio protractor in the upper left corner
    bool fogIsotherms = true; // the h–x diagram's isotherms through the fog region
    std::optional<chart::ChartPoint> statePoint;
    std::string note; // written on the plot when there is no state point, and why
    std::vector<const chart::Overlay*> overlays;
};

// A line's label: its text, the point and alignment it is written at, and the box it takes.
struct CurveLabel {
    const chart::Curve* curve = nullptr;
    QString text;
    QPointF at;
    Qt::Alignment align;
    QRectF box;
    QPointF anchor;      // the end of the line it names
    bool leader = false; // stands off the line: a leader line runs to the anchor
};
// The labels of the model's lines, in drawing order, placed apart inside the plot (an enthalpy
// label may stand above it), clear of the legend and of the obstacles given.
std::vector<CurveLabel> CurveLabels(const ChartLayout& layout, const chart::Chart& model);
std::vector<CurveLabel> CurveLabels(const ChartLayout& layout, const chart::Chart& model,
                                    const std::vector<QRectF>& obstacles);
// The line labels of a scene: clear of its protractor too.
std::vector<CurveLabel> CurveLabels(const ChartLayout& layout, const ChartScene& scene);

// A text placed on the chart: its box, and the point it names (a leader line runs there when it
// stands off it).
struct PlacedText {
    QString text;
    QRectF box;
    QPointF anchor;
    bool leader = false;
    bool placed = true; // false: no free place was found
};
// The overlays' labels (process paths' and points' names), clear of the line labels, of every
// marked point, of the protractor and of each other, inside the plot.
std::vector<PlacedText> OverlayLabels(const ChartLayout& layout, const ChartScene& scene,
                                      const std::vector<CurveLabel>& curveLabels);
// The overlays' zones' names, placed after the overlays' labels, clear of them, of the state
// point and of the legends; the state's label keeps clear of them in turn.
std::vector<PlacedText> ZoneLabels(const ChartLayout& layout, const ChartScene& scene);
// The protractor's labels (the SHR inside the arc, Δh/ΔW outside) and its caption's lines;
// none when the scene shows no protractor.
std::vector<PlacedText> ProtractorLabels(const ChartLayout& layout, const ChartScene& scene);
// The box of the marked state's label, kept inside the plot and clear of every other label;
// none without a state in the range.
std::optional<QRectF> StateLabelBox(const ChartLayout& layout, const ChartScene& scene);

// The point where a line from a box's centre to a point leaves the box: a leader's end.
QPointF BoxEdgeTowards(const QRectF& box, QPointF to);

// The part that changes only with the settings: title block, legend, grids, lines, labels, axes
// and the comfort zones.
void PaintChartBackground(QPainter& painter, const ChartLayout& layout, const ChartScene& scene);
// The part that follows the main window and other windows: overlays, the state point with its
// label, the note.
void PaintChartForeground(QPainter& painter, const ChartLayout& layout, const ChartScene& scene);
// Where the state point with its label and the note are painted.
QRegion StateMarkRegion(const ChartLayout& layout, const ChartScene& scene);
// Both, on a white ground.
void PaintChart(QPainter& painter, const QRectF& target, const ChartScene& scene);

} // namespace hygrovane::views
