// A year of Chicago weather through the analysis: each zone counted by the outline the chart draws
// holds the same hours as judging every hour by the model, and the published ISO 7730 counts of
// the shared data come out exactly.
#include "analysis_support.h"
#include "comfort/adaptive.h"
#include "comfort/pmv_zone.h"
#include "comfort/running_mean.h"
#include "comfort/strategies.h"

#include <gtest/gtest.h>

namespace hygrovane::climateanalysis {
namespace {

using testing::Chicago;

struct PmvRow {
    const char* name;
    ComfortSettings comfort;
    climate::PressureSource pressure;
    int published; // the shared data README's count, or -1
};

ComfortSettings Pmv(ComfortModel model, double met, double clo, double speed) {
    ComfortSettings c;
    c.model = model;
    c.metabolic = met;
    c.clothing = clo;
    c.airSpeed = speed;
    return c;
}

std::vector<PmvRow> PmvRows() {
    ComfortSettings byPpd = Pmv(ComfortModel::Pmv, 2.4, 1.0, 0.1);
    byPpd.ppd = 10;
    ComfortSettings offsetCut = Pmv(ComfortModel::Pmv, 1.2, 0.5, 0.1);
    offsetCut.radiantOffset = 2;
    offsetCut.maxHumidityRatio = 0.012;
    return {
        {"ISO 7730, 1.1 met, 0.7 clo, |PMV| <= 0.5", Pmv(ComfortModel::Pmv, 1.1, 0.7, 0.1),
         climate::PressureSource::Station, 803},
        {"ISO 7730, 2.4 met, 1.0 clo, PPD <= 10 %", byPpd, climate::PressureSource::Station, 1661},
        {"ISO 7730 at the elevation's pressure", Pmv(ComfortModel::Pmv, 1.1, 0.7, 0.1),
         climate::PressureSource::Elevation, 803},
        {"ISO 7730, radiant +2 K, cut at 12 g/kg", offsetCut, climate::PressureSource::Station, -1},
        {"ASHRAE 55 at 0.8 m/s (cooling effect by SET)", Pmv(ComfortModel::Ashrae55, 1.1, 0.5, 0.8),
         climate::PressureSource::Station, -1},
        {"ASHRAE 55 still air", Pmv(ComfortModel::Ashrae55, 1.0, 0.6, 0.1),
         climate::PressureSource::Station, -1},
    };
}

TEST(ZoneCounts, PmvZoneOutlineCountsTheHoursOfTheModel) {
    const auto data = Chicago();
    ASSERT_TRUE(data);
    for (const PmvRow& row : PmvRows()) {
        SCOPED_TRACE(row.name);
        ClimateSettings settings;
        settings.comfort = row.comfort;
        settings.states.pressure = row.pressure;
        const auto prepared = Prepare(data, settings);
        ASSERT_TRUE(prepared.has_value()) << Describe(prepared.error());
        const ClimateResult result = Summarise(*prepared, settings.filter);
        ASSERT_EQ(result.zones.names.size(), 1u);

        const comfort::PmvZoneParameters parameters =
            PmvParametersOf(settings.comfort, prepared->zones.air);
        std::size_t byModel = 0;
        for (const climate::HourState& hour : prepared->states.hours) {
            if (!hour.ok()) {
                continue;
            }
            const auto in = comfort::InPmvZone(parameters, PlaneStateOf(hour, prepared->zones.air));
            ASSERT_TRUE(in.has_value()) << comfort::Describe(in.error());
            byModel += *in;
        }
        EXPECT_EQ(result.zones.total.inZone[0], byModel);
        EXPECT_GT(byModel, 0u);
        if (row.published >= 0) {
            EXPECT_EQ(result.zones.total.inZone[0], static_cast<std::size_t>(row.published));
        }
    }
}

// The strategy, fixed, adaptive and user zones are counted by their rules; their outlines must
// still hold the same hours where the rule looks at the hour alone.
TEST(ZoneCounts, BandZoneOutlinesHoldTheHoursTheirRulesCount) {
    const auto data = Chicago();
    ASSERT_TRUE(data);
    ClimateSettings settings;
    settings.comfort.model = ComfortModel::Fixed;
    for (const comfort::Strategy s : AllStrategies()) {
        if (!comfort::NeedsHistory(s)) {
            settings.strategies.push_back(s);
        }
    }
    // Corners off the file's 0.1 K and 1 % steps: an hour lying on a user polygon's edge may
    // fall either way (the crossing rule), unlike the band zones' widened bounds.
    settings.userZones.push_back(
        {"Typed by relative humidity",
         comfort::UserZone::Corners::RelativeHumidity,
         {{291.2, 0.305}, {299.2, 0.305}, {299.2, 0.705}, {291.2, 0.705}}});
    const auto prepared = Prepare(data, settings);
    ASSERT_TRUE(prepared.has_value()) << Describe(prepared.error());
    const ClimateResult result = Summarise(*prepared, settings.filter);
    for (std::size_t z = 0; z < prepared->zones.zones.size(); ++z) {
        const AnalysisZone& zone = prepared->zones.zones[z];
        SCOPED_TRACE(zone.name);
        ASSERT_EQ(zone.outlines.size(), 1u);
        std::size_t byOutline = 0;
        for (const climate::HourState& hour : prepared->states.hours) {
            byOutline += hour.ok() && comfort::Contains(zone.outlines[0],
                                                        ChartPointOf(hour, prepared->zones.air));
        }
        // The outline is drawn at the year's mean pressure, each hour at its own: an hour may
        // cross a relative-humidity edge by the difference, a handful in a year.
        EXPECT_NEAR(static_cast<double>(byOutline),
                    static_cast<double>(result.zones.total.inZone[z]), 3.0);
    }
}

TEST(ZoneCounts, AdaptiveHoursAreJudgedAtTheirOwnDaysPrevailingMean) {
    const auto data = Chicago();
    ASSERT_TRUE(data);
    struct Row {
        const char* name;
        ComfortModel model;
        std::optional<double> given;
    };
    for (const Row& row :
         {Row{"ASHRAE 55 from the data", ComfortModel::AdaptiveAshrae, {}},
          Row{"EN 16798-1 from the data", ComfortModel::AdaptiveEn, {}},
          Row{"ASHRAE 55 at a given 20 degC", ComfortModel::AdaptiveAshrae, 20.0}}) {
        SCOPED_TRACE(row.name);
        ClimateSettings settings;
        settings.comfort.model = row.model;
        settings.comfort.prevailingMean = row.given;
        const auto prepared = Prepare(data, settings);
        ASSERT_TRUE(prepared.has_value()) << Describe(prepared.error());
        const ClimateResult result = Summarise(*prepared, settings.filter);
        const std::size_t counted = result.zones.total.inZone[0];
        EXPECT_GT(counted, 0u);
        EXPECT_FALSE(result.zoneNotes[0].empty());
        ASSERT_EQ(prepared->zones.zones[0].outlines.size(), 1u);
        std::size_t byOutline = 0;
        for (const climate::HourState& hour : prepared->states.hours) {
            byOutline += hour.ok() && comfort::Contains(prepared->zones.zones[0].outlines[0],
                                                        ChartPointOf(hour, prepared->zones.air));
        }
        if (row.given) {
            // One prevailing mean for every day: the outline is the rule.
            EXPECT_NEAR(static_cast<double>(byOutline), static_cast<double>(counted), 3.0);
        } else {
            // Chicago's winter days lie below the models' 10 degC: those hours are outside, so
            // the zone drawn for the mean of the other days holds hours the rule leaves out.
            EXPECT_NE(result.zoneNotes[0].find("count outside the zone"), std::string::npos);
            EXPECT_LT(counted, byOutline);
        }
    }
}

// The adaptive counts against the model computed apart: the daily means of the year, their running
// mean with the year's end as January's history, and ASHRAE 55's 80 % limits at each hour.
TEST(ZoneCounts, AdaptiveCountEqualsTheModelAtEachDaysRunningMean) {
    const auto data = Chicago();
    ASSERT_TRUE(data);
    std::vector<double> dryBulbs;
    for (const climate::HourRecord& r : data->hours) {
        dryBulbs.push_back(*r.Value(climate::Field::DryBulb));
    }
    const std::vector<double> daily = comfort::DailyMeans(dryBulbs);
    ASSERT_EQ(daily.size(), 365u);
    const auto running = comfort::ExponentialRunningMean(daily, 0.8, true);
    ASSERT_TRUE(running.has_value());
    std::size_t expected = 0;
    for (std::size_t i = 0; i < dryBulbs.size(); ++i) {
        const double mean = (*running)[i / 24];
        if (mean < 10 || mean > 33.5) {
            continue;
        }
        const auto a = comfort::AdaptiveAshrae55Of(dryBulbs[i], dryBulbs[i], 0.1, mean);
        ASSERT_TRUE(a.has_value());
        expected += a->acceptable80;
    }
    ClimateSettings settings;
    settings.comfort.model = ComfortModel::AdaptiveAshrae;
    const ClimateResult result = testing::Analysed(settings);
    ASSERT_EQ(result.zones.names.size(), 1u);
    EXPECT_EQ(result.zones.total.inZone[0], expected);
    EXPECT_GT(expected, 1000u);
}

} // namespace
} // namespace hygrovane::climateanalysis
