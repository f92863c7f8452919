#pragma once

// The processes' tables as one table model, in report style: a title block (pressure or altitude,
// formulation, unit system, date), the point schedule (DB, WB, RH, W, h, dew point, v, air flow)
// and the process schedule (entering and leaving points, air flow, total, sensible and latent
// loads, SHR, heater or coil, water, differences, apparatus dew point and bypass factor). The
// processes window shows it, and the CSV export writes it in full precision.

#include "fileio/file_io.h"
#include "processes/process_set.h"
#include "tables/table.h"

#include <string>

namespace hygrovane::processfile {

enum class ReportSystem { SI, IP };

struct ReportUnits {
    ReportSystem system = ReportSystem::SI; // °C, g/kg, kJ/kg, m³/kg, m³/h or °F, gr/lb, ...
    processes::LoadUnits loads;             // the set's heat and water units
};

// The sections' keys, and the main columns: those the processes window shows at its default size
// without scrolling (point, DB, WB, RH, W, h; number, process, flow, total, sensible, SHR). The
// rest are the reader's choice.
inline constexpr const char* kPointsSection = "points";
inline constexpr const char* kProcessesSection = "processes";
bool IsMainColumn(std::string_view sectionKey, std::string_view columnKey);

// `date` is written in the title block when not empty ("2026-12-07").
tables::Table ProcessTables(const processes::ProcessSet& set, const ReportUnits& units,
                            const std::string& date = {});

// Each point's air flow as a volume flow in the report's unit (m³/h or cfm): the dry-air flow of
// the process that makes it, else of the process it enters, at the point's own specific volume;
// NaN where no process gives one.
std::vector<double> PointAirFlows(const processes::ProcessSet& set, ReportSystem system);

// The tables as CSV (a "# key,value,unit" title block with today's date, units in a header row,
// full precision), written through QSaveFile.
Expected<Done, fileio::FileFailure> ExportProcessReportCsv(const processes::ProcessSet& set,
                                                           const ReportUnits& units,
                                                           const std::string& path);

} // namespace hygrovane::processfile
