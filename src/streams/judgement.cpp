#include "streams/judgement.h"

#include "hygrovane/relations.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hygrovane::streams {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const AlignedState* At(const AlignedStreams& a, StreamName name, std::size_t step) {
    const std::size_t s = IndexOf(name);
    if (!a.logged[s] || !a.states[s][step].Present()) {
        return nullptr;
    }
    return &a.states[s][step];
}

// (x_m - x_r) / (x_o - x_r) where the ends lie at least `least` apart; NaN otherwise.
double Share(double m, double o, double r, double least) {
    return std::abs(o - r) >= least ? (m - r) / (o - r) : kNaN;
}

} // namespace

const char* KeyOf(FaultKind fault) {
    switch (fault) {
    case FaultKind::FractionsDisagree:
        return "fractionsDisagree";
    case FaultKind::OffMixingLine:
        return "offMixingLine";
    case FaultKind::MixedOutsideRange:
        return "mixedOutsideRange";
    case FaultKind::SupplyWarmerThanSource:
        return "supplyWarmerThanSource";
    case FaultKind::RelativeHumidityAbove100:
        return "relativeHumidityAbove100";
    case FaultKind::FrozenSensor:
        return "frozenSensor";
    }
    return "";
}

StepFigures JudgeStep(const AlignedStreams& a, std::size_t step, const JudgementSettings& s) {
    StepFigures f{kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, {}};
    const auto flag = [&f](FaultKind fault) { f.faults[static_cast<std::size_t>(fault)] = true; };
    const AlignedState* outdoor = At(a, StreamName::Outdoor, step);
    const AlignedState* back = At(a, StreamName::Return, step);
    const AlignedState* mixed = At(a, StreamName::Mixed, step);
    const AlignedState* recovered = At(a, StreamName::AfterRecovery, step);
    const AlignedState* supply = At(a, StreamName::Supply, step);
    const bool recoveryLogged = a.logged[IndexOf(StreamName::AfterRecovery)];
    const AlignedState* outdoorSide = recoveryLogged ? recovered : outdoor;

    if (mixed && outdoorSide && back) {
        f.fractionOnHumidityRatio = Share(mixed->humidityRatio, outdoorSide->humidityRatio,
                                          back->humidityRatio, s.leastHumidityRatioDifference);
        f.fractionOnEnthalpy = Share(mixed->enthalpy, outdoorSide->enthalpy, back->enthalpy,
                                     s.leastEnthalpyDifference);
        const double byW = std::abs(outdoorSide->humidityRatio - back->humidityRatio) /
                           s.leastHumidityRatioDifference;
        const double byH =
            std::abs(outdoorSide->enthalpy - back->enthalpy) / s.leastEnthalpyDifference;
        f.outdoorFraction = std::isnan(f.fractionOnEnthalpy) || (byW > byH)
                                ? f.fractionOnHumidityRatio
                                : f.fractionOnEnthalpy;
        if (std::abs(f.fractionOnHumidityRatio - f.fractionOnEnthalpy) > s.fractionTolerance) {
            flag(FaultKind::FractionsDisagree);
        }
        if (f.outdoorFraction < -s.fractionTolerance ||
            f.outdoorFraction > 1 + s.fractionTolerance) {
            flag(FaultKind::OffMixingLine);
        }
        const auto [low, high] = std::minmax(outdoorSide->dryBulb, back->dryBulb);
        if (mixed->dryBulb < low - s.dryBulbTolerance ||
            mixed->dryBulb > high + s.dryBulbTolerance) {
            flag(FaultKind::MixedOutsideRange);
        }
    }

    if (outdoor && recovered && back) {
        f.effectivenessSensible =
            Share(recovered->dryBulb, back->dryBulb, outdoor->dryBulb, s.leastDryBulbDifference);
        f.effectivenessLatent = Share(recovered->humidityRatio, back->humidityRatio,
                                      outdoor->humidityRatio, s.leastHumidityRatioDifference);
        f.effectivenessTotal = Share(recovered->enthalpy, back->enthalpy, outdoor->enthalpy,
                                     s.leastEnthalpyDifference);
    }

    const AlignedState* source = a.logged[IndexOf(StreamName::Mixed)] ? mixed : outdoorSide;
    if (source && supply) {
        if (s.massFlow) {
            const double m = *s.massFlow;
            const double removed = source->humidityRatio - supply->humidityRatio;
            f.coilTotalKW = m * ((source->enthalpy - supply->enthalpy) -
                                 removed * kLiquidWaterSpecificHeat * supply->dryBulb);
            f.condensateKgS = m * removed;
            f.coilSensibleKW = m *
                               (kDryAirSpecificHeat + kVapourSpecificHeat * source->humidityRatio) *
                               (source->dryBulb - supply->dryBulb);
            f.coilLatentKW = f.coilTotalKW - f.coilSensibleKW;
        }
        const bool heating =
            s.heats && (!s.heatingLockout || !outdoor || outdoor->dryBulb <= *s.heatingLockout);
        if (!heating && supply->dryBulb > source->dryBulb + s.supplyRise) {
            flag(FaultKind::SupplyWarmerThanSource);
        }
    }

    for (std::size_t k = 0; k < kStreamCount; ++k) {
        if (!a.logged[k] || !a.states[k][step].Present()) {
            continue;
        }
        if (a.states[k][step].relative > 1) {
            flag(FaultKind::RelativeHumidityAbove100);
        }
        if (a.states[k][step].frozen) {
            flag(FaultKind::FrozenSensor);
        }
    }
    return f;
}

namespace {

// Sum of value times hours over the steps where the value exists, and those hours.
struct Weighted {
    double sum = 0;
    double hours = 0;
    void Add(double value, double h) {
        if (std::isnan(value)) {
            return;
        }
        sum += value * h;
        hours += h;
    }
    double Mean() const { return hours > 0 ? sum / hours : kNaN; }
};

} // namespace

StreamJudgement Judge(const StreamSet& streams, const AlignmentSettings& alignment,
                      const JudgementSettings& settings) {
    StreamJudgement j;
    j.aligned = Align(streams, alignment);
    const AlignedStreams& a = j.aligned;
    StreamSummary& sum = j.summary;
    sum.steps = a.seconds.size();
    j.steps.reserve(sum.steps);
    Weighted fraction, onW, onH, sensible, latent, total, coilSensible, coilLatent, coilTotal,
        condensate;
    for (std::size_t i = 0; i < sum.steps; ++i) {
        const double h = a.hours[i];
        sum.hours += h;
        for (std::size_t k = 0; k < kStreamCount; ++k) {
            if (a.logged[k] && !a.states[k][i].Present()) {
                ++sum.gapSteps[k];
                sum.gapHours[k] += h;
            }
        }
        const StepFigures f = JudgeStep(a, i, settings);
        // A fraction its own balances call into doubt stays out of the mean (its hours are
        // counted).
        if (!f.faults[static_cast<std::size_t>(FaultKind::FractionsDisagree)] &&
            !f.faults[static_cast<std::size_t>(FaultKind::OffMixingLine)]) {
            fraction.Add(f.outdoorFraction, h);
            onW.Add(f.fractionOnHumidityRatio, h);
            onH.Add(f.fractionOnEnthalpy, h);
        }
        sensible.Add(f.effectivenessSensible, h);
        latent.Add(f.effectivenessLatent, h);
        total.Add(f.effectivenessTotal, h);
        coilSensible.Add(f.coilSensibleKW, h);
        coilLatent.Add(f.coilLatentKW, h);
        coilTotal.Add(f.coilTotalKW, h);
        condensate.Add(f.condensateKgS * 3600, h);
        for (std::size_t k = 0; k < kFaultCount; ++k) {
            if (!f.faults[k]) {
                continue;
            }
            sum.faultHours[k] += h;
            ++sum.faultSteps[k];
            std::vector<FaultPeriod>& periods = sum.faultPeriods[k];
            if (i == 0 || !j.steps[i - 1].faults[k]) {
                periods.push_back({a.seconds[i], a.seconds[i], 0});
            }
            periods.back().end = a.seconds[i];
            periods.back().hours += h;
        }
        j.steps.push_back(f);
    }
    sum.outdoorFractionMean = fraction.Mean();
    sum.outdoorFractionHours = fraction.hours;
    sum.fractionOnHumidityRatioMean = onW.Mean();
    sum.fractionOnEnthalpyMean = onH.Mean();
    sum.effectivenessSensibleMean = sensible.Mean();
    sum.effectivenessLatentMean = latent.Mean();
    sum.effectivenessTotalMean = total.Mean();
    sum.effectivenessHours = sensible.hours;
    if (settings.massFlow) {
        sum.coilSensibleKWh = coilSensible.sum;
        sum.coilLatentKWh = coilLatent.sum;
        sum.coilTotalKWh = coilTotal.sum;
        sum.condensateKg = condensate.sum;
    }
    return j;
}

} // namespace hygrovane::streams
