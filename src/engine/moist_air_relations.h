#pragma once

// The relations between the quantities of moist air, as free functions in internal units (Pa, K,
// kg/kg, fractions). Each is evaluated in double in the form and operand order written beside
// it; the shown digits depend on both. Each throws ArithmeticError instead of returning a
// non-finite value.

namespace hygrovane::engine {

// W = (0.62198 x p_w) / (P - p_w): humidity ratio from the partial pressure of the vapour.
double HumidityRatioFromPartialPressure(double p_w, double P);
// W = 0.62198 / (P / p_w - 1): the same relation in the form the dew point uses.
double HumidityRatioFromPressureRatio(double p_w, double P);
// p_w = (W x P) / (W + 0.62198).
double PartialPressureFromHumidityRatio(double W, double P);
// x_w = p_w / P.
double MoleFractionFromPartialPressure(double p_w, double P);
// x_w = (T x 8314.41 x rho_w) / (P x 18.01528), the numerator formed from the left.
double MoleFractionFromAbsoluteHumidity(double rho_w, double T, double P);
// x_w = (28.9645 x w_w) / (18.01528 + 10.94922 x w_w).
double MoleFractionFromMassFraction(double w_w);
// M = x_w x 18.01528 + (1 - x_w) x 28.9645, kg/kmol.
double MolecularWeight(double x_w);
// w_w = (18.01528 x x_w) / M.
double MassFractionFromMoleFraction(double x_w, double M);
// rho_w = (P x x_w x 18.01528) / (T x 8314.41), kg/m^3; T x 8314.41 formed first.
double AbsoluteHumidity(double x_w, double P, double T);

// R = 8314.41 / M, J/(kg K).
double GasConstant(double M);
// v = ((287.1 x T) x (1 + 1.6078 x W)) / P, m^3 per kg of dry air.
double SpecificVolume(double T, double W, double P);
// rho = (1 + W) / v, kg/m^3.
double Density(double W, double v);
// h = 1.006 t + W (2501 + 1.805 t), t = T - 273.15, kJ per kg of dry air.
double Enthalpy(double T, double W);

} // namespace hygrovane::engine
