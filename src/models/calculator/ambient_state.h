#pragma once

#include "hygrovane/conditions.h"

namespace hygrovane {

// The computed moist-air state in internal units. Lives as long as the main window and is
// updated in place: a field that a calculation does not reach keeps its previous value.
struct AmbientState {
    float T = 0;         // ambient temperature, K
    double P = 0;        // ambient pressure, Pa (holds a 32-bit value when derived from altitude)
    double Z = 0;        // altitude, m (holds a 32-bit value when derived from pressure)
    double p_ws = 0;     // saturation pressure at T, Pa
    double W_s = 0;      // humidity ratio of saturated air
    double x_ws = 0;     // water mole fraction of saturated air
    double rho_ws = 0;   // absolute humidity of saturated air, kg/m^3
    double M_s = 0;      // molecular weight of saturated air, kg/kmol
    double w_ws = 0;     // water mass fraction of saturated air
    double T_wb_min = 0; // wet bulb of dry air, K

    double W = 0;    // humidity ratio
    double phi = 0;  // relative humidity, fraction
    double T_d = 0;  // dew point, K
    double T_wb = 0; // wet bulb, K
    float p_w = 0;   // partial pressure of water vapour, Pa
    double x_w = 0;  // water mole fraction
    double w_w = 0;  // water mass fraction
    float rho_w = 0; // absolute humidity, kg/m^3
    double M = 0;    // molecular weight of the moist air, kg/kmol

    double R = 0;   // specific gas constant, J/kg-K
    double rho = 0; // density, kg/m^3
    double x_N2 = 0, x_O2 = 0, x_CO2 = 0;
    float x_Ar = 0;
    double w_N2 = 0, w_O2 = 0, w_CO2 = 0;
    float w_Ar = 0;
};

// The state's value of a humidity quantity, in the core's internal units.
double ValueOf(const AmbientState& state, HumidityInput input);

} // namespace hygrovane
