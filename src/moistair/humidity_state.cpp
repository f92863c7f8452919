#include "engine/checked_math.h"
#include "engine/constants.h"
#include "engine/moist_air_relations.h"
#include "engine/saturation.h"
#include "engine/wet_bulb.h"
#include "hygrovane/moist_air.h"
#include "moistair/guarded.h"

namespace hygrovane {

namespace {

using namespace engine;

// The inputs known in the calculation of one state.
struct Known {
    double T; // the 32-bit dry bulb, widened
    double P; // Pa
    double p_ws;
    SatFormulation formulation;
};

// A relative humidity derived from a humidity ratio, a dew point or a wet bulb: the 32-bit p_w
// may lie slightly above p_ws, and is shown as saturated.
double CappedRelativeHumidity(float p_w, const Known& k) {
    const double phi = checkedDivide(p_w, k.p_ws);
    return phi > 1 ? 1 : phi;
}

// The saturation pressure at the lowest reportable dew point, computed once per formulation.
double LowestDewPointPressure(SatFormulation formulation) {
    static const double iapws = SaturationPressure(kLowestDewPoint, SatFormulation::IAPWS);
    static const double hylandWexler =
        SaturationPressure(kLowestDewPoint, SatFormulation::HylandWexler);
    switch (formulation) {
    case SatFormulation::IAPWS:
        return iapws;
    case SatFormulation::HylandWexler:
        return hylandWexler;
    }
    return SaturationPressure(kLowestDewPoint, formulation);
}

// The dew point of p_w; none below the lowest reportable one. The inputs of the first group
// (humidity ratio, relative humidity) count the lowest one itself as reportable, the others not.
std::optional<double> DewPoint(float p_w, const Known& k, bool lowestIncluded) {
    const double p = p_w;
    const double lowest = LowestDewPointPressure(k.formulation);
    if (lowestIncluded ? p >= lowest : p > lowest) {
        return SaturationTemperature(p, k.formulation);
    }
    return std::nullopt;
}

double WetBulb(double W, const Known& k) {
    return WetBulbFromHumidityRatio(W, k.T, k.P, k.formulation);
}

// Mole fraction, molecular weight, mass fraction and absolute humidity from p_w.
void CompleteFromPartialPressure(MoistAirState& s, const Known& k) {
    s.moleFraction = MoleFractionFromPartialPressure(s.partialPressure, k.P);
    s.molecularWeight = MolecularWeight(s.moleFraction);
    s.massFraction = MassFractionFromMoleFraction(s.moleFraction, s.molecularWeight);
    s.absoluteHumidity = checkedSingle(AbsoluteHumidity(s.moleFraction, k.P, k.T));
}

// Relative humidity (not capped), humidity ratio and wet bulb from p_w.
void HumidityFromPartialPressure(MoistAirState& s, const Known& k) {
    s.relativeHumidity = checkedDivide(s.partialPressure, k.p_ws);
    s.humidityRatio = HumidityRatioFromPartialPressure(s.partialPressure, k.P);
    s.wetBulb = WetBulb(s.humidityRatio, k);
}

void FromHumidityRatio(MoistAirState& s, const Known& k, double W) {
    s.humidityRatio = W;
    s.partialPressure = checkedSingle(PartialPressureFromHumidityRatio(W, k.P));
    s.relativeHumidity = CappedRelativeHumidity(s.partialPressure, k);
    s.dewPoint = DewPoint(s.partialPressure, k, true);
    s.wetBulb = WetBulb(W, k);
    CompleteFromPartialPressure(s, k);
}

void FromRelativeHumidity(MoistAirState& s, const Known& k, double phi) {
    s.relativeHumidity = phi;
    s.partialPressure = checkedSingle(k.p_ws * phi);
    s.humidityRatio = HumidityRatioFromPartialPressure(s.partialPressure, k.P);
    s.dewPoint = DewPoint(s.partialPressure, k, true);
    s.wetBulb = WetBulb(s.humidityRatio, k);
    CompleteFromPartialPressure(s, k);
}

void FromDewPoint(MoistAirState& s, const Known& k, double T_d) {
    s.dewPoint = T_d;
    s.partialPressure = checkedSingle(SaturationPressure(T_d, k.formulation));
    s.relativeHumidity = CappedRelativeHumidity(s.partialPressure, k);
    s.humidityRatio = HumidityRatioFromPressureRatio(s.partialPressure, k.P);
    s.wetBulb = WetBulb(s.humidityRatio, k);
    CompleteFromPartialPressure(s, k);
}

void FromWetBulb(MoistAirState& s, const Known& k, double T_wb) {
    s.wetBulb = T_wb;
    s.humidityRatio = HumidityRatioFromWetBulb(T_wb, k.T, k.P, k.formulation);
    s.partialPressure = checkedSingle(PartialPressureFromHumidityRatio(s.humidityRatio, k.P));
    s.relativeHumidity = CappedRelativeHumidity(s.partialPressure, k);
    s.dewPoint = DewPoint(s.partialPressure, k, false);
    CompleteFromPartialPressure(s, k);
}

void FromAbsoluteHumidity(MoistAirState& s, const Known& k, double rho_w) {
    s.absoluteHumidity = checkedSingle(rho_w);
    s.moleFraction = MoleFractionFromAbsoluteHumidity(s.absoluteHumidity, k.T, k.P);
    s.partialPressure = checkedSingle(s.moleFraction * k.P);
    s.molecularWeight = MolecularWeight(s.moleFraction);
    s.massFraction = MassFractionFromMoleFraction(s.moleFraction, s.molecularWeight);
    HumidityFromPartialPressure(s, k);
    s.dewPoint = DewPoint(s.partialPressure, k, false);
}

void FromPartialPressure(MoistAirState& s, const Known& k, double p_w) {
    s.partialPressure = checkedSingle(p_w);
    HumidityFromPartialPressure(s, k);
    CompleteFromPartialPressure(s, k);
    s.dewPoint = DewPoint(s.partialPressure, k, false);
}

void FromMoleFraction(MoistAirState& s, const Known& k, double x_w) {
    s.moleFraction = x_w;
    s.partialPressure = checkedSingle(x_w * k.P);
    HumidityFromPartialPressure(s, k);
    s.molecularWeight = MolecularWeight(x_w);
    s.massFraction = MassFractionFromMoleFraction(x_w, s.molecularWeight);
    s.absoluteHumidity = checkedSingle(AbsoluteHumidity(x_w, k.P, k.T));
    s.dewPoint = DewPoint(s.partialPressure, k, false);
}

void FromMassFraction(MoistAirState& s, const Known& k, double w_w) {
    s.massFraction = w_w; // kept as given, not recomputed from x_w
    s.moleFraction = MoleFractionFromMassFraction(w_w);
    s.partialPressure = checkedSingle(s.moleFraction * k.P);
    HumidityFromPartialPressure(s, k);
    s.molecularWeight = MolecularWeight(s.moleFraction);
    s.absoluteHumidity = checkedSingle(AbsoluteHumidity(s.moleFraction, k.P, k.T));
    s.dewPoint = DewPoint(s.partialPressure, k, false);
}

Composition Shares(double waterShare, double N2, double O2, double Ar, double CO2) {
    const double dry = 1 - waterShare;
    return {dry * N2, dry * O2, checkedSingle(dry * Ar), dry * CO2, waterShare};
}

void Properties(MoistAirState& s, const Known& k) {
    s.gasConstant = GasConstant(s.molecularWeight);
    s.specificVolume = SpecificVolume(k.T, s.humidityRatio, k.P);
    s.density = Density(s.humidityRatio, s.specificVolume);
    s.enthalpy = Enthalpy(k.T, s.humidityRatio);
    s.byVolume =
        Shares(s.moleFraction, kDryAirMoleN2, kDryAirMoleO2, kDryAirMoleAr, kDryAirMoleCO2);
    s.byMass = Shares(s.massFraction, kDryAirMassN2, kDryAirMassO2, kDryAirMassAr, kDryAirMassCO2);
}

} // namespace

Result<MoistAirState> StateOf(const Ambient& ambient, const Saturation& saturation,
                              HumidityInput input, double value) {
    return moistair::Guarded([&]() -> Result<MoistAirState> {
        const Known k{ambient.dryBulb, ambient.pressure, saturation.pressure,
                      saturation.formulation};
        MoistAirState s;
        s.ambient = ambient;
        s.saturation = saturation;
        switch (input) {
        case HumidityInput::HumidityRatio:
            FromHumidityRatio(s, k, value);
            break;
        case HumidityInput::RelativeHumidity:
            FromRelativeHumidity(s, k, value);
            break;
        case HumidityInput::DewPoint:
            FromDewPoint(s, k, value);
            break;
        case HumidityInput::WetBulb:
            FromWetBulb(s, k, value);
            break;
        case HumidityInput::AbsoluteHumidity:
            FromAbsoluteHumidity(s, k, value);
            break;
        case HumidityInput::PartialPressure:
            FromPartialPressure(s, k, value);
            break;
        case HumidityInput::MoleFraction:
            FromMoleFraction(s, k, value);
            break;
        case HumidityInput::MassFraction:
            FromMassFraction(s, k, value);
            break;
        }
        Properties(s, k);
        return s;
    });
}

std::optional<double> ValueOf(const MoistAirState& state, HumidityInput input) {
    switch (input) {
    case HumidityInput::HumidityRatio:
        return state.humidityRatio;
    case HumidityInput::RelativeHumidity:
        return state.relativeHumidity;
    case HumidityInput::DewPoint:
        return state.dewPoint;
    case HumidityInput::WetBulb:
        return state.wetBulb;
    case HumidityInput::AbsoluteHumidity:
        return state.absoluteHumidity;
    case HumidityInput::PartialPressure:
        return state.partialPressure;
    case HumidityInput::MoleFraction:
        return state.moleFraction;
    case HumidityInput::MassFraction:
        return state.massFraction;
    }
    return std::nullopt;
}

} // namespace hygrovane
