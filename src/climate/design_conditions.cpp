#include "climate/design_conditions.h"

#include "hygrovane/moist_air.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace hygrovane::climate {

namespace {

constexpr double kCoincidentBand = 0.5; // K either side of the design value

// The rank k = p N clamped to 1..N, as a 0-based position and the fraction beyond it.
struct Rank {
    std::size_t lower = 0; // 0-based index of x(floor k)
    double fraction = 0;
};
Rank RankOf(std::size_t n, double p) {
    const double k = std::clamp(p * static_cast<double>(n), 1.0, static_cast<double>(n));
    const double whole = std::floor(k);
    return Rank{static_cast<std::size_t>(whole) - 1, k - whole};
}

// One quantity's design value and the mean of a coincident one.
struct Pair {
    double value;
    double coincident;
};

// `hours` sorted from the highest value.
Pair DesignPair(const std::vector<std::pair<double, double>>& hours, double p) {
    const Rank r = RankOf(hours.size(), p);
    const double low = hours[r.lower].first;
    const double high = r.lower + 1 < hours.size() ? hours[r.lower + 1].first : low;
    const double value = low + r.fraction * (high - low);
    double sum = 0;
    std::size_t count = 0;
    for (const auto& [v, other] : hours)
        if (std::abs(v - value) <= kCoincidentBand) {
            sum += other;
            ++count;
        }
    if (count == 0) { // values far apart: the neighbouring ranks
        sum = hours[r.lower].second;
        count = 1;
        if (r.lower + 1 < hours.size()) {
            sum += hours[r.lower + 1].second;
            ++count;
        }
    }
    return Pair{value, sum / static_cast<double>(count)};
}

// `values` sorted from the highest.
double ValueOfSorted(const std::vector<double>& values, double fraction) {
    const Rank r = RankOf(values.size(), fraction);
    const double low = values[r.lower];
    const double high = r.lower + 1 < values.size() ? values[r.lower + 1] : low;
    return low + r.fraction * (high - low);
}

} // namespace

double ValueExceeded(std::vector<double> values, double fraction) {
    if (values.empty())
        return std::numeric_limits<double>::quiet_NaN();
    std::sort(values.begin(), values.end(), std::greater<>());
    return ValueOfSorted(values, fraction);
}

Expected<ComputedDesignConditions, DesignFailure> DesignConditionsOf(const HourlyStates& states) {
    std::vector<std::pair<double, double>> dryWet, wetDry, dewDry;
    std::vector<double> enthalpy;
    double pressureSum = 0;
    for (const HourState& s : states.hours) {
        if (!s.ok())
            continue;
        dryWet.emplace_back(s.dryBulb, s.wetBulb);
        wetDry.emplace_back(s.wetBulb, s.dryBulb);
        if (!std::isnan(s.dewPoint))
            dewDry.emplace_back(s.dewPoint, s.dryBulb);
        enthalpy.push_back(s.enthalpy);
        pressureSum += s.pressure;
    }
    if (dryWet.empty() || dewDry.empty())
        return DesignFailure::NoHours;
    // Each quantity sorted once, from the highest, for all its fractions.
    for (auto* hours : {&dryWet, &wetDry, &dewDry})
        std::sort(hours->begin(), hours->end(), std::greater<>());
    std::sort(enthalpy.begin(), enthalpy.end(), std::greater<>());
    ComputedDesignConditions d;
    d.hours = dryWet.size();
    d.pressure = pressureSum / static_cast<double>(d.hours);
    for (std::size_t k = 0; k < kCoolingFractions.size(); ++k) {
        const double p = kCoolingFractions[k];
        const Pair cooling = DesignPair(dryWet, p);
        d.cooling[k] = {cooling.value, cooling.coincident};
        const Pair wet = DesignPair(wetDry, p);
        d.wetBulb[k] = {wet.value, wet.coincident};
        const Pair dew = DesignPair(dewDry, p);
        // W at the dew point: saturated air there, at the hours' mean pressure.
        const auto saturated = Solve(Conditions{.dryBulb = dew.value,
                                                .pressure = d.pressure,
                                                .humidityInput = HumidityInput::RelativeHumidity,
                                                .humidity = 1.0,
                                                .formulation = states.options.formulation});
        if (!saturated)
            return DesignFailure::Refused;
        d.dewPoint[k] = {dew.value, saturated->humidityRatio, dew.coincident};
        d.enthalpy[k] = ValueOfSorted(enthalpy, p);
    }
    for (std::size_t k = 0; k < kHeatingFractions.size(); ++k)
        d.heating[k] = DesignPair(dryWet, kHeatingFractions[k]).value;
    return d;
}

} // namespace hygrovane::climate
