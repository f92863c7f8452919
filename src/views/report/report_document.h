#pragma once

// The design report painted: its layout (report_layout.h) measured with the fonts of the page it
// goes to, then painted on a PDF or a printer. The chart page paints the scene as the chart
// window's PDF does.

#include "views/chart/chart_painter.h"
#include "views/report/report_layout.h"

#include <QByteArray>
#include <QImage>
#include <QPageSize>

#include <functional>
#include <optional>
#include <vector>

class QPagedPaintDevice;

namespace hygrovane::views::report {

// A figure painted by its window (a bar chart) into the rectangle of its page.
using FigurePainter = std::function<void(QPainter&, const QRectF&)>;

struct ReportContent {
    ReportTitle title;
    tables::Table table;
    std::optional<ChartScene> chart;      // none: no chart page
    std::vector<FigurePainter> figures{}; // each on a page of its own after the chart
};

// The report's layout on the device's pages (landscape, margins set), then painted. Returns the
// layout painted; none when the device could not be painted on.
std::optional<Layout> PaintReport(const ReportContent& content, QPagedPaintDevice& device);

// The report as a PDF on A4 or Letter, its fonts embedded; empty when Qt could not produce it.
// `painted` receives the layout when given.
QByteArray ReportPdf(const ReportContent& content, QPageSize::PageSizeId paper,
                     Layout* painted = nullptr);

// One page of the report as a picture at `dpi` (the margins white), for the documentation.
QImage ReportPageImage(const ReportContent& content, QPageSize::PageSizeId paper, int page,
                       int dpi);

// The program's name and version, as the title block writes it.
std::string ProgramVersion();

} // namespace hygrovane::views::report
