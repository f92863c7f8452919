#include "calculator/calculation_steps.h"

#include "calculator/checked_arithmetic.h"
#include "calculator/display_texts.h"
#include "calculator/number_text.h"
#include "engine/saturation.h"
#include "engine/wet_bulb.h"
#include "units/quantity.h"

namespace hygrovane::calculation {

namespace {

using units::Quantity;

// A relative humidity derived from a partial pressure; the 32-bit p_w may exceed p_ws slightly.
double CappedRelativeHumidity(const AmbientState& s) {
    const double phi = Divide(s.p_w, s.p_ws);
    return phi > 1 ? 1 : phi;
}

bool HumidityRatioBranch(FormAmbient& form, SatFormulation formulation) {
    const std::optional<double> value = CheckHumidityInput(form, 3, 13, 12);
    if (!value) {
        return false;
    }
    AmbientState& s = form.state;
    if (auto W = units::ToInternal(Quantity::HumidityRatio, form.Combo6.text(), *value)) {
        s.W = *W;
    }
    s.p_w = Single(Divide(s.W * s.P, s.W + kMolecularWeightRatio));
    s.phi = CappedRelativeHumidity(s);
    form.Text4.text = RoundedText(s.phi * 100, 3);
    ShowDewPoint(form, formulation, true);
    s.T_wb = engine::WetBulbFromHumidityRatio(s.W, s.T, s.P, formulation);
    ShowWetBulb(form);
    return true;
}

bool RelativeHumidityBranch(FormAmbient& form, SatFormulation formulation) {
    const std::optional<double> value = CheckHumidityInput(form, 4, 11, 10);
    if (!value) {
        return false;
    }
    AmbientState& s = form.state;
    s.phi = *value * 0.01;
    s.p_w = Single(s.p_ws * s.phi);
    s.W = Divide(s.p_w * kMolecularWeightRatio, s.P - s.p_w);
    Show(form.Text3.text, HumidityRatioText(s.W, form.Combo6.text()));
    ShowDewPoint(form, formulation, true);
    s.T_wb = engine::WetBulbFromHumidityRatio(s.W, s.T, s.P, formulation);
    ShowWetBulb(form);
    return true;
}

bool DewPointBranch(FormAmbient& form, SatFormulation formulation) {
    // The Maximum caption is the ambient temperature: a dew point above it is rejected.
    const std::optional<double> value = CheckHumidityInput(form, 5, 17, 16);
    if (!value) {
        return false;
    }
    AmbientState& s = form.state;
    if (auto T_d = units::ToInternal(Quantity::Temperature, form.Combo3.text(), *value)) {
        s.T_d = *T_d;
    }
    s.p_w = Single(engine::SaturationPressure(s.T_d, formulation));
    s.phi = CappedRelativeHumidity(s);
    s.W = Divide(kMolecularWeightRatio, Divide(s.P, s.p_w) - 1);
    Show(form.Text3.text, HumidityRatioText(s.W, form.Combo6.text()));
    form.Text4.text = RoundedText(s.phi * 100, 3);
    s.T_wb = engine::WetBulbFromHumidityRatio(s.W, s.T, s.P, formulation);
    ShowWetBulb(form);
    return true;
}

bool WetBulbBranch(FormAmbient& form, SatFormulation formulation) {
    const std::optional<double> value = CheckHumidityInput(form, 6, 19, 18);
    if (!value) {
        return false;
    }
    AmbientState& s = form.state;
    // Without a known unit the wet bulb stays zero, which the engine rejects as a fault.
    s.T_wb = units::ToInternal(Quantity::Temperature, form.Combo4.text(), *value).value_or(0);
    s.W = Finite(engine::HumidityRatioFromWetBulb(s.T_wb, s.T, s.P, formulation));
    s.p_w = Single(Divide(s.W * s.P, kMolecularWeightRatio + s.W));
    s.phi = CappedRelativeHumidity(s);
    Show(form.Text3.text, HumidityRatioText(s.W, form.Combo6.text()));
    form.Text4.text = RoundedText(100 * s.phi, 3);
    ShowDewPoint(form, formulation, false);
    return true;
}

// Completes the state of the first group from p_w and writes the four remaining boxes.
void FirstGroupOutputs(FormAmbient& form) {
    AmbientState& s = form.state;
    const double T = s.T;
    s.x_w = Divide(s.p_w, s.P);
    s.M = s.x_w * kWaterMolecularWeight + (1 - s.x_w) * kDryAirMolecularWeight;
    s.w_w = Divide(kWaterMolecularWeight * s.x_w, s.M);
    s.rho_w = Single(Divide(s.x_w * s.P * kWaterMolecularWeight, T * kUniversalGasConstant));
    // "." whatever the locale: either box can become the input and is read back as typed.
    form.Text8.text = PictureText(s.x_w * 100, "#0.0000", ".");
    form.Text9.text = PictureText(s.w_w * 100, "#0.0000", ".");
    Show(form.Text7.text, AbsoluteHumidityOutputText(s.rho_w, form.Combo7.text()));
    Show(form.Text11.text, PartialPressureText(s.p_w, form.Combo11.text()));
}

} // namespace

bool HumidityFirstGroup(FormAmbient& form, SatFormulation formulation) {
    bool completed = true;
    if (form.Option1.value) {
        completed = HumidityRatioBranch(form, formulation);
    } else if (form.Option2.value) {
        completed = RelativeHumidityBranch(form, formulation);
    } else if (form.Option3.value) {
        completed = DewPointBranch(form, formulation);
    } else if (form.Option4.value) {
        completed = WetBulbBranch(form, formulation);
    } else {
        return true; // another group's input
    }
    if (completed) {
        FirstGroupOutputs(form);
    }
    return completed;
}

} // namespace hygrovane::calculation
