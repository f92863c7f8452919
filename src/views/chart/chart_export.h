#pragma once

#include "views/chart/chart_painter.h"

#include <QByteArray>
#include <QSize>

class QPagedPaintDevice;

namespace hygrovane::views {

// The chart as the bytes of a file: a PNG of the given pixel size; an SVG and a PDF (an A4
// landscape page) with vector lines and text. Empty when Qt could not produce them.
QByteArray ChartPng(const ChartScene& scene, QSize size);
QByteArray ChartSvg(const ChartScene& scene, QSize size);
QByteArray ChartPdf(const ChartScene& scene);

// Paints the chart on the first page of a printer (or another paged device).
void PrintChart(const ChartScene& scene, QPagedPaintDevice& device);

} // namespace hygrovane::views
