// The figures of an analysis: per-zone, only-zone and union counts that add up to the filtered
// hours for the year and each month, figures that follow the filter, design conditions from the
// file's hours beside the header's, and zones refused with the zone's name.
#include "analysis_support.h"
#include "climate/filters.h"
#include "climateanalysis/result_writers.h"

#include <gtest/gtest.h>

#include <numeric>

namespace hygrovane::climateanalysis {
namespace {

using testing::Analysed;
using testing::Chicago;

ClimateSettings EveryZone() {
    ClimateSettings settings;
    settings.comfort.model = ComfortModel::Ashrae55;
    settings.comfort.airSpeed = 0.3;
    settings.strategies = AllStrategies();
    settings.userZones.push_back({"Typed corners",
                                  comfort::UserZone::Corners::HumidityRatio,
                                  {{291.15, 0.002}, {297.15, 0.002}, {297.15, 0.010}}});
    return settings;
}

void ExpectAddsUp(const climate::ZoneCounts& c, const std::string& where) {
    SCOPED_TRACE(where);
    EXPECT_EQ(std::accumulate(c.onlyZone.begin(), c.onlyZone.end(), std::size_t{0}), c.inUnion);
    EXPECT_EQ(c.inUnion + c.tooWarm + c.tooCool + c.tooHumid + c.missing, c.hours);
    double onlyPercent = 0;
    for (std::size_t z = 0; z < c.inZone.size(); ++z) {
        EXPECT_LE(c.onlyZone[z], c.inZone[z]) << "zone " << z;
        EXPECT_LE(c.inZone[z], c.inUnion) << "zone " << z;
        onlyPercent += c.Percent(c.onlyZone[z]);
    }
    EXPECT_NEAR(onlyPercent, c.Percent(c.inUnion), 1e-9);
    if (c.hours > 0) {
        EXPECT_NEAR(c.Percent(c.inUnion) + c.Percent(c.tooWarm) + c.Percent(c.tooCool) +
                        c.Percent(c.tooHumid) + c.Percent(c.missing),
                    100.0, 1e-9);
    }
}

TEST(Figures, PerZoneOnlyZoneAndUnionAddUpForTheYearAndEachMonth) {
    const ClimateResult r = Analysed(EveryZone());
    ASSERT_EQ(r.zones.names.size(), 1 + AllStrategies().size() + 1);
    EXPECT_EQ(r.recordsRead, 8760u);
    EXPECT_EQ(r.zones.total.hours, 8760u);
    ExpectAddsUp(r.zones.total, "year");
    climate::ZoneCounts sum;
    sum.inZone.assign(r.zones.names.size(), 0);
    for (int m = 0; m < 12; ++m) {
        const climate::ZoneCounts& c = r.zones.months[m];
        ExpectAddsUp(c, MonthAbbreviation(m + 1));
        sum.hours += c.hours;
        sum.inUnion += c.inUnion;
        for (std::size_t z = 0; z < c.inZone.size(); ++z) {
            sum.inZone[z] += c.inZone[z];
        }
    }
    EXPECT_EQ(sum.hours, r.zones.total.hours);
    EXPECT_EQ(sum.inUnion, r.zones.total.inUnion);
    EXPECT_EQ(sum.inZone, r.zones.total.inZone);
    // Overlapping zones (comfort inside the strategies' bands): the union is less than the sum.
    EXPECT_LT(r.zones.total.inUnion, std::accumulate(r.zones.total.inZone.begin(),
                                                     r.zones.total.inZone.end(), std::size_t{0}));
}

struct FilterRow {
    const char* name;
    climate::Filter filter;
    std::size_t hours; // of Chicago's non-leap year
};

climate::Filter Months(int first, int last) {
    climate::Filter f;
    f.firstMonth = first;
    f.lastMonth = last;
    return f;
}

climate::Filter Hours(int from, int to) {
    climate::Filter f;
    f.fromHour = from;
    f.toHour = to;
    return f;
}

TEST(Figures, FollowTheFilter) {
    const auto data = Chicago();
    ASSERT_TRUE(data);
    const ClimateSettings settings = EveryZone();
    const auto prepared = Prepare(data, settings);
    ASSERT_TRUE(prepared.has_value());
    const ClimateResult year = Summarise(*prepared, {});
    climate::Filter occupied;
    occupied.occupiedOnly = true;
    climate::Filter warm;
    warm.ranges.push_back({climate::Computed::DryBulb, 293.15, 400});
    const FilterRow rows[] = {
        {"June to August", Months(6, 8), 92 * 24},
        {"November to February, wrapping the year", Months(11, 2), (30 + 31 + 31 + 28) * 24},
        {"08:00-18:00", Hours(8, 18), 365 * 10},
        {"22:00-06:00, wrapping midnight", Hours(22, 6), 365 * 8},
        // The data period starts on a Sunday: 52 weeks and that Sunday, 260 weekdays.
        {"occupied: weekdays 08-18", occupied, 260 * 10},
        {"dry bulb 20 degC and above", warm, 0},
    };
    for (const FilterRow& row : rows) {
        SCOPED_TRACE(row.name);
        const ClimateResult r = Summarise(*prepared, row.filter);
        const std::vector<std::size_t> selection =
            climate::Select(*data, prepared->states, row.filter);
        EXPECT_EQ(r.zones.total.hours, selection.size());
        if (row.hours != 0) {
            EXPECT_EQ(r.zones.total.hours, row.hours);
        }
        ExpectAddsUp(r.zones.total, "filtered year");
        // Each zone's hours are the filtered hours the zone's test accepts.
        for (std::size_t z = 0; z < r.zones.names.size(); ++z) {
            std::size_t accepted = 0;
            for (const std::size_t i : selection) {
                accepted += prepared->states.hours[i].ok() &&
                            prepared->zones.zones[z].test.contains(prepared->states.hours[i], i);
            }
            EXPECT_EQ(r.zones.total.inZone[z], accepted) << r.zones.names[z];
        }
        EXPECT_EQ(r.bins.binned + r.bins.missing, r.zones.total.hours);
        EXPECT_EQ(r.settings.filter.firstMonth, row.filter.firstMonth);
        // Design conditions come from every hour of the file, whatever the filter.
        ASSERT_TRUE(r.design && year.design);
        EXPECT_EQ(r.design->cooling[0].dryBulb, year.design->cooling[0].dryBulb);
    }
    const ClimateResult summer = Summarise(*prepared, Months(6, 8));
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(summer.zones.months[m - 1].hours == 0, m < 6 || m > 8) << MonthAbbreviation(m);
    }
}

TEST(Figures, DesignConditionsFromTheHoursBesideTheHeadersPublishedOnes) {
    const ClimateResult r = Analysed({});
    ASSERT_TRUE(r.design);
    EXPECT_EQ(r.design->hours, 8760u);
    // The header's own numbers, read back as published.
    ASSERT_TRUE(r.published.heating99_6 && r.published.coolingDryBulb[0]);
    EXPECT_DOUBLE_EQ(*r.published.heating99_6, -20.0);
    EXPECT_DOUBLE_EQ(*r.published.heating99, -16.6);
    EXPECT_DOUBLE_EQ(*r.published.coolingDryBulb[0], 33.3);
    EXPECT_DOUBLE_EQ(*r.published.coolingWetBulb[0], 23.7);
    // A typical year's percentiles lie within a few kelvin of the long-term handbook values.
    EXPECT_NEAR(r.design->cooling[0].dryBulb - 273.15, 33.3, 2.0);
    EXPECT_NEAR(r.design->heating[0] - 273.15, -20.0, 3.0);
}

TEST(Figures, DewPointHumidityAndElevationPressureAreKept) {
    ClimateSettings settings;
    settings.states.humidity = climate::HumiditySource::DewPoint;
    settings.states.pressure = climate::PressureSource::Elevation;
    const ClimateResult r = Analysed(settings);
    EXPECT_EQ(r.settings.states.humidity, climate::HumiditySource::DewPoint);
    // The standard atmosphere at O'Hare's 201 m, about 98.9 kPa, for every hour.
    EXPECT_NEAR(r.chartAir.pressure, 98.92e3, 50);
    EXPECT_EQ(r.missing, 0u);
}

struct RefusedRow {
    const char* name;
    ClimateSettings settings;
    const char* zone; // named in the failure
};

TEST(Figures, ZonesThatCannotBeMadeAreRefusedWithTheirName) {
    ClimateSettings noMet;
    noMet.comfort.metabolic = 9;
    ClimateSettings twoCorners;
    twoCorners.comfort.model = ComfortModel::None;
    twoCorners.userZones.push_back(
        {"Two corners", comfort::UserZone::Corners::HumidityRatio, {{290, 0.005}, {300, 0.005}}});
    ClimateSettings backwards;
    backwards.comfort.model = ComfortModel::None;
    backwards.strategies = {comfort::Strategy::EvaporativeCooling};
    backwards.strategyParameters.comfortLow = 310;
    ClimateSettings many;
    many.comfort.model = ComfortModel::None;
    for (int i = 0; i < 65; ++i) {
        many.userZones.push_back({"zone " + std::to_string(i),
                                  comfort::UserZone::Corners::HumidityRatio,
                                  {{290, 0.004}, {300, 0.004}, {295, 0.010}}});
    }
    const RefusedRow rows[] = {
        {"9 met, beyond the PMV zone's reach", noMet, "PMV comfort (ISO 7730)"},
        {"a user zone of two corners", twoCorners, "Two corners"},
        {"a comfort band running backwards", backwards, "evaporative-cooling"},
        {"65 zones", many, "more than 64 zones"},
    };
    const auto data = Chicago();
    ASSERT_TRUE(data);
    for (const RefusedRow& row : rows) {
        SCOPED_TRACE(row.name);
        const auto result = Analyse(data, row.settings);
        ASSERT_FALSE(result.has_value());
        EXPECT_NE(Describe(result.error()).find(row.zone), std::string::npos)
            << Describe(result.error());
    }
}

} // namespace
} // namespace hygrovane::climateanalysis
