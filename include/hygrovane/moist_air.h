#pragma once

// The moist-air core of Hygrovane: the state of moist air from its dry bulb, its pressure (or
// altitude) and one of eight humidity quantities, by either saturation formulation.
//
//     hygrovane::Conditions air{.dryBulb = 303.15, .pressure = 95000,
//                               .humidityInput = hygrovane::HumidityInput::RelativeHumidity,
//                               .humidity = 0.40};
//     if (const auto state = hygrovane::Solve(air)) { use state->dewPoint, state->enthalpy ... }
//     else { hygrovane::Describe(state.error()) }
//
// Every function is a pure function of its arguments: nothing is kept between calls and any
// number of threads may call them at once. None throws; every failure comes back typed.

#include "hygrovane/conditions.h"
#include "hygrovane/moist_air_state.h"
#include "hygrovane/sat_formulation.h"
#include "hygrovane/solve_result.h"

namespace hygrovane {

// The whole state, after checking every input against its limits (LimitsOf and the k... ranges
// of conditions.h, both ends included).
Result<MoistAirState> Solve(const Conditions& conditions);

// What a state holds beyond what its quantities need. The dry air's wet bulb
// (Saturation::dryAirWetBulb, the wet bulb's lower limit) is a wet-bulb search of its own, about
// a quarter of a state's time: a caller that reads neither may leave it out, and it is then NaN.
// A wet-bulb input is checked against it all the same.
struct SolveScope {
    bool dryAirWetBulb = true;
};
Result<MoistAirState> Solve(const Conditions& conditions, SolveScope scope);

// The steps of Solve, for callers that judge the inputs themselves (the main window compares the
// typed texts with its rounded captions). None of them checks an input against its limits.
//
// The dry bulb rounded to 32 bits, and the pressure or the altitude derived from the other.
Result<Ambient> AmbientOf(const Conditions& conditions);
// Saturated air at the ambient dry bulb and pressure; PressureTooLow when the saturation
// pressure reaches the ambient pressure.
Result<Saturation> SaturationOf(const Ambient& ambient, SatFormulation formulation);
Result<Saturation> SaturationOf(const Ambient& ambient, SatFormulation formulation,
                                SolveScope scope);
// The ambient and the saturated air at the conditions' dry bulb and pressure (or altitude):
// AmbientOf, then SaturationOf, for the layers that compute many states at one dry bulb.
struct SaturatedAir {
    Ambient ambient;
    Saturation saturation;
};
Result<SaturatedAir> SaturatedAirOf(const Conditions& conditions);
Result<SaturatedAir> SaturatedAirOf(const Conditions& conditions, SolveScope scope);
// The state with the given humidity value (in the unit listed beside HumidityInput).
Result<MoistAirState> StateOf(const Ambient& ambient, const Saturation& saturation,
                              HumidityInput input, double value);

} // namespace hygrovane
