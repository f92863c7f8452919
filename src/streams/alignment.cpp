#include "streams/alignment.h"

#include "hygrovane/moist_air.h"
#include "hygrovane/relations.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hygrovane::streams {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr AlignedState kGap{kNaN, kNaN, kNaN, kNaN, kNaN, false};

// The humidity ratio of a reading, NaN where the core has none.
double HumidityRatioOf(HumidityInput input, double t, double humidity, double P,
                       SatFormulation formulation) {
    const double T = t + kCelsiusOffset;
    switch (input) {
    case HumidityInput::HumidityRatio:
        return humidity;
    case HumidityInput::RelativeHumidity: {
        const auto pws = SaturationPressureAt(T, formulation);
        if (!pws) {
            return kNaN;
        }
        const auto W = HumidityRatioFromVapourPressure(humidity * *pws, P);
        return W ? *W : kNaN;
    }
    case HumidityInput::DewPoint: {
        const auto pw = SaturationPressureAt(humidity, formulation);
        if (!pw) {
            return kNaN;
        }
        const auto W = HumidityRatioFromVapourPressure(*pw, P);
        return W ? *W : kNaN;
    }
    default:
        break;
    }
    Conditions c;
    c.dryBulb = T;
    c.pressure = P;
    c.humidityInput = input;
    c.humidity = humidity;
    c.formulation = formulation;
    const auto state = Solve(c);
    return state ? state->humidityRatio : kNaN;
}

AlignedState StateOf(double t, double W, double P, bool frozen, SatFormulation formulation) {
    if (!std::isfinite(t) || !std::isfinite(W) || !std::isfinite(P) || W < 0 || P <= 0) {
        return kGap;
    }
    const double T = t + kCelsiusOffset;
    const auto h = EnthalpyAt(T, W);
    const auto phi = RelativeHumidityAt(T, W, P, formulation);
    if (!h || !phi) {
        return kGap;
    }
    return {t, W, *h, *phi, P, frozen};
}

// Every reading's state, in the order of the readings.
std::vector<AlignedState> ReadingStates(const StreamSeries& s, const AlignmentSettings& settings) {
    const std::vector<bool> frozen = FrozenReadings(s, settings.frozenReadings);
    std::vector<AlignedState> states(s.seconds.size());
    for (std::size_t i = 0; i < states.size(); ++i) {
        const double W = HumidityRatioOf(s.humidityInput, s.dryBulb[i], s.humidity[i],
                                         s.pressure[i], settings.formulation);
        states[i] = StateOf(s.dryBulb[i], W, s.pressure[i], frozen[i], settings.formulation);
    }
    return states;
}

AlignedState Nearest(const std::vector<double>& times, const std::vector<AlignedState>& states,
                     double at, double tolerance) {
    const auto after = std::lower_bound(times.begin(), times.end(), at);
    std::size_t best = times.size();
    double distance = INFINITY;
    if (after != times.end()) {
        best = static_cast<std::size_t>(after - times.begin());
        distance = *after - at;
    }
    if (after != times.begin() && at - *(after - 1) < distance) {
        best = static_cast<std::size_t>(after - times.begin()) - 1;
        distance = at - times[best];
    }
    return best < times.size() && distance <= tolerance ? states[best] : kGap;
}

AlignedState Linear(const std::vector<double>& times, const std::vector<AlignedState>& states,
                    double at, double tolerance, SatFormulation formulation) {
    const auto after = std::lower_bound(times.begin(), times.end(), at);
    if (after == times.end()) {
        return kGap;
    }
    const std::size_t j = static_cast<std::size_t>(after - times.begin());
    if (*after == at) {
        return states[j];
    }
    if (j == 0 || times[j] - times[j - 1] > tolerance) {
        return kGap;
    }
    const AlignedState& a = states[j - 1];
    const AlignedState& b = states[j];
    if (!a.Present() || !b.Present()) {
        return kGap;
    }
    const double x = (at - times[j - 1]) / (times[j] - times[j - 1]);
    const auto line = [x](double p, double q) { return p + x * (q - p); };
    return StateOf(line(a.dryBulb, b.dryBulb), line(a.humidityRatio, b.humidityRatio),
                   line(a.pressure, b.pressure), a.frozen || b.frozen, formulation);
}

} // namespace

std::vector<bool> FrozenReadings(const StreamSeries& series, int readings) {
    const std::size_t n = series.seconds.size();
    std::vector<bool> frozen(n, false);
    if (readings < 2) {
        return frozen;
    }
    for (const std::vector<double>* values : {&series.dryBulb, &series.humidity}) {
        std::size_t start = 0;
        for (std::size_t i = 1; i <= n; ++i) {
            const bool same =
                i < n && std::isfinite((*values)[i]) && (*values)[i] == (*values)[start];
            if (same) {
                continue;
            }
            if (i - start >= static_cast<std::size_t>(readings) &&
                std::isfinite((*values)[start])) {
                std::fill(frozen.begin() + static_cast<std::ptrdiff_t>(start),
                          frozen.begin() + static_cast<std::ptrdiff_t>(i), true);
            }
            start = i;
        }
    }
    return frozen;
}

std::vector<double> StepHours(const std::vector<double>& seconds) {
    if (seconds.size() < 2) {
        return std::vector<double>(seconds.size(), 1.0);
    }
    std::vector<double> gaps(seconds.size() - 1);
    for (std::size_t i = 1; i < seconds.size(); ++i) {
        gaps[i - 1] = seconds[i] - seconds[i - 1];
    }
    std::vector<double> sorted = gaps;
    std::nth_element(sorted.begin(),
                     sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2), sorted.end());
    const double usual = sorted[sorted.size() / 2];
    std::vector<double> hours(seconds.size());
    hours[0] = usual / 3600;
    for (std::size_t i = 1; i < seconds.size(); ++i) {
        hours[i] = std::min(gaps[i - 1], usual) / 3600;
    }
    return hours;
}

AlignedStreams Align(const StreamSet& streams, const AlignmentSettings& settings) {
    AlignedStreams aligned;
    std::size_t reference = kStreamCount;
    for (std::size_t s = 0; s < kStreamCount; ++s) {
        aligned.logged[s] = streams[s].has_value();
        if (streams[s] && (reference == kStreamCount ||
                           streams[s]->seconds.size() > streams[reference]->seconds.size())) {
            reference = s;
        }
    }
    if (reference == kStreamCount) {
        return aligned;
    }
    aligned.seconds = streams[reference]->seconds;
    aligned.hours = StepHours(aligned.seconds);
    for (std::size_t s = 0; s < kStreamCount; ++s) {
        if (!streams[s]) {
            continue;
        }
        std::vector<AlignedState> states = ReadingStates(*streams[s], settings);
        if (s == reference) {
            aligned.states[s] = std::move(states);
            continue;
        }
        std::vector<AlignedState>& out = aligned.states[s];
        out.reserve(aligned.seconds.size());
        for (const double at : aligned.seconds) {
            out.push_back(settings.how == Alignment::Nearest
                              ? Nearest(streams[s]->seconds, states, at, settings.toleranceSeconds)
                              : Linear(streams[s]->seconds, states, at, settings.toleranceSeconds,
                                       settings.formulation));
        }
    }
    return aligned;
}

} // namespace hygrovane::streams
