#include "calculator/calculation_steps.h"

#include "calculator/display_texts.h"
#include "engine/saturation.h"

namespace hygrovane::calculation {

std::optional<double> CheckHumidityInput(FormAmbient& form, int box, int minimumLabel,
                                         int maximumLabel) {
    for (const HumidityRow& row : kHumidityRows) {
        if (row.box != box) {
            form.Text(row.box).background = colours::kDerivedCyan;
        }
    }
    TextBox& input = form.Text(box);
    const std::optional<double> value =
        InputCheck(input, form.Labels(minimumLabel), form.Labels(maximumLabel));
    if (!value) {
        input.background = colours::kErrorRed;
        for (const HumidityRow& row : kHumidityRows) {
            if (row.box != box) {
                form.Text(row.box).text = "Error";
            }
        }
        ErrorDisplay(form);
        return std::nullopt;
    }
    input.background = colours::kPlatformWindow;
    return value;
}

void ShowDewPoint(FormAmbient& form, SatFormulation formulation, bool inclusive) {
    AmbientState& s = form.state;
    const double p_w = s.p_w;
    const double lowest = engine::SaturationPressure(kLowestTemperature, formulation);
    if (inclusive ? p_w >= lowest : p_w > lowest) {
        s.T_d = engine::SaturationTemperature(p_w, formulation);
        Show(form.Text5.text, DewPointText(s.T_d, form.Combo3.text()));
    } else {
        form.Text5.text = "< min";
    }
}

void ShowWetBulb(FormAmbient& form) {
    Show(form.Text6.text, TemperatureText(form.state.T_wb, form.Combo4.text()));
}

} // namespace hygrovane::calculation
