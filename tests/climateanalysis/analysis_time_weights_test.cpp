// The same weather at several records an hour gives the figures of the hourly file: each record
// counts for the time it stands for, and the strategies look back 24 hours of time, not 24
// records.
#include "analysis_support.h"
#include "climateanalysis/result_writers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hygrovane::climateanalysis {
namespace {

using testing::Chicago;

// Chicago's year with each hour's record repeated `perHour` times, as an EPW of that many records
// an hour carries a steady hour; `interpolate` draws the dry bulb on a line to the next hour's
// instead, as a finer logger would see it.
std::shared_ptr<const climate::WeatherData> Finer(const climate::WeatherData& hourly, int perHour,
                                                  bool interpolate = false) {
    auto finer = std::make_shared<climate::WeatherData>();
    finer->format = hourly.format;
    finer->header = hourly.header;
    finer->header.recordsPerHour = perHour;
    const auto n = static_cast<std::size_t>(perHour);
    for (climate::DataPeriod& p : finer->header.dataPeriods) {
        p.firstRow *= n;
        p.rowCount *= n;
    }
    finer->hours.reserve(hourly.hours.size() * n);
    const auto dryBulb = static_cast<std::size_t>(climate::Field::DryBulb);
    for (std::size_t i = 0; i < hourly.hours.size(); ++i) {
        for (std::size_t slot = 0; slot < n; ++slot) {
            climate::HourRecord r = hourly.hours[i];
            r.minute = static_cast<std::uint8_t>((slot + 1) * 60 / n % 60);
            if (interpolate && i + 1 < hourly.hours.size()) {
                const double next = hourly.hours[i + 1].values[dryBulb];
                const double share = static_cast<double>(slot) / static_cast<double>(n);
                r.values[dryBulb] += share * (next - r.values[dryBulb]);
            }
            finer->hours.push_back(r);
        }
    }
    return finer;
}

// Chicago's year at 60 records an hour, made once for the tests below.
std::shared_ptr<const climate::WeatherData> ChicagoByTheMinute() {
    static const auto minutes = Chicago() ? Finer(*Chicago(), 60) : nullptr;
    return minutes;
}

struct SettingsRow {
    const char* name;
    ClimateSettings settings;
    climate::Filter otherFilter; // summarised again from the same prepared file
};

std::vector<SettingsRow> SettingsRows() {
    ClimateSettings pmv;
    pmv.comfort.model = ComfortModel::Pmv;
    pmv.comfort.clothing = 0.7;
    pmv.strategies = AllStrategies(); // thermal mass, night ventilation and solar look back
    climate::Filter summer;
    summer.firstMonth = 6;
    summer.lastMonth = 8;
    summer.fromHour = 8;
    summer.toHour = 18;
    ClimateSettings adaptive;
    adaptive.comfort.model = ComfortModel::AdaptiveEn; // daily means over each day's records
    adaptive.strategies = {comfort::Strategy::ThermalMass};
    climate::Filter occupied;
    occupied.occupiedOnly = true;
    return {{"PMV with every strategy, then summer office hours", pmv, summer},
            {"adaptive EN with thermal mass, then occupied hours", adaptive, occupied}};
}

void ExpectSameCounts(const climate::ZoneHours& finer, const climate::ZoneHours& hourly,
                      const std::string& period) {
    SCOPED_TRACE(period);
    constexpr double kHours = 1e-6; // sums of short records land a rounding away
    EXPECT_NEAR(finer.hours, hourly.hours, kHours);
    EXPECT_NEAR(finer.missing, hourly.missing, kHours);
    EXPECT_NEAR(finer.inUnion, hourly.inUnion, kHours);
    EXPECT_NEAR(finer.tooWarm, hourly.tooWarm, kHours);
    EXPECT_NEAR(finer.tooCool, hourly.tooCool, kHours);
    EXPECT_NEAR(finer.tooHumid, hourly.tooHumid, kHours);
    ASSERT_EQ(finer.inZone.size(), hourly.inZone.size());
    for (std::size_t z = 0; z < hourly.inZone.size(); ++z) {
        SCOPED_TRACE("zone " + std::to_string(z));
        EXPECT_NEAR(finer.inZone[z], hourly.inZone[z], kHours);
        EXPECT_NEAR(finer.onlyZone[z], hourly.onlyZone[z], kHours);
        EXPECT_NEAR(finer.Percent(finer.inZone[z]), hourly.Percent(hourly.inZone[z]), 1e-9);
    }
}

void ExpectSameFigures(const ClimateResult& finer, const ClimateResult& hourly,
                       std::size_t perHour) {
    EXPECT_EQ(finer.zones.total.hours, hourly.zones.total.hours * perHour); // records
    EXPECT_NEAR(finer.zones.splitDryBulb, hourly.zones.splitDryBulb, 1e-9);
    ExpectSameCounts(finer.zones.total.time, hourly.zones.total.time, "year");
    for (std::size_t m = 0; m < 12; ++m) {
        ExpectSameCounts(finer.zones.months[m].time, hourly.zones.months[m].time,
                         "month " + std::to_string(m + 1));
    }
    EXPECT_NEAR(finer.bins.binnedTime, hourly.bins.binnedTime, 1e-6);
    EXPECT_NEAR(finer.bins.mostTime, hourly.bins.mostTime, 1e-6);
}

TEST(TimeWeights, RecordsAnHourGiveTheHourlyFigures) {
    const auto hourly = Chicago();
    ASSERT_TRUE(hourly);
    for (const SettingsRow& row : SettingsRows()) {
        const auto base = Prepare(hourly, row.settings);
        ASSERT_TRUE(base.has_value()) << row.name;
        for (const int perHour : {10, 60}) {
            SCOPED_TRACE(std::string(row.name) + ", " + std::to_string(perHour) + " an hour");
            const auto finer = Prepare(
                perHour == 60 ? ChicagoByTheMinute() : Finer(*hourly, perHour), row.settings);
            ASSERT_TRUE(finer.has_value());
            const auto n = static_cast<std::size_t>(perHour);
            ExpectSameFigures(Summarise(*finer, row.settings.filter),
                              Summarise(*base, row.settings.filter), n);
            SCOPED_TRACE("the other filter");
            ExpectSameFigures(Summarise(*finer, row.otherFilter), Summarise(*base, row.otherFilter),
                              n);
        }
    }
}

TEST(TimeWeights, LookBacksSpanADayOfTimeWhateverTheRecords) {
    // Interpolated records differ from the hours a little: the look-back strategies stay within a
    // percent of the hourly figures, where 24 records (4 hours here; 24 minutes at 60 an hour,
    // which moved thermal mass from 2.6 % to 0.2 % and passive solar from 35 % to 15 %) did not.
    const auto hourly = Chicago();
    ASSERT_TRUE(hourly);
    ClimateSettings settings;
    settings.comfort.model = ComfortModel::None;
    settings.strategies = {comfort::Strategy::ThermalMass,
                           comfort::Strategy::ThermalMassNightVentilation,
                           comfort::Strategy::PassiveSolarHeating};
    const auto base = Analyse(hourly, settings);
    const auto finer = Analyse(Finer(*hourly, 10, true), settings);
    ASSERT_TRUE(base.has_value() && finer.has_value());
    for (std::size_t z = 0; z < 3; ++z) {
        SCOPED_TRACE(base->zones.names[z]);
        const climate::ZoneHours& a = finer->zones.total.time;
        const climate::ZoneHours& b = base->zones.total.time;
        EXPECT_GT(b.Percent(b.inZone[z]), 1.0);
        EXPECT_NEAR(a.Percent(a.inZone[z]), b.Percent(b.inZone[z]), 1.0);
    }
}

TEST(TimeWeights, DesignConditionsCountHoursNotRecords) {
    const auto hourly = Chicago();
    ASSERT_TRUE(hourly);
    const auto base = Analyse(hourly, {});
    const auto finer = Analyse(ChicagoByTheMinute(), {});
    ASSERT_TRUE(base.has_value() && finer.has_value() && base->design && finer->design);
    EXPECT_NEAR(finer->design->time, 8760, 1e-6);
    EXPECT_EQ(finer->design->hours, 525600u); // records
    EXPECT_NEAR(finer->design->pressure, base->design->pressure, 1e-6);
    // Ranked by hours, a repeated hour falls between the hourly method's neighbouring ranks.
    for (std::size_t k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_NEAR(finer->design->cooling[k].dryBulb, base->design->cooling[k].dryBulb, 0.3);
        EXPECT_NEAR(finer->design->dewPoint[k].dewPoint, base->design->dewPoint[k].dewPoint, 0.3);
    }
    EXPECT_NEAR(finer->design->heating[0], base->design->heating[0], 0.3);
}

struct HoursTextRow {
    const char* name;
    double hours;
    int decimals;
    const char* text;
};

TEST(TimeWeights, HoursAreWrittenWholeWhenWhole) {
    const HoursTextRow rows[] = {
        {"an hourly count", 618, 1, "618"},
        {"a minute file's sum a rounding off", 617.9999999999, 1, "618"},
        {"half-hour readings", 19.5, 4, "19.5"},
        {"ten-minute readings", 1.0 / 6, 4, "0.1667"},
        {"nothing", 0, 1, "0"},
    };
    for (const HoursTextRow& row : rows) {
        EXPECT_EQ(HoursText(row.hours, row.decimals), row.text) << row.name;
    }
}

TEST(TimeWeights, TextShowsHoursBesideRecordsWhenTheyDiffer) {
    const auto hourly = Chicago();
    ASSERT_TRUE(hourly);
    ClimateSettings settings;
    settings.comfort.clothing = 0.7;
    const auto finer = Analyse(ChicagoByTheMinute(), settings);
    ASSERT_TRUE(finer.has_value());
    const std::string text = ResultText(*finer);
    EXPECT_NE(text.find("; 525600 records (8760 hours)"), std::string::npos) << text;
    // The PMV zone's 803 hours of the shared data, not 48180 records.
    EXPECT_NE(text.find(" 803 "), std::string::npos) << text;
    EXPECT_EQ(text.find("48180"), std::string::npos) << text;
}

} // namespace
} // namespace hygrovane::climateanalysis
