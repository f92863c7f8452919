#pragma once

// How long a series of readings stays inside an envelope: the time inside, outside and missing,
// the excursions (runs of time known to lie outside) and how far out they went, by month and by
// hour of the day. Every
// figure is weighted by the time each reading stands for, never by the count of readings.

#include "envelopes/envelope.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace hygrovane::envelopes {

// One reading and the time it stands for, [start, end) in seconds from any fixed origin. Readings
// may come in any order; where one ends at the next one's start (within a second) they are one
// stretch of time, otherwise the time between them was not logged and counts nowhere.
struct Sample {
    std::int64_t start = 0;
    std::int64_t end = 0;
    int month = 0;          // 1-12, for the monthly figures; 0 for none
    std::optional<Air> air; // none: the reading is missing
    int hourOfDay = -1;     // 0-23, the clock hour the reading lies in; -1 for none
};

// A run of consecutive readings outside the envelope. A missing reading, a reading inside or a
// gap in time ends it: an excursion is time known to lie outside.
struct Excursion {
    std::int64_t start = 0;
    std::int64_t end = 0;
    double hours = 0;
    double degreeHours = 0;  // K h: each reading's Judgement::beyond times its hours
    double gramHours = 0;    // g/kg h: Judgement::gramsBeyond times hours
    double percentHours = 0; // %RH h: Judgement::percentBeyond times hours
};

struct PeriodCompliance {
    double hours = 0; // inside + outside + missing
    double hoursInside = 0;

    double PercentInside() const { return hours <= 0 ? 0.0 : 100.0 * hoursInside / hours; }
};

struct Compliance {
    double hours = 0; // hoursInside + hoursOutside + hoursMissing
    double hoursInside = 0;
    double hoursOutside = 0;
    // Readings missing or not air the core accepts: never inside, and the percentages count them.
    double hoursMissing = 0;
    std::size_t excursionCount = 0;
    double longestHours = 0;
    double excursionHours = 0; // the excursions' total, equal to hoursOutside
    double degreeHours = 0;    // K h
    double gramHours = 0;      // g/kg h
    double percentHours = 0;   // %RH h
    // The excursion with the most degree-hours (then the longest, then the first).
    std::optional<Excursion> worst;
    std::array<PeriodCompliance, 12> months{};     // January first
    std::array<PeriodCompliance, 24> hoursOfDay{}; // 00:00-01:00 first

    double PercentInside() const { return hours <= 0 ? 0.0 : 100.0 * hoursInside / hours; }
};

Compliance Assess(const Judge& judge, std::span<const Sample> samples);

} // namespace hygrovane::envelopes
