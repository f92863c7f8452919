#include "calculator/calculation_steps.h"

#include "calculator/checked_arithmetic.h"
#include "calculator/display_texts.h"
#include "engine/atmosphere.h"
#include "units/quantity.h"

namespace hygrovane::calculation {

namespace {

constexpr double kHighestTemperature = 373.15;
constexpr double kLowestPressure = 5000;
constexpr double kHighestPressure = 1000000;
constexpr double kLowestAltitude = -5000;
constexpr double kHighestAltitude = 11000;

} // namespace

void WriteAmbientRangeCaptions(FormAmbient& form) {
    const std::string temperatureUnit = form.Combo1.text();
    Show(form.Label5.caption, TemperatureLimitText(kLowestTemperature, temperatureUnit));
    Show(form.Label4.caption, TemperatureLimitText(kHighestTemperature, temperatureUnit));
    const std::string pressureUnit = form.Combo2.text();
    Show(form.Label7.caption, PressureText(kLowestPressure, pressureUnit));
    Show(form.Label6.caption, PressureText(kHighestPressure, pressureUnit));
    const std::string altitudeUnit = form.Combo10.text();
    Show(form.Label9.caption, AltitudeLimitText(kLowestAltitude, altitudeUnit));
    Show(form.Label8.caption, AltitudeLimitText(kHighestAltitude, altitudeUnit));
}

void WriteFixedCaptions(FormAmbient& form) {
    form.Label10.caption = "100";
    for (int n : {11, 13, 15, 21, 23, 25}) {
        form.Labels(n).caption = "0";
    }
    // It may still be yellow from a saturation pressure above the ambient pressure.
    form.Label20.background = colours::kMaximumPink;
}

bool ReadTemperature(FormAmbient& form) {
    const std::optional<double> value = InputCheck(form.Text1, form.Label5, form.Label4);
    if (!value) {
        form.Text1.background = colours::kErrorRed;
        MarkUnselectedHumidityBoxes(form);
        ErrorDisplay(form);
        return false;
    }
    form.Text1.background = colours::kPlatformWindow;
    if (auto kelvin = units::ToInternal(units::Quantity::Temperature, form.Combo1.text(), *value)) {
        form.state.T = Single(*kelvin);
    }
    form.Text10.fontSize = 9;
    return true;
}

bool ReadPressure(FormAmbient& form) {
    AmbientState& state = form.state;
    if (form.Option8.value) {
        form.Text10.background = colours::kDerivedCyan;
        const std::optional<double> value = InputCheck(form.Text2, form.Label7, form.Label6);
        if (!value) {
            form.Text2.background = colours::kErrorRed;
            form.Text10.text = "Error";
            MarkUnselectedHumidityBoxes(form);
            ErrorDisplay(form);
            return false;
        }
        form.Text2.background = colours::kPlatformWindow;
        if (auto factor = units::PressureFactor(form.Combo2.text())) {
            state.P = Finite(*value * *factor);
        }
        state.Z = engine::AltitudeFromPressure(state.P);
        if (kLowestAltitude <= state.Z && state.Z <= kHighestAltitude) {
            Show(form.Text10.text, AltitudeText(state.Z, form.Combo10.text()));
        } else {
            form.Text10.fontSize = 7;
            form.Text10.text = "Out of Range";
        }
    }
    if (form.Option9.value) {
        form.Text2.background = colours::kDerivedCyan;
        const std::optional<double> value = InputCheck(form.Text10, form.Label9, form.Label8);
        if (!value) {
            form.Text10.background = colours::kErrorRed;
            form.Text2.text = "Error";
            MarkUnselectedHumidityBoxes(form);
            ErrorDisplay(form);
            return false;
        }
        form.Text10.background = colours::kPlatformWindow;
        if (auto metres = units::ToInternal(units::Quantity::Length, form.Combo10.text(), *value)) {
            state.Z = Finite(*metres);
        }
        // The derived pressure is not compared with the pressure limits.
        state.P = engine::PressureFromAltitude(state.Z);
        Show(form.Text2.text, PressureText(state.P, form.Combo2.text()));
    }
    return true;
}

} // namespace hygrovane::calculation
