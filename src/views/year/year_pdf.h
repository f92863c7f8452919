#pragma once

#include "models/year_model.h"
#include "views/chart/chart_painter.h"
#include "views/year/year_bars.h"

#include <QByteArray>

namespace hygrovane::views {

// The year page as a PDF: each unit's settings, the units side by side, the selected unit's
// months and peaks, its monthly bar charts, and the chart with the clouds of the chosen hours
// on a page of its own when a chart is given. Empty when nothing could be drawn.
QByteArray YearPdf(const models::YearModel& model, const std::vector<MonthlySeries>& bars,
                   const ChartScene* chart = nullptr);

} // namespace hygrovane::views
