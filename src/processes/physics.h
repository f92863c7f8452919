#pragma once

// The processes' physics, one function per way of giving a process. Each takes its entering
// states and dry-air flows (kg/s) and reads the relations of AirModel as numbers: ComputeProcess
// reports the first of them that failed in place of the result.

#include "processes/process_kinds.h"
#include "processes/process_result.h"

#include <cmath>
#include <optional>

namespace hygrovane::processes::physics {

// Enthalpy of liquid water, 4.186 t, and of water vapour, 2501 + 1.805 t (kJ/kg, t in degC,
// from liquid water at 0 degC), with the constants of the moist-air and wet-bulb relations.
double LiquidEnthalpy(double T);
double VapourEnthalpy(double T);

// The root of f between lo and hi, where f changes sign, to the last bit.
template <typename F> double Root(F f, double lo, double hi);

// The mixture of a and b holding the fraction f of b's dry air: W and h linear in f.
ChartPoint MixtureAt(const AirModel& air, const AirState& a, const AirState& b, double f);
Polyline MixingPath(const AirModel& air, const AirState& a, const AirState& b, double from,
                    double to);

// The end state of a process; Fog (with the process's words) when beyond saturation.
Outcome<AirState> EndState(const AirModel& air, double T, double W, const char* fogMessage);

// Refuses a dry bulb a process would reach outside the range it computes (kLowestDryBulb to
// kHighestDryBulb) with the core's range failure, as the core words it for the state at T and W.
// To be asked before any relation of T: below 0 K there is no saturation pressure.
Outcome<Done> CheckDryBulb(const AirModel& air, double T, double W);

// A process of one stage and one path.
ProcessResult OneStage(const AirState& in, const AirState& out, double flow, double waterEnthalpy,
                       Polyline path);
// Two stages in series, the first's outlet the intermediate point.
ProcessResult Chain(ProcessResult first, const ProcessResult& second);

Outcome<ProcessResult> SensibleTo(const AirModel& air, const AirState& in, double flow, double T2);
Outcome<ProcessResult> SensibleBy(const AirModel& air, const AirState& in, double flow,
                                  double heatRate);

Outcome<ProcessResult> CoilFromApparatusDewPoint(const AirModel& air, const AirState& in,
                                                 double flow, double Tadp, double bypass);
Outcome<ProcessResult> CoilFromLeavingDryBulb(const AirModel& air, const AirState& in, double flow,
                                              double T2, double bypass);
Outcome<ProcessResult> CoilToState(const AirModel& air, const AirState& in, double flow,
                                   const PointConditions& leaving);

Outcome<ProcessResult> Mix(const AirModel& air, const AirState& a, double flowA, const AirState& b,
                           double flowB);

// Humidification by water of enthalpy hw: the air follows h = h1 + (W - W1) hw.
enum class Humidifier { Evaporative, Steam };
struct HumidifierSetting {
    Humidifier kind = Humidifier::Evaporative;
    double steamTemperature = 373.15; // K, steam only
};
Outcome<ProcessResult> HumidifyToHumidityRatio(const AirModel& air, const AirState& in, double flow,
                                               HumidifierSetting humidifier, double W2);
Outcome<ProcessResult> HumidifyToRelativeHumidity(const AirModel& air, const AirState& in,
                                                  double flow, HumidifierSetting humidifier,
                                                  double phi2);
Outcome<ProcessResult> EvaporativeToDryBulb(const AirModel& air, const AirState& in, double flow,
                                            double T2);
Outcome<ProcessResult> EvaporativeByEffectiveness(const AirModel& air, const AirState& in,
                                                  double flow, double effectiveness);

Outcome<ProcessResult> HeatingThenHumidifying(const AirModel& air, const AirState& in, double flow,
                                              HumidifierSetting humidifier,
                                              const PointConditions& target);
Outcome<ProcessResult> CoolingThenReheat(const AirModel& air, const AirState& in, double flow,
                                         const PointConditions& target, double bypass);

template <typename F> double Root(F f, double lo, double hi) {
    double fLo = f(lo);
    double fHi = f(hi);
    for (int pass = 0; pass < 200 && fLo != 0 && fHi != 0; ++pass) {
        const double mid = lo + (hi - lo) / 2;
        if (mid == lo || mid == hi) {
            break;
        }
        const double fMid = f(mid);
        if ((fMid < 0) == (fLo < 0)) {
            lo = mid;
            fLo = fMid;
        } else {
            hi = mid;
            fHi = fMid;
        }
    }
    return std::abs(fLo) <= std::abs(fHi) ? lo : hi;
}

} // namespace hygrovane::processes::physics
