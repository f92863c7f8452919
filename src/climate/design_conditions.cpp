#include "climate/design_conditions.h"

#include "hygrovane/moist_air.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace hygrovane::climate {

namespace {

constexpr double kCoincidentBand = 0.5; // K either side of the design value

// One record: a quantity, the coincident one and the hours the record stands for.
struct Entry {
    double value;
    double other;
    double hours;
};

// From the highest value (ties by the coincident one, as the hourly method always sorted).
void SortFromHighest(std::vector<Entry>& entries) {
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.value != b.value ? a.value > b.value : a.other > b.other;
    });
}

// The rank k = p N in hours, clamped to the first record's hours .. N, as a 0-based position
// (the last record whose running total of hours is at most k) and the fraction of the next
// record's hours beyond it. With records of one hour each this is floor k and k - floor k, the
// method above; records of a minute each stand for the same hours as their hour would.
struct Rank {
    std::size_t lower = 0;
    double fraction = 0;
};
Rank RankOf(const std::vector<double>& running, double p) {
    const double total = running.back();
    const double k = std::clamp(p * total, running.front(), total);
    const auto above = std::upper_bound(running.begin(), running.end(), k);
    const std::size_t lower = static_cast<std::size_t>(above - running.begin()) - 1;
    if (lower + 1 >= running.size()) {
        return Rank{lower, 0};
    }
    return Rank{lower, (k - running[lower]) / (running[lower + 1] - running[lower])};
}

std::vector<double> RunningHours(const std::vector<Entry>& entries) {
    std::vector<double> running(entries.size());
    double sum = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        running[i] = sum += entries[i].hours;
    }
    return running;
}

double ValueAtRank(const std::vector<Entry>& entries, const Rank& r) {
    const double low = entries[r.lower].value;
    const double high = r.lower + 1 < entries.size() ? entries[r.lower + 1].value : low;
    return low + r.fraction * (high - low);
}

// One quantity's design value and the time-weighted mean of a coincident one.
struct Pair {
    double value;
    double coincident;
};

// `entries` sorted from the highest value, `running` their running hours.
Pair DesignPair(const std::vector<Entry>& entries, const std::vector<double>& running, double p) {
    const Rank r = RankOf(running, p);
    const double value = ValueAtRank(entries, r);
    double sum = 0;
    double hours = 0;
    for (const Entry& e : entries) {
        if (std::abs(e.value - value) <= kCoincidentBand) {
            sum += e.other * e.hours;
            hours += e.hours;
        }
    }
    if (hours <= 0) { // values far apart: the neighbouring ranks
        sum = entries[r.lower].other * entries[r.lower].hours;
        hours = entries[r.lower].hours;
        if (r.lower + 1 < entries.size()) {
            sum += entries[r.lower + 1].other * entries[r.lower + 1].hours;
            hours += entries[r.lower + 1].hours;
        }
    }
    return Pair{value, sum / hours};
}

struct Sorted {
    std::vector<Entry> entries;
    std::vector<double> running;
};
Sorted SortedOf(std::vector<Entry> entries) {
    SortFromHighest(entries);
    std::vector<double> running = RunningHours(entries);
    return {std::move(entries), std::move(running)};
}

} // namespace

double ValueExceeded(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    std::vector<Entry> entries;
    entries.reserve(values.size());
    for (const double v : values) {
        entries.push_back({v, 0, 1});
    }
    const Sorted sorted = SortedOf(std::move(entries));
    return ValueAtRank(sorted.entries, RankOf(sorted.running, fraction));
}

Expected<ComputedDesignConditions, DesignFailure> DesignConditionsOf(const HourlyStates& states) {
    std::vector<Entry> dryWet, wetDry, dewDry, enthalpy;
    double pressureSum = 0;
    double hours = 0;
    for (const HourState& s : states.hours) {
        if (!s.ok() || !(s.hours > 0)) {
            continue;
        }
        dryWet.push_back({s.dryBulb, s.wetBulb, s.hours});
        wetDry.push_back({s.wetBulb, s.dryBulb, s.hours});
        if (!std::isnan(s.dewPoint)) {
            dewDry.push_back({s.dewPoint, s.dryBulb, s.hours});
        }
        enthalpy.push_back({s.enthalpy, 0, s.hours});
        pressureSum += s.pressure * s.hours;
        hours += s.hours;
    }
    if (dryWet.empty() || dewDry.empty()) {
        return Fail(DesignFailure{DesignFailureKind::NoHours});
    }
    // Each quantity sorted once, from the highest, for all its fractions.
    const Sorted dry = SortedOf(std::move(dryWet));
    const Sorted wet = SortedOf(std::move(wetDry));
    const Sorted dew = SortedOf(std::move(dewDry));
    const Sorted h = SortedOf(std::move(enthalpy));
    ComputedDesignConditions d;
    d.hours = dry.entries.size();
    d.time = hours;
    d.pressure = pressureSum / hours;
    for (std::size_t k = 0; k < kCoolingFractions.size(); ++k) {
        const double p = kCoolingFractions[k];
        const Pair cooling = DesignPair(dry.entries, dry.running, p);
        d.cooling[k] = {cooling.value, cooling.coincident};
        const Pair wetPair = DesignPair(wet.entries, wet.running, p);
        d.wetBulb[k] = {wetPair.value, wetPair.coincident};
        const Pair dewPair = DesignPair(dew.entries, dew.running, p);
        // W at the dew point: saturated air there, at the hours' mean pressure.
        const auto saturated = Solve(Conditions{.dryBulb = dewPair.value,
                                                .pressure = d.pressure,
                                                .humidityInput = HumidityInput::RelativeHumidity,
                                                .humidity = 1.0,
                                                .formulation = states.options.formulation});
        if (!saturated) {
            return Fail(DesignFailure{DesignFailureKind::Refused});
        }
        d.dewPoint[k] = {dewPair.value, saturated->humidityRatio, dewPair.coincident};
        d.enthalpy[k] = ValueAtRank(h.entries, RankOf(h.running, p));
    }
    for (std::size_t k = 0; k < kHeatingFractions.size(); ++k) {
        d.heating[k] = DesignPair(dry.entries, dry.running, kHeatingFractions[k]).value;
    }
    return d;
}

} // namespace hygrovane::climate
