#pragma once

// Design conditions from a file's own hours, by the percentile method below. A typical year's
// percentiles differ from the handbook's long-term values (the file header's DESIGN CONDITIONS)
// by up to about 1 K; show both, each labelled.
//
// Percentile method. The value exceeded by a fraction p of the N hours: sort the values from
// the highest, x(1) >= x(2) >= ... >= x(N), take the rank k = p N, clamped to 1..N, and
// interpolate linearly between the neighbouring ranks:
//     value(p) = x(floor k) + (k - floor k) (x(floor k + 1) - x(floor k)).
// With distinct values, floor(p N) of them lie at or above value(p) (for p N of at least 1). The
// cooling values use p = 0.004, 0.01 and 0.02; the heating dry bulbs p = 0.996 and 0.99 (exceeded
// by 99.6 % and 99 % of the hours). For the values 1, 2, ..., 8760: value(p) = 8761 - 8760 p.
// Records shorter than an hour are ranked by their running total of hours: the rank k = p N
// falls between the two records whose running totals enclose it (design_conditions.cpp), so that
// N is the file's hours, not its records, and a record counts for the time it stands for.
//
// Mean coincident value: the time-weighted mean of the other quantity over the hours whose value
// lies within 0.5 K (both ends included) of the design value; when no hour does, over the hours
// at the ranks floor k and floor k + 1. A typical year's whole-degF temperatures (TMY3 sources)
// put many hours on the window's edges, so this mean moves with the window's width.

#include "climate/hourly_states.h"
#include "hygrovane/expected.h"

#include <array>
#include <vector>

namespace hygrovane::climate {

inline constexpr std::array<double, 3> kCoolingFractions = {0.004, 0.01, 0.02};
inline constexpr std::array<double, 2> kHeatingFractions = {0.996, 0.99};

// The value exceeded by `fraction` of `values` (any order; copied), by the method above.
// NaN when there is none.
double ValueExceeded(std::vector<double> values, double fraction);

struct DryBulbDesign {
    double dryBulb = 0;               // K
    double meanCoincidentWetBulb = 0; // K
};
struct WetBulbDesign {
    double wetBulb = 0;               // K
    double meanCoincidentDryBulb = 0; // K
};
struct DewPointDesign {
    double dewPoint = 0;              // K
    double humidityRatio = 0;         // kg/kg, saturated at the dew point and `pressure`
    double meanCoincidentDryBulb = 0; // K
};

// All in the core's internal units; index k of each array is kCoolingFractions[k] or
// kHeatingFractions[k].
struct ComputedDesignConditions {
    std::size_t hours = 0; // records with a state
    double time = 0;       // the hours they stand for, the N of the method
    double pressure = 0;   // Pa, the time-weighted mean pressure of those hours
    std::array<DryBulbDesign, 3> cooling;
    std::array<WetBulbDesign, 3> wetBulb;
    std::array<DewPointDesign, 3> dewPoint;
    std::array<double, 3> enthalpy{}; // kJ/kg
    std::array<double, 2> heating{};  // K
};

enum class DesignFailureKind {
    NoHours, // no hour has a state
    Refused, // the core refused the dew point's saturated state
};

// Why a file has no design conditions; the caller words it.
struct DesignFailure {
    DesignFailureKind kind = DesignFailureKind::NoHours;
};

// From every hour of `states` that has one (the whole file, not a filter's selection).
Expected<ComputedDesignConditions, DesignFailure> DesignConditionsOf(const HourlyStates& states);

} // namespace hygrovane::climate
