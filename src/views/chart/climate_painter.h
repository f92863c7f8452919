#pragma once

#include "chart/chart_mapping.h"
#include "chart/overlay.h"
#include "views/chart/chart_painter.h"

#include <QColor>
#include <QRectF>

#include <optional>

#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace hygrovane::views {

// An overlay's weather marks: frequency-bin cells, hour dots, zones' outlines, the colour legend
// and the key of marks in colours of their own, drawn before the overlay's paths and points (and
// so below the main window's state point). The zones' names are written later, with the other
// labels.
void PaintClimateLayers(QPainter& painter, const ChartLayout& layout,
                        const chart::ChartMapping& mapping, const chart::Overlay& overlay);

// Where an overlay's colour legend stands on the plot.
QRectF LegendBox(const ChartLayout& layout, const chart::OverlayScale& scale);
// Where an overlay's key of colours stands: below the legend's place, so that one window's
// legend and another's key stand one above the other; none without a key.
std::optional<QRectF> KeyBox(const ChartLayout& layout, const chart::Overlay& overlay);

// The overlays' zones' names (with their shares below), in their colours: each at the middle of
// its zone, else at the free place inside it nearest to that, else off it with a leader; clear
// of the boxes taken, of the legends, of each other and of the plot's edge. A zone wholly off
// the plot has no label.
struct ZoneLabel {
    PlacedText label;
    QColor colour;
};
std::vector<ZoneLabel> PlaceZoneLabels(const ChartLayout& layout, const ChartScene& scene,
                                       const std::vector<QRectF>& taken);
void PaintZoneLabels(QPainter& painter, const ChartLayout& layout,
                     const std::vector<ZoneLabel>& labels);

// The overlays' tables, each on pages of its own after the chart's page; the painter is active
// on the device. Nothing happens when no overlay has a table.
void PaintOverlayTables(QPainter& painter, QPagedPaintDevice& device, const ChartScene& scene);

} // namespace hygrovane::views
