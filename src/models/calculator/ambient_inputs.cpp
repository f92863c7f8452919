#include "models/calculator/calculation_steps.h"

#include "display/display_texts.h"
#include "units/quantity.h"

namespace hygrovane::calculation {

namespace {

using units::Quantity;

// InputCheck of an ambient input box. On failure: the box red, the derived box (if any) "Error",
// the unselected humidity boxes "Error" and the error display; no value. On success the box gets
// the window colour.
std::optional<double> CheckAmbientInput(AmbientForm& form, TextBox& box, const Label& minimum,
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

void WriteAmbientRangeCaptions(AmbientForm& form) {
    const std::string temperatureUnit = form.Combo1.text();
    Show(form.Label5.caption, TemperatureLimitText(kLowestDryBulb, temperatureUnit));
    Show(form.Label4.caption, TemperatureLimitText(kHighestDryBulb, temperatureUnit));
    const std::string pressureUnit = form.Combo2.text();
    Show(form.Label7.caption, PressureText(kLowestPressure, pressureUnit));
    Show(form.Label6.caption, PressureText(kHighestPressure, pressureUnit));
    const std::string altitudeUnit = form.Combo10.text();
    Show(form.Label9.caption, AltitudeLimitText(kLowestAltitude, altitudeUnit));
    Show(form.Label8.caption, AltitudeLimitText(kHighestAltitude, altitudeUnit));
}

void WriteFixedCaptions(AmbientForm& form) {
    for (const HumidityRow& row : kHumidityRows) {
        // Dry air is the Minimum of every humidity quantity but the two temperatures.
        if (row.input != HumidityInput::DewPoint && row.input != HumidityInput::WetBulb) {
            form.Labels(row.minimumLabel).caption = "0";
        }
    }
    form.Labels(RowOf(HumidityInput::RelativeHumidity).maximumLabel).caption = "100";
    // It may still be yellow from a saturation pressure above the ambient pressure.
    form.Labels(RowOf(HumidityInput::PartialPressure).maximumLabel).background =
        colours::kMaximumPink;
}

Expected<Conditions, CalculateFailure> ReadAmbientInputs(AmbientForm& form) {
    AmbientState& state = form.state;
    const std::optional<double> typed =
        CheckAmbientInput(form, form.Text1, form.Label5, form.Label4, nullptr);
    if (!typed) {
        return Fail(CalculateFailure::DryBulbOutOfRange);
    }
    // Without a known unit the temperature keeps its value.
    if (auto kelvin = units::ToInternal(Quantity::Temperature, form.Combo1.text(), *typed)) {
        state.T = static_cast<float>(*kelvin);
    }
    form.Text10.fontSize = 9;

    Conditions conditions;
    conditions.dryBulb = state.T;
    conditions.formulation = form.Formulation();
    const PressureRow& row =
        RowOf(form.Option8.value ? PressureInput::Barometric : PressureInput::Altitude);
    const PressureRow& other =
        RowOf(row.input == PressureInput::Barometric ? PressureInput::Altitude
                                                     : PressureInput::Barometric);
    TextBox& derived = form.Text(other.box);
    derived.background = colours::kDerivedCyan;
    const std::optional<double> value =
        CheckAmbientInput(form, form.Text(row.box), form.Labels(row.minimumLabel),
                          form.Labels(row.maximumLabel), &derived);
    if (!value) {
        return Fail(CalculateFailure::PressureOutOfRange);
    }
    const std::string unit = form.Combo(row.combo).text();
    conditions.pressureInput = row.input;
    if (row.input == PressureInput::Barometric) {
        conditions.pressure = units::ToInternal(Quantity::Pressure, unit, *value).value_or(state.P);
    } else {
        conditions.altitude = units::ToInternal(Quantity::Length, unit, *value).value_or(state.Z);
    }
    return conditions;
}

void ShowAmbient(AmbientForm& form, const Ambient& ambient) {
    if (ambient.pressureInput == PressureInput::Barometric) {
        if (kLowestAltitude <= ambient.altitude && ambient.altitude <= kHighestAltitude) {
            Show(form.Text10.text, AltitudeText(ambient.altitude, form.Combo10.text()));
        } else {
            form.Text10.fontSize = 7;
            form.Text10.text = "Out of Range";
        }
    } else {
        // The derived pressure is not compared with the pressure limits.
        Show(form.Text2.text, PressureText(ambient.pressure, form.Combo2.text()));
    }
}

} // namespace hygrovane::calculation
