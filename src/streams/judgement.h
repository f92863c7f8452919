#pragma once

// Each aligned step judged against the unit's physics, and the figures of the whole series
// weighted by the time each step stands for.
//
// The mixing box's outdoor side is the air after recovery when it is logged, else the outdoor
// air; the supply's source is the mixed air, else that outdoor side. Mixing by dry-air mass is
// linear in humidity ratio and enthalpy: f = (x_m - x_r) / (x_o - x_r) on each. Recovery
// effectiveness is AHRI 1060's for balanced flows: (x_after - x_outdoor) / (x_return -
// x_outdoor) on dry bulb (sensible), humidity ratio (latent) and enthalpy (total). The coil is
// between the supply's source and the supply, with airunit's formulas: total m ((h_in - h_out) -
// (W_in - W_out) 4.186 t_out), sensible m (1.006 + 1.805 W_in)(t_in - t_out), latent their
// difference, condensate m (W_in - W_out); positive when it cools and dries.

#include "streams/alignment.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

namespace hygrovane::streams {

enum class FaultKind : std::uint8_t {
    FractionsDisagree,      // the two balances' fractions differ by more than the tolerance
    OffMixingLine,          // the mixed air beyond the outdoor or the return end of the line
    MixedOutsideRange,      // mixed dry bulb outside the range of its two sources
    SupplyWarmerThanSource, // where the unit does not heat
    RelativeHumidityAbove100,
    FrozenSensor, // a reading repeated for the frozen count
};
inline constexpr std::size_t kFaultCount = 6;
// "fractionsDisagree", "offMixingLine", "mixedOutsideRange", "supplyWarmerThanSource",
// "relativeHumidityAbove100", "frozenSensor": JSON and CSV keys, scripts read them.
const char* KeyOf(FaultKind fault);

struct JudgementSettings {
    double fractionTolerance = 0.05;      // of f
    double dryBulbTolerance = 0.5;        // K, the mixed air beyond its sources
    double supplyRise = 1;                // K the supply may lie above its source (the fan)
    bool heats = true;                    // false: the unit has no heating
    std::optional<double> heatingLockout; // degC: no heating while the outdoor air is above it
    double leastDryBulbDifference = 1;    // K between the two ends, for f and effectiveness
    double leastHumidityRatioDifference = 0.0005; // kg/kg
    double leastEnthalpyDifference = 1;           // kJ/kg
    std::optional<double> massFlow;               // kg/s of dry air through the coil
};

struct StepFigures {
    double fractionOnHumidityRatio; // NaN where the ends lie closer than the least difference
    double fractionOnEnthalpy;
    double outdoorFraction; // of the balance whose ends lie further apart against its least
    double effectivenessSensible;
    double effectivenessLatent;
    double effectivenessTotal;
    double coilSensibleKW;
    double coilLatentKW;
    double coilTotalKW;
    double condensateKgS;
    std::array<bool, kFaultCount> faults;
};

StepFigures JudgeStep(const AlignedStreams& aligned, std::size_t step,
                      const JudgementSettings& settings);

// A run of consecutive steps flagged with one fault: its first and last steps' times (seconds)
// and the hours they stand for.
struct FaultPeriod {
    double start = 0;
    double end = 0;
    double hours = 0;
};

// The series' figures: means and sums weighted by each step's hours over the steps where the
// figure exists.
struct StreamSummary {
    std::size_t steps = 0;
    double hours = 0;
    std::array<std::size_t, kStreamCount> gapSteps{}; // of each logged stream
    std::array<double, kStreamCount> gapHours{};
    // Over the steps with a fraction that neither disagrees with itself nor lies off the line.
    double outdoorFractionMean = NAN; // NaN where no step has the figure
    double outdoorFractionHours = 0;
    // Each balance's own mean over the same steps (NaN where it has no figure on any).
    double fractionOnHumidityRatioMean = NAN;
    double fractionOnEnthalpyMean = NAN;
    double effectivenessSensibleMean = NAN;
    double effectivenessLatentMean = NAN;
    double effectivenessTotalMean = NAN;
    double effectivenessHours = 0; // of the sensible
    double coilSensibleKWh = NAN;  // NaN without a flow
    double coilLatentKWh = NAN;
    double coilTotalKWh = NAN;
    double condensateKg = NAN;
    std::array<double, kFaultCount> faultHours{};
    std::array<std::size_t, kFaultCount> faultSteps{};
    std::array<std::vector<FaultPeriod>, kFaultCount> faultPeriods; // in time order
};

struct StreamJudgement {
    AlignedStreams aligned;
    std::vector<StepFigures> steps;
    StreamSummary summary;
};

StreamJudgement Judge(const StreamSet& streams, const AlignmentSettings& alignment,
                      const JudgementSettings& settings);

} // namespace hygrovane::streams
