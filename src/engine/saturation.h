#pragma once

#include "hygrovane/sat_formulation.h"

namespace hygrovane::engine {

// Saturation pressure of water (over ice or liquid) in Pa at temperature T in K.
// Throws ArithmeticError on an arithmetic fault; checks no ranges.
double SaturationPressure(double T, SatFormulation formulation);

// The saturation pressure by the same formulas rearranged for speed (powers from one logarithm
// or by multiplication, no checks), within a few units in the last place of SaturationPressure:
// for the estimates of the searches only, whose results SaturationPressure itself confirms.
// FastLogSaturationPressure gives ln(p / Pa). Non-finite where SaturationPressure would throw.
double FastLogSaturationPressure(double T, SatFormulation formulation);
double FastSaturationPressure(double T, SatFormulation formulation);
// The same with the slope of ln p; p is computed only when wantP, ln p (IAPWS above the triple
// point) only when not.
struct FastSaturation {
    double p;     // Pa
    double lnP;   // ln(p / Pa)
    double slope; // d ln p / dT, 1/K
};
FastSaturation FastSaturationWithSlope(double T, SatFormulation formulation, bool wantP);
// The last fresh FastSaturationWithSlope of one search, for the evaluations next to it.
struct FastSaturationMemo {
    double T = -1; // K; none yet
    FastSaturation at{};
};
// FastSaturationWithSlope at T, from the tangent of ln p at memo.T when T lies within 1E-7 K of
// it on the same side of the switch between ice and water: |d2 ln p / dT2| stays below 5E-3 / K2
// over the brackets, so the tangent is off by less than 1E-16. Otherwise a fresh evaluation,
// which memo then keeps. wantP as for every evaluation kept in memo.
FastSaturation FastSaturationNear(double T, FastSaturationMemo& memo, SatFormulation formulation,
                                  bool wantP);

// Saturation temperature in K at pressure p in Pa. When passes is given, it receives the number
// of bisection passes (0 for the IAPWS closed form).
double SaturationTemperature(double p, SatFormulation formulation, int* passes = nullptr);

} // namespace hygrovane::engine
