#pragma once

// The outdoor temperature the adaptive models are driven by, from daily mean temperatures.

#include "comfort/comfort_error.h"

#include <span>
#include <vector>

namespace hygrovane::comfort {

// Daily means of hourly values (24 a day, in order; a last partial day is left out): a day with a
// missing hour (NaN) has a NaN mean, never a mean of fewer hours.
std::vector<double> DailyMeans(std::span<const double> hourly);

// ASHRAE 55-2020 5.4.2.1, the simple form: the prevailing mean outdoor temperature of day `day`
// is the arithmetic mean of the daily means of the `days` days before it (7 to 30 days allowed).
// Refused when fewer days precede it or one of them is missing.
ComfortResult<double> PrevailingMeanSimple(std::span<const double> dailyMeans, std::size_t day,
                                           int days = 7);

// The exponentially weighted running mean of the days before each day:
// theta_rm(d) = (1 - alpha) theta_ed(d - 1) + alpha theta_rm(d - 1) (EN 16798-1:2019 Annex B,
// alpha = 0.8; ASHRAE 55-2020 5.4.2.1 allows alpha 0.6 to 0.9). The sequence starts on day 1 from
// the first day's mean; a missing day carries the previous running mean on. The first day has no
// days before it: NaN. For a year of a typical weather file, pass `wrap` to start from the year's
// last days, so that January has a history. Refused for alpha outside 0.6-0.9.
ComfortResult<std::vector<double>> ExponentialRunningMean(std::span<const double> dailyMeans,
                                                          double alpha = 0.8, bool wrap = false);

// The value for each day by ASHRAE 55's simple mean, NaN where a day has too few days or a
// missing one before it; `wrap` takes the year's last days as the history of its first ones.
// Refused for a number of days outside 7-30 or more days than given.
ComfortResult<std::vector<double>> PrevailingMeansSimple(std::span<const double> dailyMeans,
                                                         int days = 7, bool wrap = false);

} // namespace hygrovane::comfort
