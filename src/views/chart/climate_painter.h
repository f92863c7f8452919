#pragma once

#include "chart/chart_mapping.h"
#include "chart/overlay.h"
#include "views/chart/chart_painter.h"

class QPagedPaintDevice;
class QPainter;

namespace hygrovane::views {

// An overlay's weather marks: frequency-bin cells, hour dots, zones with their names and shares,
// the colour legend and the key of marks in colours of their own, drawn before the overlay's paths
// and points (and so below the main window's state point).
void PaintClimateLayers(QPainter& painter, const ChartLayout& layout,
                        const chart::ChartMapping& mapping, const chart::Overlay& overlay);

// The overlays' tables, each on pages of its own after the chart's page; the painter is active
// on the device. Nothing happens when no overlay has a table.
void PaintOverlayTables(QPainter& painter, QPagedPaintDevice& device, const ChartScene& scene);

} // namespace hygrovane::views
