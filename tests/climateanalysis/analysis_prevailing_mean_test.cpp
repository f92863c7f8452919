// The prevailing mean outdoor temperature of each record's day: days grouped from the records,
// a day with a missing dry bulb carrying the running mean on, half-hourly records alike.
#include "climateanalysis/prevailing_mean.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hygrovane::climateanalysis {
namespace {

// `days` days of `perHour` records an hour in January, each day at a constant dry bulb.
climate::WeatherData Days(const std::vector<double>& dryBulbs, int perHour) {
    climate::WeatherData data;
    for (std::size_t d = 0; d < dryBulbs.size(); ++d) {
        for (int k = 0; k < 24 * perHour; ++k) {
            climate::HourRecord r;
            r.month = 1;
            r.day = static_cast<std::uint8_t>(d + 1);
            r.hour = static_cast<std::uint8_t>(k / perHour + 1);
            r.values.fill(NAN);
            r.values[static_cast<std::size_t>(climate::Field::DryBulb)] = dryBulbs[d];
            data.hours.push_back(r);
        }
    }
    climate::DataPeriod period;
    period.endMonth = 1;
    period.endDay = static_cast<int>(dryBulbs.size());
    period.rowCount = data.hours.size();
    data.header.dataPeriods.push_back(period);
    return data;
}

TEST(PrevailingMean, EachRecordGetsItsDaysRunningMean) {
    for (const int perHour : {1, 2}) {
        SCOPED_TRACE(std::to_string(perHour) + " records an hour");
        climate::WeatherData data = Days({10, 20, 30, 40}, perHour);
        // One missing reading on day 3: that day has no mean, and day 4 carries day 3's value on.
        data.hours[static_cast<std::size_t>(2 * 24 * perHour + 5)]
            .values[static_cast<std::size_t>(climate::Field::DryBulb)] = NAN;
        const PrevailingMeans means = PrevailingMeansOf(data);
        EXPECT_EQ(means.days, 4u);
        EXPECT_FALSE(means.wrapped); // four days are not a typical year
        const std::size_t day = static_cast<std::size_t>(24 * perHour);
        ASSERT_EQ(means.byRecord.size(), 4 * day);
        EXPECT_TRUE(std::isnan(means.byRecord[0])); // no day before the first
        const double day2 = 10;                     // the first day's mean
        const double day3 = 0.2 * 20 + 0.8 * day2;  // EN 16798-1: 0.2 yesterday + 0.8 before
        for (std::size_t k = 0; k < day; ++k) {
            EXPECT_DOUBLE_EQ(means.byRecord[day + k], day2);
            EXPECT_DOUBLE_EQ(means.byRecord[2 * day + k], day3);
            EXPECT_DOUBLE_EQ(means.byRecord[3 * day + k], day3);
        }
    }
}

} // namespace
} // namespace hygrovane::climateanalysis
