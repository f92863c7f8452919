#include "engine/moist_air_relations.h"

#include "engine/checked_math.h"
#include "engine/constants.h"

namespace hygrovane::engine {

double HumidityRatioFromPartialPressure(double p_w, double P) {
    return checkedDivide(kMolecularWeightRatio * p_w, P - p_w);
}

double HumidityRatioFromPressureRatio(double p_w, double P) {
    return checkedDivide(kMolecularWeightRatio, checkedDivide(P, p_w) - 1);
}

double PartialPressureFromHumidityRatio(double W, double P) {
    return checkedDivide(W * P, W + kMolecularWeightRatio);
}

double MoleFractionFromPartialPressure(double p_w, double P) {
    return checkedDivide(p_w, P);
}

double MoleFractionFromAbsoluteHumidity(double rho_w, double T, double P) {
    return checkedDivide(T * kUniversalGasConstant * rho_w, P * kWaterMolecularWeight);
}

double MoleFractionFromMassFraction(double w_w) {
    return checkedDivide(kDryAirMolecularWeight * w_w,
                         kWaterMolecularWeight + kMolecularWeightDifference * w_w);
}

double MolecularWeight(double x_w) {
    return checkedFinite(x_w * kWaterMolecularWeight + (1 - x_w) * kDryAirMolecularWeight);
}

double MassFractionFromMoleFraction(double x_w, double M) {
    return checkedDivide(kWaterMolecularWeight * x_w, M);
}

double AbsoluteHumidity(double x_w, double P, double T) {
    return checkedDivide(P * x_w * kWaterMolecularWeight, T * kUniversalGasConstant);
}

double GasConstant(double M) {
    return checkedDivide(kUniversalGasConstant, M);
}

double SpecificVolume(double T, double W, double P) {
    return checkedDivide((kDryAirGasConstant * T) * (1 + kDryAirToWaterRatio * W), P);
}

double Density(double W, double v) {
    return checkedDivide(1 + W, v);
}

double Enthalpy(double T, double W) {
    const double t = T - kCelsiusOffset;
    return checkedFinite(kDryAirSpecificHeat * t + W * (kLatentHeatAt0C + kVapourSpecificHeat * t));
}

} // namespace hygrovane::engine
