#include "models/calculator/calculate.h"

#include "models/calculator/calculation_steps.h"

namespace hygrovane {

namespace {

using namespace calculation;

// The window's record of the last state, field by field as each step gets there.
void Record(AmbientState& s, const Ambient& ambient) {
    s.P = ambient.pressure;
    s.Z = ambient.altitude;
}

void Record(AmbientState& s, const Saturation& saturation) {
    s.p_ws = saturation.pressure;
    s.W_s = saturation.humidityRatio;
    s.x_ws = saturation.moleFraction;
    s.rho_ws = saturation.absoluteHumidity;
    s.M_s = saturation.molecularWeight;
    s.w_ws = saturation.massFraction;
    s.T_wb_min = saturation.dryAirWetBulb;
}

void Record(AmbientState& s, const MoistAirState& state) {
    s.W = state.humidityRatio;
    s.phi = state.relativeHumidity;
    // A dew point below the reportable range leaves the last one.
    s.T_d = state.dewPoint.value_or(s.T_d);
    s.T_wb = state.wetBulb;
    s.p_w = state.partialPressure;
    s.x_w = state.moleFraction;
    s.w_w = state.massFraction;
    s.rho_w = state.absoluteHumidity;
    s.M = state.molecularWeight;
    s.R = state.gasConstant;
    s.rho = state.density;
    s.x_N2 = state.byVolume.N2;
    s.x_O2 = state.byVolume.O2;
    s.x_Ar = state.byVolume.Ar;
    s.x_CO2 = state.byVolume.CO2;
    s.w_N2 = state.byMass.N2;
    s.w_O2 = state.byMass.O2;
    s.w_Ar = state.byMass.Ar;
    s.w_CO2 = state.byMass.CO2;
}

// The humidity row whose option is selected; none only in a window that lost its selection.
const HumidityRow* SelectedHumidityRow(const AmbientForm& form) {
    for (const HumidityRow& row : kHumidityRows) {
        if (form.Option(row.option).value) {
            return &row;
        }
    }
    return nullptr;
}

} // namespace

CalculateOutcome Calculate(AmbientForm& form) {
    form.CaseModified = true;
    WriteAmbientRangeCaptions(form);
    WriteFixedCaptions(form);
    // Each failure below but the missing selection shows the error display.
    const auto failed = [&form](CalculateFailure failure) -> CalculateOutcome {
        if (failure != CalculateFailure::NoHumidityInput) {
            form.computed.reset();
        }
        return Fail(failure);
    };

    // The window judges the typed texts against its captions; the core computes without
    // judging again, so that a value at a rounded caption is still computed.
    const Expected<Conditions, CalculateFailure> conditions = ReadAmbientInputs(form);
    if (!conditions) {
        return failed(conditions.error());
    }
    const Result<Ambient> ambient = AmbientOf(*conditions);
    if (!ambient) {
        ErrorDisplay(form);
        return failed(CalculateFailure::AmbientAir);
    }
    Record(form.state, *ambient);
    ShowAmbient(form, *ambient);

    const Result<Saturation> saturation = SaturationOf(*ambient, conditions->formulation);
    if (!saturation) {
        if (saturation.error().kind == FailureKind::PressureTooLow) {
            form.state.p_ws = saturation.error().value;
            ShowSaturationPressure(form, form.state.p_ws);
            ShowPressureTooLow(form);
            return failed(CalculateFailure::SaturationPressureTooHigh);
        }
        ErrorDisplay(form);
        return failed(CalculateFailure::Saturation);
    }
    Record(form.state, *saturation);
    ShowSaturation(form, *saturation);

    const HumidityRow* input = SelectedHumidityRow(form);
    if (input == nullptr) {
        return failed(CalculateFailure::NoHumidityInput);
    }
    const std::optional<double> value = ReadHumidityInput(form, *input);
    if (!value) {
        return failed(CalculateFailure::HumidityInputOutOfRange);
    }
    const Result<MoistAirState> state = StateOf(*ambient, *saturation, input->input, *value);
    if (!state) {
        ErrorDisplay(form);
        return failed(CalculateFailure::MoistAirState);
    }
    Record(form.state, *state);
    ShowHumidityOutputs(form, *input, *state);
    ShowProperties(form, *state);
    form.computed =
        ComputedState{form.state.T, form.state.W, input->input, ValueOf(form.state, input->input)};
    return *form.computed;
}

} // namespace hygrovane
