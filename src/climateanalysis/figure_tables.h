#pragma once

// The climate figures as one table model, built once for the command line's text and the Climate
// window: the zones over the filtered hours, the zones by month, the design conditions from the
// file's hours and those published in its header. Each cell keeps its unrounded value in the
// result's units; each row a key that names it whatever its wording ("union", "cooling 0.4 %"),
// the names the CSV and JSON write.

#include "climateanalysis/climate_result.h"
#include "tables/table.h"

namespace hygrovane::climateanalysis {

// The sections' keys.
inline constexpr const char* kZonesSection = "zones";
inline constexpr const char* kMonthsSection = "months";
inline constexpr const char* kDesignSection = "design from this file's hours";
inline constexpr const char* kPublishedSection = "design published in the header";

// The design rows' percentiles, in their keys ("cooling 0.4 %", "heating 99.6 %").
inline constexpr const char* kCoolingPercents[] = {"0.4 %", "1 %", "2 %"};
inline constexpr const char* kHeatingPercents[] = {"99.6 %", "99 %"};

// `symbols` chooses the symbols in the labels ("Too warm (above 24.5 °C)"): the report's for a
// window and a report, ASCII for the command line's text. The design sections are left out when
// the result has none.
tables::Table FigureTables(const ClimateResult& result,
                           tables::Symbols symbols = tables::Symbols::Report);

// The unit of the figures' temperatures, humidity ratios and enthalpies.
tables::Unit TemperatureUnitOf(Units units);
tables::Unit HumidityRatioUnitOf(Units units);
tables::Unit EnthalpyUnitOf(Units units);

// The row of a section by its key; null when there is none.
const tables::Row* FindRow(const tables::Section& section, std::string_view key);

} // namespace hygrovane::climateanalysis
