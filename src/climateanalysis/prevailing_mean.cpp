#include "climateanalysis/prevailing_mean.h"

#include "comfort/running_mean.h"

#include <cmath>
#include <limits>

namespace hygrovane::climateanalysis {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// One data period from 1 January to 31 December (365 or 366 days): a typical year.
bool IsWholeYear(const climate::WeatherData& data, std::size_t days) {
    const auto& periods = data.header.dataPeriods;
    return periods.size() == 1 && periods[0].startMonth == 1 && periods[0].startDay == 1 &&
           periods[0].endMonth == 12 && periods[0].endDay == 31 && days >= 365;
}

} // namespace

PrevailingMeans PrevailingMeansOf(const climate::WeatherData& data) {
    PrevailingMeans result;
    const auto& hours = data.hours;
    std::vector<std::size_t> dayOf(hours.size());
    std::vector<double> dailyMeans;
    // Each day's mean weighs its records by the hours they stand for (a logger's readings need
    // not be even).
    double sum = 0;
    double count = 0;
    bool complete = true;
    for (std::size_t i = 0; i < hours.size(); ++i) {
        const bool newDay = i == 0 || hours[i].day != hours[i - 1].day ||
                            hours[i].month != hours[i - 1].month ||
                            hours[i].dataPeriod != hours[i - 1].dataPeriod;
        if (newDay && i != 0) {
            dailyMeans.push_back(complete && count > 0 ? sum / count : kNaN);
            sum = 0;
            count = 0;
            complete = true;
        }
        dayOf[i] = dailyMeans.size();
        const auto t = hours[i].Value(climate::Field::DryBulb);
        if (t) {
            const double h = climate::RecordHours(data, i);
            sum += *t * h;
            count += h;
        } else {
            complete = false;
        }
    }
    if (!hours.empty()) {
        dailyMeans.push_back(complete && count > 0 ? sum / count : kNaN);
    }
    result.days = dailyMeans.size();
    result.wrapped = IsWholeYear(data, dailyMeans.size());
    const auto running =
        comfort::ExponentialRunningMean(dailyMeans, kRunningMeanAlpha, result.wrapped);
    result.byRecord.assign(hours.size(), kNaN);
    if (!running) {
        return result;
    }
    for (std::size_t i = 0; i < hours.size(); ++i) {
        result.byRecord[i] = (*running)[dayOf[i]];
    }
    return result;
}

} // namespace hygrovane::climateanalysis
