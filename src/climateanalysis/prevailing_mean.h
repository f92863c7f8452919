#pragma once

// The prevailing mean outdoor temperature of each record's day, for the adaptive comfort models.
//
// How it is computed: the records are grouped into days (a run of records of one data period with
// the same month and day); a day's mean is the mean of its dry bulbs, none when one of them is
// missing. Each day's value is the exponentially weighted running mean of the daily means before
// it, theta_rm(d) = 0.2 theta_ed(d - 1) + 0.8 theta_rm(d - 1) (EN 16798-1:2019 Annex B, alpha 0.8,
// a form ASHRAE 55-2020 5.4.2.1 allows for its prevailing mean), a day without a mean carrying the
// running mean on. A file of one data period covering a whole year is a typical year: its last
// days are taken as the history of January (the year run through once first).

#include "climate/weather_data.h"

#include <vector>

namespace hygrovane::climateanalysis {

inline constexpr double kRunningMeanAlpha = 0.8;

struct PrevailingMeans {
    std::vector<double> byRecord; // degC per record of WeatherData::hours; NaN where none
    bool wrapped = false;         // the year's last days used as January's history
    std::size_t days = 0;
};

PrevailingMeans PrevailingMeansOf(const climate::WeatherData& data);

} // namespace hygrovane::climateanalysis
