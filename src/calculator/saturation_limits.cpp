#include "calculator/calculation_steps.h"

#include "calculator/checked_arithmetic.h"
#include "calculator/display_texts.h"
#include "calculator/number_text.h"
#include "engine/saturation.h"
#include "engine/wet_bulb.h"

namespace hygrovane::calculation {

bool SaturationLimits(FormAmbient& form, SatFormulation formulation) {
    AmbientState& s = form.state;
    const double T = s.T;
    const double P = s.P;
    s.p_ws = engine::SaturationPressure(T, formulation);
    Show(form.Label20.caption, PressureText(s.p_ws, form.Combo11.text()));
    if (s.p_ws >= P) {
        ShowPressureTooLow(form);
        return false;
    }

    s.W_s = Divide(kMolecularWeightRatio * s.p_ws, P - s.p_ws);
    s.x_ws = Divide(s.p_ws, P);
    s.rho_ws = Divide(P * s.x_ws * kWaterMolecularWeight, T * kUniversalGasConstant);
    s.M_s = s.x_ws * kWaterMolecularWeight + (1 - s.x_ws) * kDryAirMolecularWeight;
    s.w_ws = Divide(kWaterMolecularWeight * s.x_ws, s.M_s);
    s.T_wb_min = engine::WetBulbFromHumidityRatio(0, T, P, formulation);

    Show(form.Label12.caption, HumidityRatioText(s.W_s, form.Combo6.text()));
    Show(form.Label14.caption, AbsoluteHumidityText(s.rho_ws, form.Combo7.text()));
    Show(form.Label16.caption, AmbientTemperatureText(s.T, form.Combo3.text()));
    Show(form.Label17.caption, TemperatureText(kLowestTemperature, form.Combo3.text()));
    Show(form.Label18.caption, AmbientTemperatureText(s.T, form.Combo4.text()));
    Show(form.Label19.caption, TemperatureText(s.T_wb_min, form.Combo4.text()));
    form.Label22.caption = RoundedText(s.x_ws * 100, 4);
    form.Label24.caption = RoundedText(s.w_ws * 100, 4);
    return true;
}

} // namespace hygrovane::calculation
