#pragma once

#include "models/year_model.h"
#include "views/year/year_bars.h"

#include <QByteArray>

namespace hygrovane::views {

// The year page as a PDF: each unit's settings, the units side by side, the selected unit's
// months and peaks, and its monthly bar charts. Empty when nothing could be drawn.
QByteArray YearPdf(const models::YearModel& model, const std::vector<MonthlySeries>& bars);

} // namespace hygrovane::views
