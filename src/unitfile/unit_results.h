#pragma once

// The figures of units run through a weather file, as hygrovane-climate writes them beside the
// climate's: a text section, CSV rows of the climate's CSV (section,period,item,measure,value,
// unit), the JSON object of each unit, and the hourly CSV of every record. Qt-free: the caller
// writes the bytes all or nothing.

#include "airunit/unit_run.h"
#include "climate/weather_data.h"

#include <string>
#include <vector>

namespace hygrovane::unitfile {

// kWh, kW and kg, or kBtu, kBtu/h and lb, for the text and the CSV; JSON and the hourly file are
// always in the units their keys and headers name (kWh, kW, kg, degC, kg/kg).
enum class FigureSystem { SI, IP };

// One line describing the settings: "24 °C 50 %, supply 13 °C, dew point 2-11 °C, ...".
std::string DescribeUnit(const airunit::UnitSettings& settings);

// The object of one unit: {"settings", "year", "months", "peaks"}, numbers in their shortest
// exact form. `indent` starts every line after the first.
std::string UnitJson(const airunit::UnitRun& run, const std::string& indent);

// Each unit's year and months and peaks, then (for several) the years side by side with each
// one's difference to the first.
std::string UnitsText(const std::vector<airunit::UnitRun>& runs, FigureSystem system);

// The same as CSV rows without a header, section "unit N".
std::string UnitsCsvRows(const std::vector<airunit::UnitRun>& runs, FigureSystem system);

// One row a record (a row a record and unit, the unit first, for several), with a header naming
// each column and its unit. Off and missing records leave their figures empty.
std::string HourlyCsv(const climate::WeatherData& data, const std::vector<airunit::UnitRun>& runs);

} // namespace hygrovane::unitfile
