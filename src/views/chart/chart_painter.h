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
    bool protractor = false; // the sensible-heat-ratio protractor in the upper left corner
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
};
// The labels of the model's lines, in drawing order.
std::vector<CurveLabel> CurveLabels(const ChartLayout& layout, const chart::Chart& model);
// The box of the marked state's label, kept inside the plot; none without a state in the range.
std::optional<QRectF> StateLabelBox(const ChartLayout& layout, const ChartScene& scene);

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
