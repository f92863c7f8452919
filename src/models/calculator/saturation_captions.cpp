#include "models/calculator/calculation_steps.h"

#include "display/display_texts.h"
#include "display/number_text.h"

namespace hygrovane::calculation {

void ShowSaturationPressure(AmbientForm& form, double p_ws) {
    const HumidityRow& row = RowOf(HumidityInput::PartialPressure);
    Show(form.Labels(row.maximumLabel).caption, PressureText(p_ws, form.Combo(row.combo).text()));
}

void ShowSaturation(AmbientForm& form, const Saturation& s) {
    for (const HumidityRow& row : kHumidityRows) {
        const LimitCaptions captions =
            HumidityLimitCaptions(row.input, form.Combo(row.combo).text(), form.state.T, s);
        Show(form.Labels(row.minimumLabel).caption, captions.minimum);
        Show(form.Labels(row.maximumLabel).caption, captions.maximum);
    }
}

} // namespace hygrovane::calculation
