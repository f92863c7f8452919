// The run over a file's records: the time each record stands for, the filter's off records and
// the kept ones without a state, the first hour of a peak, and options side by side, on any number
// of threads.
#include "airunit_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>

namespace hygrovane::airunit {
namespace {

using testing::Chicago;
using testing::ExampleUnit;

UnitRun Through(const climate::WeatherData& data, const climate::Filter& filter,
                const UnitSettings& settings, unsigned threads = 0) {
    climate::StateOptions options;
    options.formulation = SatFormulation::HylandWexler;
    const auto states = climate::ComputeStates(data, options);
    RunOptions run;
    run.threads = threads;
    auto result = RunUnit(data, states, filter, settings, run);
    EXPECT_TRUE(result.has_value());
    return result ? std::move(*result) : UnitRun{};
}

bool SameBits(const UnitTotals& a, const UnitTotals& b) {
    for (const TotalField& field : kTotalFields) {
        if (std::memcmp(&(a.*field.member), &(b.*field.member), sizeof(double)) != 0) {
            return false;
        }
    }
    return true;
}

TEST(UnitRun, TheNumberOfThreadsChangesNoDigit) {
    const auto data = Chicago();
    ASSERT_TRUE(data);
    const UnitRun one = Through(*data, {}, ExampleUnit(), 1);
    const UnitRun two = Through(*data, {}, ExampleUnit(), 2);
    const UnitRun many = Through(*data, {}, ExampleUnit(), 7);
    EXPECT_TRUE(SameBits(one.year, two.year));
    EXPECT_TRUE(SameBits(one.year, many.year));
    for (std::size_t m = 0; m < 12; ++m) {
        EXPECT_TRUE(SameBits(one.months[m], many.months[m])) << "month " << m + 1;
    }
}

// Chicago's year with each record repeated `perHour` times, each standing for its share of the
// hour.
climate::WeatherData Finer(const climate::WeatherData& hourly, int perHour) {
    climate::WeatherData finer = hourly;
    finer.header.recordsPerHour = perHour;
    finer.hours.clear();
    const auto n = static_cast<std::size_t>(perHour);
    for (climate::DataPeriod& p : finer.header.dataPeriods) {
        p.firstRow *= n;
        p.rowCount *= n;
    }
    for (const climate::HourRecord& record : hourly.hours) {
        for (std::size_t slot = 0; slot < n; ++slot) {
            climate::HourRecord r = record;
            r.minute = static_cast<std::uint8_t>((slot + 1) * 60 / n % 60);
            finer.hours.push_back(r);
        }
    }
    return finer;
}

TEST(UnitRun, EachRecordCountsForTheTimeItStandsFor) {
    const auto data = Chicago();
    ASSERT_TRUE(data);
    const UnitRun hourly = Through(*data, {}, ExampleUnit());
    const UnitRun quarters = Through(Finer(*data, 4), {}, ExampleUnit());
    ASSERT_EQ(quarters.hours.size(), 4 * hourly.hours.size());
    for (const TotalField& field : kTotalFields) {
        const double a = hourly.year.*field.member, b = quarters.year.*field.member;
        EXPECT_NEAR(b, a, 1e-9 * std::max(1.0, std::abs(a))) << field.key;
    }
    for (const PeakField& field : kPeakFields) {
        const Peak& a = hourly.peaks.*field.peak;
        const Peak& b = quarters.peaks.*field.peak;
        EXPECT_EQ(b.value, a.value) << field.key;
        EXPECT_EQ(b.record, 4 * a.record) << field.key; // the first quarter of the hour
        EXPECT_EQ(b.hour, a.hour) << field.key;
    }
}

TEST(UnitRun, WithoutItsHoursARunGivesTheSameFiguresBlockByBlock) {
    const auto data = Chicago();
    ASSERT_TRUE(data);
    const climate::WeatherData quarters = Finer(*data, 4); // more records than one block
    const auto states = climate::ComputeStates(quarters, {});
    UnitSettings plate = ExampleUnit();
    plate.recovery = Recovery{0.7, 0};
    RunOptions lean;
    lean.keepHours = false;
    lean.threads = 2;
    const auto kept = RunUnits(quarters, states, {}, {ExampleUnit(), plate});
    const auto blocks = RunUnits(quarters, states, {}, {ExampleUnit(), plate}, lean);
    for (std::size_t u = 0; u < 2; ++u) {
        ASSERT_TRUE(kept[u] && blocks[u]);
        EXPECT_TRUE(blocks[u]->hours.empty());
        EXPECT_TRUE(SameBits(blocks[u]->year, kept[u]->year)) << "unit " << u;
        for (std::size_t m = 0; m < 12; ++m) {
            EXPECT_TRUE(SameBits(blocks[u]->months[m], kept[u]->months[m])) << "month " << m;
        }
        for (const PeakField& field : kPeakFields) {
            EXPECT_EQ((blocks[u]->peaks.*field.peak).value, (kept[u]->peaks.*field.peak).value);
            EXPECT_EQ((blocks[u]->peaks.*field.peak).record, (kept[u]->peaks.*field.peak).record);
        }
    }
}

TEST(UnitRun, RecordsOutsideTheFilterAreOffAndKeptOnesWithoutAStateMissing) {
    const auto data = Chicago();
    ASSERT_TRUE(data);
    climate::WeatherData gaps = *data;
    const auto dryBulb = static_cast<std::size_t>(climate::Field::DryBulb);
    const auto pressure = static_cast<std::size_t>(climate::Field::StationPressure);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    gaps.hours[10].values[dryBulb] = nan;        // January: outside the filter
    gaps.hours[24 * 160].values[dryBulb] = nan;  // June
    gaps.hours[24 * 200].values[pressure] = nan; // July
    climate::Filter summer;
    summer.firstMonth = 6;
    summer.lastMonth = 8;
    const UnitRun run = Through(gaps, summer, ExampleUnit());
    EXPECT_EQ(run.year.hoursOff, 8760 - 92 * 24);
    EXPECT_EQ(run.year.hoursMissing, 2);
    EXPECT_EQ(run.year.hoursOn, 92 * 24 - 2);
    EXPECT_EQ(run.months[0].hoursOff, 31 * 24);
    EXPECT_EQ(run.months[0].heatingKWh, 0);
    EXPECT_EQ(run.months[5].hoursMissing, 1);
    EXPECT_EQ(run.hours[10].status, HourStatus::Off);
    EXPECT_EQ(run.hours[24 * 160].status, HourStatus::Missing);
    EXPECT_TRUE(std::isnan(run.hours[24 * 160].coolingKW)); // a missing hour is never zero
    for (const PeakField& field : kPeakFields) {
        const Peak& peak = run.peaks.*field.peak;
        if (peak.found) {
            EXPECT_TRUE(peak.month >= 6 && peak.month <= 8) << field.key;
        }
    }
}

TEST(UnitRun, APeakIsTheFirstHourOfTheLargestLoad) {
    const auto data = Chicago();
    ASSERT_TRUE(data);
    UnitSettings outdoorAir = ExampleUnit(); // heats, cools, reheats and humidifies
    outdoorAir.minOutdoorFraction = 1;
    const UnitRun once = Through(*data, {}, outdoorAir);
    for (const PeakField& field : kPeakFields) {
        const Peak& peak = once.peaks.*field.peak;
        if (!peak.found) {
            continue;
        }
        // The peak hour's weather again an hour later: the same load, the earlier hour named.
        climate::WeatherData twice = *data;
        ASSERT_LT(peak.record + 1, twice.hours.size());
        twice.hours[peak.record + 1].values = twice.hours[peak.record].values;
        const UnitRun run = Through(twice, {}, outdoorAir);
        const Peak& again = run.peaks.*field.peak;
        EXPECT_EQ(run.hours[peak.record + 1].*field.load, again.value) << field.key;
        EXPECT_EQ(again.record, peak.record) << field.key;
        EXPECT_EQ(again.hour, data->hours[peak.record].hour) << field.key;
        EXPECT_EQ(again.day, data->hours[peak.record].day) << field.key;
    }
    for (const PeakField& field : kPeakFields) {
        EXPECT_TRUE((once.peaks.*field.peak).found) << field.key;
    }
}

TEST(UnitRun, OptionsSideBySideAreEachOneRunAndARefusalStopsOnlyItsOwn) {
    const auto data = Chicago();
    ASSERT_TRUE(data);
    UnitSettings plate = ExampleUnit();
    plate.recovery = Recovery{0.7, 0};
    UnitSettings refused = ExampleUnit();
    refused.minOutdoorFraction = 2;
    UnitSettings none = ExampleUnit();
    none.recovery.reset();
    const auto& states = testing::ChicagoStates();
    std::atomic<std::size_t> lastDone{0}, reportedTotal{0};
    RunOptions options;
    options.progress = [&](std::size_t done, std::size_t total) {
        std::size_t seen = lastDone.load();
        while (done > seen && !lastDone.compare_exchange_weak(seen, done)) {
        }
        reportedTotal = total;
    };
    const auto runs = RunUnits(*data, states, {}, {plate, refused, none}, options);
    ASSERT_EQ(runs.size(), 3u);
    ASSERT_TRUE(runs[0].has_value());
    ASSERT_FALSE(runs[1].has_value());
    EXPECT_EQ(runs[1].error().kind, UnitSetting::MinOutdoorFraction);
    ASSERT_TRUE(runs[2].has_value());
    EXPECT_TRUE(SameBits(runs[0]->year, testing::ChicagoRun(plate).year));
    EXPECT_TRUE(SameBits(runs[2]->year, testing::ChicagoRun(none).year));
    EXPECT_EQ(reportedTotal.load(), 3 * data->hours.size());
    EXPECT_EQ(lastDone.load(), 3 * data->hours.size());
}

} // namespace
} // namespace hygrovane::airunit
