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

// InputCheck of an ambient input box. On failure: the box red, the derived box (if any) "Error",
// the unselected humidity boxes "Error" and the error display; no value. On success the box gets
// the window colour.
std::optional<double> CheckAmbientInput(FormAmbient& form, TextBox& box, const Label& minimum,
                                        const Label& maximum, TextBox* derived) {
    const std::optional<double> value = InputCheck(box, minimum, maximum);
    if (!value) {
        box.background = colours::kErrorRed;
        if (derived != nullptr) {
            derived->text = "Error";
        }
        MarkUnselectedHumidityBoxes(form);
        ErrorDisplay(form);
        return std::nullopt;
    }
    box.background = colours::kPlatformWindow;
    return value;
}

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
    const std::optional<double> value =
        CheckAmbientInput(form, form.Text1, form.Label5, form.Label4, nullptr);
    if (!value) {
        return false;
    }
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
        const std::optional<double> value =
            CheckAmbientInput(form, form.Text2, form.Label7, form.Label6, &form.Text10);
        if (!value) {
            return false;
        }
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
        const std::optional<double> value =
            CheckAmbientInput(form, form.Text10, form.Label9, form.Label8, &form.Text2);
        if (!value) {
            return false;
        }
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
