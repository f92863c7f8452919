#include "envelopes/compliance.h"

#include "envelopes/collections.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace hygrovane::envelopes {

namespace {

// Readings that meet within this many seconds are one stretch: times rounded to the second.
constexpr std::int64_t kJoinSeconds = 1;

// Whether excursion a is worse than b.
bool Worse(const Excursion& a, const Excursion& b) {
    if (a.degreeHours != b.degreeHours) {
        return a.degreeHours > b.degreeHours;
    }
    if (a.hours != b.hours) {
        return a.hours > b.hours;
    }
    return a.start < b.start;
}

} // namespace

Compliance Assess(const Judge& judge, std::span<const Sample> samples) {
    std::vector<std::size_t> order(samples.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto earlier = [&](std::size_t a, std::size_t b) {
        return samples[a].start < samples[b].start;
    };
    if (!std::is_sorted(order.begin(), order.end(),
                        earlier)) { // a file's records come in time order
        std::stable_sort(order.begin(), order.end(), earlier);
    }

    // A collection class judges each reading against the readings around it.
    std::vector<Judgement> collection;
    if (judge.envelope().collection) {
        collection = JudgeCollection(judge, samples);
    }

    Compliance result;
    std::optional<Excursion> open;
    std::optional<std::int64_t> lastEnd;
    const auto close = [&] {
        if (!open) {
            return;
        }
        ++result.excursionCount;
        result.longestHours = std::max(result.longestHours, open->hours);
        result.excursionHours += open->hours;
        if (!result.worst || Worse(*open, *result.worst)) {
            result.worst = open;
        }
        open.reset();
    };

    for (const std::size_t index : order) {
        const Sample& sample = samples[index];
        const double hours =
            static_cast<double>(std::max<std::int64_t>(sample.end - sample.start, 0)) / 3600;
        if (lastEnd && sample.start > *lastEnd + kJoinSeconds) {
            close(); // time nobody logged
        }
        lastEnd = lastEnd ? std::max(*lastEnd, sample.end) : sample.end;

        const Judgement judgement = !collection.empty() ? collection[index]
                                    : sample.air        ? judge.Assess(*sample.air)
                                                        : Judgement{};
        PeriodCompliance* month = sample.month >= 1 && sample.month <= 12
                                      ? &result.months[static_cast<std::size_t>(sample.month - 1)]
                                      : nullptr;
        PeriodCompliance* hour =
            sample.hourOfDay >= 0 && sample.hourOfDay <= 23
                ? &result.hoursOfDay[static_cast<std::size_t>(sample.hourOfDay)]
                : nullptr;
        result.hours += hours;
        for (PeriodCompliance* period : {month, hour}) {
            if (period) {
                period->hours += hours;
            }
        }
        switch (judgement.verdict) {
        case Verdict::Inside:
            close();
            result.hoursInside += hours;
            for (PeriodCompliance* period : {month, hour}) {
                if (period) {
                    period->hoursInside += hours;
                }
            }
            break;
        case Verdict::Invalid:
            close();
            result.hoursMissing += hours;
            break;
        case Verdict::Outside:
            result.hoursOutside += hours;
            result.degreeHours += judgement.beyond * hours;
            result.gramHours += judgement.gramsBeyond * hours;
            result.percentHours += judgement.percentBeyond * hours;
            if (!open) {
                open = Excursion{sample.start, sample.end, 0, 0};
            }
            open->end = std::max(open->end, sample.end);
            open->hours += hours;
            open->degreeHours += judgement.beyond * hours;
            open->gramHours += judgement.gramsBeyond * hours;
            open->percentHours += judgement.percentBeyond * hours;
            break;
        }
    }
    close();
    return result;
}

} // namespace hygrovane::envelopes
