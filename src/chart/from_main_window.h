#pragma once

#include "calculator/form_ambient.h"
#include "chart/chart_model.h"

#include <optional>
#include <string>

namespace hygrovane::chart {

// The chart as the main window sets it: its pressure, formulation and unit system, and its
// state.

// Metric and British as their menu items say; Customized in the units of Combo1 (temperature),
// Combo6 (humidity ratio), Combo15 (specific volume) and Combo16 (enthalpy).
ChartUnits UnitsOf(const FormAmbient& form);

// The settings of the main window's chart: its last computed pressure, its formulation and
// units, and the range chosen on the chart (the units' default when none is).
ChartSettings SettingsOf(const FormAmbient& form, const std::optional<ChartRange>& chosen);

// True while the main window shows an error instead of a state (the same test as its report).
bool ShowsError(const FormAmbient& form);

// The main window's state as a point of the chart; none while it shows an error.
std::optional<ChartPoint> StatePointOf(const FormAmbient& form);

// The title block: the air's pressure (or altitude and the pressure it gives) in the main
// window's units, the formulation, and the program with its version.
struct ChartTitle {
    std::string heading = "Psychrometric chart";
    std::string air;
    std::string formulation;
    std::string program;
};
ChartTitle TitleOf(const FormAmbient& form);

} // namespace hygrovane::chart
