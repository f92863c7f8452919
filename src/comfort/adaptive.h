#pragma once

// The adaptive comfort models: the comfortable operative temperature indoors follows the
// prevailing mean outdoor temperature (ASHRAE 55-2020 section 5.4, EN 16798-1:2019 Annex B).
// For naturally conditioned, occupant-controlled spaces; sedentary activity, clothing free to
// adapt.

#include "comfort/comfort_error.h"

namespace hygrovane::comfort {

// Operative temperature, degC, by ASHRAE 55-2020 Normative Appendix A: t_o = A t_a + (1 - A) t_r
// with A = 0.5 below 0.2 m/s, 0.6 from 0.2 to 0.6 m/s and 0.7 from 0.6 to 1.0 m/s (and above).
double OperativeTemperature(double airTemperature, double meanRadiant, double airSpeed);

// The adaptive models' allowance for elevated air speed, K, added to the upper limits when the
// operative temperature is above 25 degC (ASHRAE 55-2020 5.4.2.4, Table 5.4.2.4): 1.2 K from
// 0.6 m/s, 1.8 K from 0.9 m/s, 2.2 K from 1.2 m/s; 0 below 0.6 m/s.
double AdaptiveCoolingAllowance(double operativeTemperature, double airSpeed);

struct AdaptiveAshrae55 {
    double comfort = 0;   // t_cmf = 0.31 t_pma(out) + 17.8, degC (5.4.2.1)
    double lower80 = 0;   // t_cmf - 3.5, degC
    double upper80 = 0;   // t_cmf + 3.5 + allowance, degC
    double lower90 = 0;   // t_cmf - 2.5, degC
    double upper90 = 0;   // t_cmf + 2.5 + allowance, degC
    double allowance = 0; // K, elevated air speed
    double operative = 0; // degC
    bool acceptable80 = false;
    bool acceptable90 = false;
};

// Refused outside the model's range: prevailing mean outdoor 10-33.5 degC (5.4.1), air speed
// 0-2 m/s, and missing inputs.
ComfortResult<AdaptiveAshrae55> AdaptiveAshrae55Of(double airTemperature, double meanRadiant,
                                                   double airSpeed, double prevailingMean);

struct AdaptiveEn16798 {
    double comfort = 0;   // theta_c = 0.33 theta_rm + 18.8, degC
    double upper[3] = {}; // categories I, II, III: theta_c + 2, 3, 4 K, + allowance
    double lower[3] = {}; // theta_c - 3, 4, 5 K
    double allowance = 0; // K, elevated air speed (the same steps as ASHRAE 55)
    double operative = 0; // degC
    bool acceptable[3] = {};
};

// Refused outside the model's range: running mean outdoor 10-30 degC (EN 16798-1:2019 Annex B;
// the standard's lower limits are stated from 15 degC, below which the upper ones still apply),
// air speed 0-2 m/s, and missing inputs.
ComfortResult<AdaptiveEn16798> AdaptiveEn16798Of(double airTemperature, double meanRadiant,
                                                 double airSpeed, double runningMean);

} // namespace hygrovane::comfort
