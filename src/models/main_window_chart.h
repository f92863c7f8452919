#pragma once

#include "chart/chart.h"
#include "models/calculator/ambient_form.h"
#include "models/calculator/main_window_view.h"

#include <optional>
#include <string>

namespace hygrovane::models {

// The chart as the main window sets it: its pressure, formulation and unit system, and its
// state, read from the window's view of itself.

// Metric and British as the window's unit system says; Customized in the window's units of the
// dry bulb, humidity ratio, specific volume and enthalpy (Metric when one has no chart unit).
chart::ChartUnits UnitsOf(const MainWindowView& view);

// The settings of the main window's chart: its last computed pressure, its formulation and
// units, and the range chosen on the chart (the units' default when none is).
chart::ChartSettings SettingsOf(const MainWindowView& view,
                                const std::optional<chart::ChartRange>& chosen);

// The main window's state as a point of the chart; none while it shows an error.
std::optional<chart::ChartPoint> StatePointOf(const MainWindowView& view);

// The title block: the air's pressure (or altitude and the pressure it gives) in the main
// window's units, the formulation, and the program with its version.
struct ChartTitle {
    std::string heading = "Psychrometric chart";
    std::string air;
    std::string formulation;
    std::string program;
};
ChartTitle TitleOf(const MainWindowView& view);

// The same from the window's form, for code that holds the form itself (the tests).
inline chart::ChartUnits UnitsOf(const AmbientForm& form) {
    return UnitsOf(ViewOf(form));
}
inline chart::ChartSettings SettingsOf(const AmbientForm& form,
                                       const std::optional<chart::ChartRange>& chosen) {
    return SettingsOf(ViewOf(form), chosen);
}
inline std::optional<chart::ChartPoint> StatePointOf(const AmbientForm& form) {
    return StatePointOf(ViewOf(form));
}
inline ChartTitle TitleOf(const AmbientForm& form) {
    return TitleOf(ViewOf(form));
}

} // namespace hygrovane::models
