#pragma once

// The relations of moist air that other layers compute states with (processes on a balance, the
// chart's lines), published by the core in internal units (K, Pa, kg/kg, kJ/kg dry air). Each is
// the relation Solve itself uses, in the same operand order, so that a point computed here shows
// the digits the main window would. None throws: an arithmetic fault (a division by zero, a
// logarithm of a non-positive number, an overflow) comes back as FailureKind::ArithmeticFault.
// None checks an input against the limits of conditions.h.

#include "hygrovane/sat_formulation.h"
#include "hygrovane/solve_result.h"

namespace hygrovane {

// The constants of the enthalpy relation h = 1.006 t + W (2501 + 1.805 t), t in degC, kJ/kg dry
// air, from dry air and liquid water at 0 degC (ASHRAE Handbook of Fundamentals, chapter 1), and
// of liquid water's enthalpy 4.186 t. The engine uses these same definitions.
inline constexpr double kDryAirSpecificHeat = 1.006;      // kJ/(kg K)
inline constexpr double kLatentHeatAt0C = 2501.0;         // kJ/kg, evaporation of water at 0 degC
inline constexpr double kVapourSpecificHeat = 1.805;      // kJ/(kg K)
inline constexpr double kLiquidWaterSpecificHeat = 4.186; // kJ/(kg K)
// Offset of the Celsius scale, K.
inline constexpr double kCelsiusOffset = 273.15;

// p_ws(T): the saturation pressure of water vapour over liquid water or ice at T, Pa.
Result<double> SaturationPressureAt(double T, SatFormulation formulation);
// The T where p_ws(T) = p: the saturation temperature at a vapour pressure p in Pa.
Result<double> SaturationTemperatureAt(double p, SatFormulation formulation);
// W_s = 0.62198 p_ws(T) / (P - p_ws(T)): the humidity ratio of saturated air at T and P.
Result<double> SaturationHumidityRatio(double T, double P, SatFormulation formulation);
// W = 0.62198 p_w / (P - p_w): the humidity ratio of air whose vapour has the pressure p_w, in
// double throughout (a state of Solve holds p_w in 32 bits).
Result<double> HumidityRatioFromVapourPressure(double p_w, double P);
// p_w = W P / (W + 0.62198): the pressure of the vapour of air holding W at P, in double.
Result<double> VapourPressureAt(double W, double P);
// phi = p_w / p_ws(T), p_w = W P / (W + 0.62198); not capped at 1.
Result<double> RelativeHumidityAt(double T, double W, double P, SatFormulation formulation);
// h = 1.006 t + W (2501 + 1.805 t), t = T - 273.15, kJ/kg dry air.
Result<double> EnthalpyAt(double T, double W);
// The same relation solved for the dry bulb: t = (h - 2501 W) / (1.006 + 1.805 W).
Result<double> DryBulbFromEnthalpy(double h, double W);
// The T where p_ws(T) = W P / (W + 0.62198): the dew point of air holding W at P.
Result<double> DewPointAt(double W, double P, SatFormulation formulation);
// v = ((287.1 T) (1 + 1.6078 W)) / P, m^3/kg dry air.
Result<double> SpecificVolumeAt(double T, double W, double P);
// The wet bulb of air at T holding W at P, by bisection on the psychrometer equation.
Result<double> WetBulbAt(double T, double W, double P, SatFormulation formulation);

} // namespace hygrovane
