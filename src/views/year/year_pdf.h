#pragma once

#include "models/year_model.h"
#include "views/report/report_dialog.h"
#include "views/report/report_document.h"
#include "views/year/year_bars.h"

namespace hygrovane::views {

// The year page as a design report: a title block (the weather, each unit's settings), the units
// side by side and each unit's months and peaks as the window's tables show them, then a page of
// the selected unit's monthly bars and one of the units' monthly totals of the chosen quantity.
report::ReportContent YearReport(const models::YearModel& model,
                                 const report::ReportOptions& options,
                                 const std::vector<MonthlySeries>& bars,
                                 const models::OptionBars& compared);

} // namespace hygrovane::views
