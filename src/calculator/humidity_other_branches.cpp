#include "calculator/calculation_steps.h"

#include "calculator/checked_arithmetic.h"
#include "calculator/display_texts.h"
#include "calculator/number_text.h"
#include "engine/wet_bulb.h"
#include "units/quantity.h"

namespace hygrovane::calculation {

namespace {

using units::Quantity;

// The relations shared by the branches that start from p_w (relative humidity not capped).
void HumidityFromPartialPressure(AmbientState& s, SatFormulation formulation) {
    s.phi = Divide(s.p_w, s.p_ws);
    s.W = Divide(kMolecularWeightRatio * s.p_w, s.P - s.p_w);
    s.T_wb = engine::WetBulbFromHumidityRatio(s.W, s.T, s.P, formulation);
}

double MolecularWeight(double x_w) {
    return x_w * kWaterMolecularWeight + (1 - x_w) * kDryAirMolecularWeight;
}

float AbsoluteHumidity(const AmbientState& s) {
    const double T = s.T;
    return Single(Divide(s.P * s.x_w * kWaterMolecularWeight, T * kUniversalGasConstant));
}

// The writers of the output boxes, called in the order each branch gives.
void ShowHumidityRatio(FormAmbient& form) {
    Show(form.Text3.text, HumidityRatioText(form.state.W, form.Combo6.text()));
}
void ShowRelativeHumidity(FormAmbient& form) {
    form.Text4.text = RoundedText(100 * form.state.phi, 3);
}
void ShowAbsoluteHumidity(FormAmbient& form) {
    Show(form.Text7.text, AbsoluteHumidityOutputText(form.state.rho_w, form.Combo7.text()));
}
// The fractions with "." whatever the locale: either box can become the input and is read back.
void ShowMoleFraction(FormAmbient& form) {
    form.Text8.text = PictureText(100 * form.state.x_w, "#0.0000", ".");
}
void ShowMassFraction(FormAmbient& form) {
    form.Text9.text = PictureText(100 * form.state.w_w, "#0.0000", ".");
}
void ShowPartialPressure(FormAmbient& form) {
    Show(form.Text11.text, PartialPressureText(form.state.p_w, form.Combo11.text()));
}

bool AbsoluteHumidityBranch(FormAmbient& form, SatFormulation formulation) {
    const std::optional<double> value = CheckHumidityInput(form, 7, 15, 14);
    if (!value) {
        return false;
    }
    AmbientState& s = form.state;
    if (auto rho = units::ToInternal(Quantity::AbsoluteHumidity, form.Combo7.text(), *value)) {
        s.rho_w = Single(*rho);
    }
    const double T = s.T;
    s.x_w = Divide(T * kUniversalGasConstant * s.rho_w, s.P * kWaterMolecularWeight);
    s.p_w = Single(s.x_w * s.P);
    s.M = MolecularWeight(s.x_w);
    s.w_w = Divide(s.x_w * kWaterMolecularWeight, s.M);
    HumidityFromPartialPressure(s, formulation);
    ShowRelativeHumidity(form);
    ShowMoleFraction(form);
    ShowMassFraction(form);
    ShowHumidityRatio(form);
    ShowDewPoint(form, formulation, false);
    ShowWetBulb(form);
    ShowPartialPressure(form);
    return true;
}

bool PartialPressureBranch(FormAmbient& form, SatFormulation formulation) {
    const std::optional<double> value = CheckHumidityInput(form, 11, 21, 20);
    if (!value) {
        return false;
    }
    AmbientState& s = form.state;
    if (auto factor = units::PressureFactor(form.Combo11.text())) {
        s.p_w = Single(*value * *factor);
    }
    HumidityFromPartialPressure(s, formulation);
    s.x_w = Divide(s.p_w, s.P);
    s.M = MolecularWeight(s.x_w);
    s.w_w = Divide(s.x_w * kWaterMolecularWeight, s.M);
    s.rho_w = AbsoluteHumidity(s);
    ShowDewPoint(form, formulation, false);
    ShowRelativeHumidity(form);
    ShowMoleFraction(form);
    ShowMassFraction(form);
    ShowHumidityRatio(form);
    ShowWetBulb(form);
    ShowAbsoluteHumidity(form);
    return true;
}

bool MoleFractionBranch(FormAmbient& form, SatFormulation formulation) {
    const std::optional<double> value = CheckHumidityInput(form, 8, 23, 22);
    if (!value) {
        return false;
    }
    AmbientState& s = form.state;
    s.x_w = *value / 100;
    s.p_w = Single(s.x_w * s.P);
    HumidityFromPartialPressure(s, formulation);
    s.M = MolecularWeight(s.x_w);
    s.w_w = Divide(s.x_w * kWaterMolecularWeight, s.M);
    s.rho_w = AbsoluteHumidity(s);
    ShowDewPoint(form, formulation, false);
    ShowRelativeHumidity(form);
    ShowMassFraction(form);
    ShowHumidityRatio(form);
    ShowWetBulb(form);
    ShowAbsoluteHumidity(form);
    ShowPartialPressure(form);
    return true;
}

bool MassFractionBranch(FormAmbient& form, SatFormulation formulation) {
    const std::optional<double> value = CheckHumidityInput(form, 9, 25, 24);
    if (!value) {
        return false;
    }
    AmbientState& s = form.state;
    s.w_w = *value / 100;
    s.x_w = Divide(kDryAirMolecularWeight * s.w_w,
                   kWaterMolecularWeight + kMolecularWeightDifference * s.w_w);
    s.p_w = Single(s.x_w * s.P);
    HumidityFromPartialPressure(s, formulation);
    s.M = MolecularWeight(s.x_w); // w_w keeps the entered value
    s.rho_w = AbsoluteHumidity(s);
    ShowDewPoint(form, formulation, false);
    ShowRelativeHumidity(form);
    ShowMoleFraction(form);
    ShowHumidityRatio(form);
    ShowWetBulb(form);
    ShowAbsoluteHumidity(form);
    ShowPartialPressure(form);
    return true;
}

} // namespace

bool HumidityOtherBranches(FormAmbient& form, SatFormulation formulation) {
    if (form.Option5.value && !AbsoluteHumidityBranch(form, formulation)) {
        return false;
    }
    if (form.Option10.value && !PartialPressureBranch(form, formulation)) {
        return false;
    }
    if (form.Option6.value && !MoleFractionBranch(form, formulation)) {
        return false;
    }
    if (form.Option7.value && !MassFractionBranch(form, formulation)) {
        return false;
    }
    return true;
}

} // namespace hygrovane::calculation
