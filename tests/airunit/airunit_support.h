#pragma once

// What the unit's tests share: Chicago's year with its states, the example unit, and the
// relations of ASHRAE Fundamentals chapter 1 written here afresh (degC, kg/kg, kJ/kg), so that
// the run is checked against arithmetic of its own and not against the engine's pieces.

#include "airunit/unit_run.h"
#include "climate/hourly_states.h"
#include "climate/weather_data.h"
#include "shared_chicago.h"

#include <memory>

namespace hygrovane::airunit::testing {

using hygrovane::testing::Chicago;
// Its states at the station pressure by the Hyland-Wexler formulation (the one written below).
const climate::HourlyStates& ChicagoStates();

// The run of Chicago's whole year, with a failure of the calling test when it is refused.
UnitRun ChicagoRun(const UnitSettings& settings, unsigned threads = 0);

// The example unit of the issue: 24 degC 50 %, supply 13 degC, dew points 11 and 2 degC,
// 10000 m3/h, 20 % outdoor air, differential enthalpy, wheel 0.75 / 0.6.
UnitSettings ExampleUnit();

namespace ashrae {
// Saturation pressure over water (t >= 0) or ice, Hyland and Wexler, Pa.
double SaturationPressure(double t);
// W = 0.62198 p_w / (P - p_w).
double HumidityRatio(double pw, double P);
// h = 1.006 t + W (2501 + 1.805 t).
double Enthalpy(double t, double W);
// t from h and W.
double DryBulb(double h, double W);
// The dry bulb where the vapour pressure pw is phi of saturation, by bisection.
double DryBulbAtRelativeHumidity(double pw, double phi);
// v = 287.1 (t + 273.15) (1 + 1.6078 W) / P, m3/kg dry air.
double SpecificVolume(double t, double W, double P);
} // namespace ashrae

} // namespace hygrovane::airunit::testing

namespace hygrovane::airunit::testing {

// One hour of the unit computed afresh from the sequence with the relations above: the
// economizer's fraction and the slowed wheel found by bisection on the mixture's dry bulb rather
// than in closed form, the coil's dehumidifying dry bulb by bisection on p_ws. The exchanger runs
// for cooling only where the hour then buys less energy.
struct ReferenceHour {
    double massFlow = 0, f = 0, k = 0;
    bool economizer = false, dehumidifying = false;
    double tMixed = 0, WMixed = 0, tOffCoil = 0, WOffCoil = 0, tSupply = 0, WSupply = 0;
    double heatingKW = 0, coolingKW = 0, sensibleKW = 0, reheatKW = 0, humidifierKW = 0;
    double recoveredKW = 0, condensateKgS = 0, steamKgS = 0;
};
ReferenceHour Reference(const UnitSettings& s, double to, double Wo, double P);

} // namespace hygrovane::airunit::testing
