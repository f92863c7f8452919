#include "models/calculator/calculation_steps.h"

#include "display/display_texts.h"
#include "display/number_text.h"
#include "models/calculator/unit_presets.h"
#include "units/quantity.h"

namespace hygrovane::calculation {

namespace {

// A typed value whose unit text names no unit keeps the value of the last calculation; a wet
// bulb has none and stays 0, which the calculation then rejects as a fault.
double PreviousValue(const AmbientState& s, HumidityInput input) {
    return input == HumidityInput::WetBulb ? 0 : ValueOf(s, input);
}

// The text a humidity box shows for the state; none when its unit text names no unit.
std::optional<std::string> OutputText(const AmbientForm& form, const HumidityRow& row,
                                      const MoistAirState& s) {
    const std::string unit = form.Combo(row.combo).text();
    switch (row.input) {
    case HumidityInput::HumidityRatio:
        return HumidityRatioText(s.humidityRatio, unit);
    case HumidityInput::RelativeHumidity:
        return RoundedText(s.relativeHumidity * 100, 3);
    case HumidityInput::DewPoint:
        return s.dewPoint ? DewPointText(*s.dewPoint, unit) : "< min";
    case HumidityInput::WetBulb:
        return TemperatureText(s.wetBulb, unit);
    case HumidityInput::AbsoluteHumidity:
        return AbsoluteHumidityOutputText(s.absoluteHumidity, unit);
    case HumidityInput::PartialPressure:
        return PartialPressureText(s.partialPressure, unit);
    // The fractions with "." whatever the locale: either box can become the input and is read
    // back as typed.
    case HumidityInput::MoleFraction:
        return PictureText(s.moleFraction * 100, "#0.0000", ".");
    case HumidityInput::MassFraction:
        return PictureText(s.massFraction * 100, "#0.0000", ".");
    }
    return std::nullopt;
}

} // namespace

std::optional<double> ReadHumidityInput(AmbientForm& form, const HumidityRow& input) {
    for (const HumidityRow& row : kHumidityRows) {
        if (row.box != input.box) {
            form.Text(row.box).background = colours::kDerivedCyan;
        }
    }
    TextBox& box = form.Text(input.box);
    const std::optional<double> value =
        InputCheck(box, form.Labels(input.minimumLabel), form.Labels(input.maximumLabel));
    if (!value) {
        box.background = colours::kErrorRed;
        for (const HumidityRow& row : kHumidityRows) {
            if (row.box != input.box) {
                form.Text(row.box).text = "Error";
            }
        }
        ErrorDisplay(form);
        return std::nullopt;
    }
    box.background = colours::kPlatformWindow;
    // The percentages read "%" whatever their one-item lists say.
    const std::string unit = input.percent ? "%" : form.Combo(input.combo).text();
    return units::ToInternal(UnitQuantity(input.shown), unit, *value)
        .value_or(PreviousValue(form.state, input.input));
}

void ShowHumidityOutputs(AmbientForm& form, const HumidityRow& input, const MoistAirState& s) {
    for (const HumidityRow& row : kHumidityRows) {
        if (row.box != input.box) {
            Show(form.Text(row.box).text, OutputText(form, row, s));
        }
    }
}

} // namespace hygrovane::calculation
