#pragma once

// Predicted Mean Vote and Predicted Percentage of Dissatisfied: the Fanger heat balance of
// ISO 7730:2005 (computed as its Annex D does), and ASHRAE 55-2020's use of it, which replaces
// air speeds above 0.1 m/s by the cooling effect of SET (Appendix D, "elevated air speed").

#include "comfort/comfort_error.h"
#include "comfort/thermal_inputs.h"

#include <limits>

namespace hygrovane::comfort {

struct PmvPpd {
    double pmv = 0; // -3 cold .. +3 hot
    double ppd = 0; // %, 5 at PMV 0
};

// Whether the inputs are held to the standard's range of application. Unchecked is for the
// published rows computed outside it and for callers that judged the inputs already.
enum class Applicability { Checked, Unchecked };

// ISO 7730:2005 clause 4 ranges (both ends included): M 0.8-4 met, I_cl 0-2 clo,
// t_a 10-30 degC, t_r 10-40 degC, v_ar 0-1 m/s, p_a 0-2700 Pa. External work must lie in
// 0..M everywhere. The standard also advises the index only between PMV -2 and +2; judging that
// is left to the caller.
ComfortResult<PmvPpd> PmvIso7730(const ThermalInputs& inputs,
                                 Applicability applicability = Applicability::Checked);

struct Ashrae55Options {
    Applicability applicability = Applicability::Checked;
    // ASHRAE 55-2020 5.3.3.3: without local control of the air speed by the occupants, light
    // sedentary activity (below 1.3 met, below 0.7 clo) is held to 0.2 m/s below an operative
    // temperature of 23 degC, 50.49 - 4.4047 t_o + 0.096425 t_o^2 m/s from 23 to 25.5 degC and
    // 0.8 m/s above it.
    bool occupantControl = true;
    // A nearby point's cooling effect, K, to start the search from (a zone boundary's sweep);
    // NaN: searched over the whole range.
    double coolingEffectHint = std::numeric_limits<double>::quiet_NaN();
};

struct Ashrae55Pmv {
    double pmv = 0;
    double ppd = 0;
    double coolingEffect = 0; // K, subtracted from t_a and t_r; 0 at 0.1 m/s and below
};

// ASHRAE 55-2020 Normative Appendix B ranges: t_a and t_r 10-40 degC, v 0-2 m/s, M 1-4 met,
// I_cl 0-1.5 clo. Above 0.1 m/s the PMV is computed at t_a - CE, t_r - CE and 0.1 m/s, the
// humidity held as given (relative humidity kept, or the vapour pressure kept).
ComfortResult<Ashrae55Pmv> PmvAshrae55(const ThermalInputs& inputs, Ashrae55Options options = {});

// PPD = 100 - 95 exp(-0.03353 PMV^4 - 0.2179 PMV^2), %, ISO 7730:2005 eq. (5).
double PpdOf(double pmv);
// The |PMV| at which PPD reaches the given percentage (5 < ppd < 100); NaN outside.
double PmvMagnitudeAtPpd(double ppd);

// The heat balance alone, without any range check: t_a, t_r degC, v_ar m/s, p_a Pa, met, clo, met.
// NaN when the clothing-temperature iteration does not converge in 150 steps.
double PmvFanger(double ta, double tr, double vr, double pa, double met, double clo, double work);

} // namespace hygrovane::comfort
