#include "calculator/calculation_steps.h"

#include "calculator/display_texts.h"
#include "calculator/number_text.h"

namespace hygrovane::calculation {

void ShowSaturationPressure(FormAmbient& form, double p_ws) {
    const HumidityRow& row = RowOf(HumidityInput::PartialPressure);
    Show(form.Labels(row.maximumLabel).caption, PressureText(p_ws, form.Combo(row.combo).text()));
}

void ShowSaturation(FormAmbient& form, const Saturation& s) {
    ShowSaturationPressure(form, s.pressure);
    const auto caption = [&form](HumidityInput input, bool maximum) -> std::string& {
        const HumidityRow& row = RowOf(input);
        return form.Labels(maximum ? row.maximumLabel : row.minimumLabel).caption;
    };
    const float T = form.state.T;
    Show(caption(HumidityInput::HumidityRatio, true),
         HumidityRatioText(s.humidityRatio, form.Combo6.text()));
    Show(caption(HumidityInput::AbsoluteHumidity, true),
         AbsoluteHumidityText(s.absoluteHumidity, form.Combo7.text()));
    Show(caption(HumidityInput::DewPoint, true), AmbientTemperatureText(T, form.Combo3.text()));
    Show(caption(HumidityInput::DewPoint, false),
         TemperatureText(kLowestDewPoint, form.Combo3.text()));
    Show(caption(HumidityInput::WetBulb, true), AmbientTemperatureText(T, form.Combo4.text()));
    Show(caption(HumidityInput::WetBulb, false),
         TemperatureText(s.dryAirWetBulb, form.Combo4.text()));
    caption(HumidityInput::MoleFraction, true) = RoundedText(s.moleFraction * 100, 4);
    caption(HumidityInput::MassFraction, true) = RoundedText(s.massFraction * 100, 4);
}

} // namespace hygrovane::calculation
