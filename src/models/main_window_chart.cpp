#include "models/main_window_chart.h"

#include "display/display_texts.h"
#include "hygrovane/config.h"
#include "text/number_text.h"

namespace hygrovane::models {

namespace {

// Before the first calculation the window holds no pressure yet.
constexpr double kStandardPressure = 101325;

// A text in the window's unit, or in Pa and m when the unit is unknown. Pounds per square inch
// are written as an engineer's heading does: absolute, to a thousandth (14.696 psia).
std::string PressureWithUnit(double P, const std::string& unit) {
    if (unit == "PSI") {
        constexpr double kPascalsPerPsi = 6894.757293168361;
        return text::FixedText(P / kPascalsPerPsi, 3) + " psia";
    }
    if (const auto text = calculation::PressureText(P, unit)) {
        return *text + " " + unit;
    }
    return calculation::PressureText(P, "Pa").value_or("") + " Pa";
}

std::string AltitudeWithUnit(double z, const std::string& unit) {
    if (const auto text = calculation::AltitudeText(z, unit)) {
        return *text + " " + unit;
    }
    return calculation::AltitudeText(z, "m").value_or("") + " m";
}

double PressureOf(const MainWindowView& view) {
    return view.pressure > 0 ? view.pressure : kStandardPressure;
}

} // namespace

chart::ChartUnits UnitsOf(const MainWindowView& view) {
    switch (view.unitSystem) {
    case UnitSystem::Metric:
        return chart::MetricUnits();
    case UnitSystem::British:
        return chart::BritishUnits();
    case UnitSystem::Customized:
        break;
    }
    const ShownUnits& u = view.units;
    return chart::CustomizedUnits(u.dryBulb, u.humidityRatio, u.specificVolume, u.enthalpy)
        .value_or(chart::MetricUnits());
}

chart::ChartSettings SettingsOf(const MainWindowView& view,
                                const std::optional<chart::ChartRange>& chosen) {
    chart::ChartSettings settings;
    settings.pressure = PressureOf(view);
    settings.formulation = view.formulation;
    settings.units = UnitsOf(view);
    settings.range = chosen.value_or(settings.units.defaultRange);
    return settings;
}

std::optional<chart::ChartPoint> StatePointOf(const MainWindowView& view) {
    if (!view.computed) {
        return std::nullopt;
    }
    return chart::ChartPoint{view.computed->dryBulb, view.computed->humidityRatio};
}

ChartTitle TitleOf(const MainWindowView& view) {
    ChartTitle title;
    const std::string pressure = PressureWithUnit(PressureOf(view), view.units.pressure);
    title.air = view.pressureInput == PressureInput::Altitude
                    ? "Altitude " + AltitudeWithUnit(view.altitude, view.units.altitude) +
                          ", pressure " + pressure
                    : "Barometric pressure " + pressure;
    title.formulation = view.formulation == SatFormulation::IAPWS
                            ? "IAPWS saturation formulation"
                            : "Hyland-Wexler saturation formulation";
    title.program = "Hygrovane " + std::to_string(config::kVersionMajor) + "." +
                    std::to_string(config::kVersionMinor) + "." +
                    std::to_string(config::kVersionPatch);
    return title;
}

} // namespace hygrovane::models
