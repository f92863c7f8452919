#pragma once

// The inputs every heat-balance comfort model takes (PMV, SET), in the units the standards state
// them in: degC, m/s, met and clo.

namespace hygrovane::comfort {

// How the humidity of the air is given: relative humidity (what the standards' tables use) or
// the partial pressure of water vapour (what a chart point's humidity ratio gives by the core).
struct Humidity {
    enum class Kind { RelativeHumidity, VapourPressure };
    Kind kind = Kind::RelativeHumidity;
    double value = 50; // % for RelativeHumidity, Pa for VapourPressure

    static Humidity Relative(double percent) { return {Kind::RelativeHumidity, percent}; }
    static Humidity Pressure(double pascal) { return {Kind::VapourPressure, pascal}; }
};

struct ThermalInputs {
    double airTemperature = 25; // t_a, degC
    double meanRadiant = 25;    // t_r, degC
    double airSpeed = 0.1;      // v_ar, m/s, relative to the body, as the standards' tables give it
    Humidity humidity;
    double metabolic = 1.1;  // M, met (1 met = 58.15 W/m2, ISO 7730 Annex D)
    double clothing = 0.5;   // I_cl, clo (1 clo = 0.155 m2 K/W, ISO 7730 Annex D)
    double externalWork = 0; // W, met
};

// Saturation pressure of water over liquid, Pa, as ISO 7730:2005 Annex D converts relative
// humidity: p_s = 1000 exp(16.6536 - 4030.183 / (t + 235)) with t in degC (an Antoine form; the
// two-node model of ASHRAE 55 Appendix D uses the same relation in mmHg:
// exp(18.6686 - 4030.183 / (t + 235))). Both standards' published figures depend on it.
double SaturationPressureAntoine(double temperature);

// The water vapour partial pressure, Pa, of the humidity at the air temperature (degC):
// p_a = RH / 100 * p_s(t_a) for a relative humidity, the value itself for a pressure.
double VapourPressureOf(const Humidity& humidity, double airTemperature);

} // namespace hygrovane::comfort
