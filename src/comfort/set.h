#pragma once

// Standard Effective Temperature by the two-node model of Gagge et al. (1986), as ASHRAE
// 55-2020 Normative Appendix D gives it in code, and the cooling effect of elevated air speed
// derived from it (ASHRAE 55-2020 5.3.3 and Appendix D).

#include "comfort/comfort_error.h"
#include "comfort/thermal_inputs.h"

namespace hygrovane::comfort {

// The air speed ASHRAE 55 calls still air, m/s: the cooling effect is measured against it.
inline constexpr double kStillAirSpeed = 0.1;

struct SetOptions {
    double pressure = 101325; // Pa, barometric
    // ASHRAE 55 Appendix D computes the cooling effect without the convection that the body's
    // own movement adds above 0.85 met (h_c = 5.66 (M - 0.85)^0.39); SET for its own sake keeps it.
    bool forCoolingEffect = false;
    // One-minute steps of the hour's exposure. ASHRAE 55-2020 Normative Appendix D's code runs
    // `for (TIM = 1; TIM <= LTIME; TIM++)` with LTIME = 60: 60 steps. pythermalcomfort and
    // ladybug-comfort run 59 (their loops start at 1 and stop before 60); the difference is in
    // docs/users-guide.md, "SET (two-node model)".
    int minutes = 60;
};

// SET, degC, of a standing 70 kg person with 1.8258 m2 of skin after an hour's exposure. The
// model has no range of application in ASHRAE 55; only inputs without physical meaning (missing,
// negative speed or clothing, no metabolism, a pressure outside 30-120 kPa) are refused.
ComfortResult<double> StandardEffectiveTemperature(const ThermalInputs& inputs,
                                                   SetOptions options = {});

// The cooling effect CE, K: the drop of t_a and t_r at still air (0.1 m/s) that gives the SET of
// the inputs' air speed, ASHRAE 55-2020 Appendix D. The humidity is held as given (relative
// humidity kept, as the standard's own code does, or the vapour pressure kept). 0 at 0.1 m/s and
// below, and 0 when no drop between 0 and 40 K matches (the standard's code does the same).
ComfortResult<double> CoolingEffect(const ThermalInputs& inputs, double pressure = 101325);

// The same, searched first within 0.001 K, then 0.02 K, of `hint` (K, the cooling effect of a
// nearby point, as a sweep along a zone boundary has), which saves most two-node runs; the whole
// 0-40 K search follows when the root is not there. Agrees with CoolingEffect within its 1e-7 K.
ComfortResult<double> CoolingEffectNear(const ThermalInputs& inputs, double hint,
                                        double pressure = 101325);

} // namespace hygrovane::comfort
