#include "chart/from_main_window.h"

#include "calculator/display_texts.h"
#include "hygrovane/config.h"

namespace hygrovane::chart {

namespace {

// Before the first calculation the window holds no pressure yet.
constexpr double kStandardPressure = 101325;

// A text in the window's unit, or in Pa and m when the unit is unknown.
std::string PressureWithUnit(double P, const std::string& unit) {
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

} // namespace

ChartUnits UnitsOf(const FormAmbient& form) {
    if (form.menu_metric.checked) {
        return MetricUnits();
    }
    if (form.menu_british.checked) {
        return BritishUnits();
    }
    return CustomizedUnits(form.Combo1.text(), form.Combo6.text(), form.Combo15.text(),
                           form.Combo16.text())
        .value_or(MetricUnits());
}

ChartSettings SettingsOf(const FormAmbient& form, const std::optional<ChartRange>& chosen) {
    ChartSettings settings;
    settings.pressure = form.state.P > 0 ? form.state.P : kStandardPressure;
    settings.formulation = form.Formulation();
    settings.units = UnitsOf(form);
    settings.range = chosen.value_or(settings.units.defaultRange);
    return settings;
}

bool ShowsError(const FormAmbient& form) {
    return form.Text12.text == "Error" || form.state.T <= 0;
}

std::optional<ChartPoint> StatePointOf(const FormAmbient& form) {
    if (ShowsError(form)) {
        return std::nullopt;
    }
    return ChartPoint{form.state.T, form.state.W};
}

ChartTitle TitleOf(const FormAmbient& form) {
    ChartTitle title;
    const double P = form.state.P > 0 ? form.state.P : kStandardPressure;
    const std::string pressure = PressureWithUnit(P, form.Combo2.text());
    title.air = form.Option9.value
                    ? "Altitude " + AltitudeWithUnit(form.state.Z, form.Combo10.text()) +
                          ", pressure " + pressure
                    : "Barometric pressure " + pressure;
    title.formulation = form.Formulation() == SatFormulation::IAPWS
                            ? "IAPWS saturation formulation"
                            : "Hyland-Wexler saturation formulation";
    title.program = "Hygrovane " + std::to_string(config::kVersionMajor) + "." +
                    std::to_string(config::kVersionMinor) + "." +
                    std::to_string(config::kVersionPatch);
    return title;
}

} // namespace hygrovane::chart
