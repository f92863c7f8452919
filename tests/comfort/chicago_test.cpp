// Hour counts on a year of Chicago weather (chicago.epw of the shared data): the published counts
// of an independent ISO 7730 computation, exactly, and every zone's drawn polygon counting the
// same hours as its per-hour rule.
#include "comfort/pmv.h"
#include "comfort/pmv_zone.h"
#include "comfort/running_mean.h"
#include "comfort/strategies.h"
#include "comfort/zones.h"
#include "weather_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hygrovane::comfort {
namespace {

using test::WeatherHour;

// The standard atmosphere's pressure at O'Hare's elevation, 201 m (ASHRAE Fundamentals ch. 1
// eq. 3): one chart pressure for the whole year.
const double kChartPressure = 101325 * std::pow(1 - 2.25577e-5 * 201, 5.2559);

// Each hour on the chart, solved by the core once as the climate view does.
std::vector<PlaneState> ChartStates(const std::vector<WeatherHour>& hours, const PlaneAir& air) {
    std::vector<PlaneState> states;
    for (const WeatherHour& h : hours) {
        const double T = h.dryBulb + 273.15;
        const auto state = StateAt({T, *HumidityRatioAt(T, h.relativeHumidity / 100, air)}, air);
        EXPECT_TRUE(state.has_value()) << Describe(state.error());
        states.push_back(*state);
    }
    return states;
}

struct CountRow {
    const char* name;
    double met, clo;
    bool byPpd; // PPD <= 10 % instead of |PMV| <= 0.5
    int hours;  // the shared data README's count
};

const CountRow kCounts[] = {{"met 2.4, clo 1.0, PPD <= 10 %", 2.4, 1.0, true, 1661},
                            {"met 1.1, clo 0.7, |PMV| <= 0.5", 1.1, 0.7, false, 803}};

TEST(ChicagoCounts, Iso7730HoursMatchThePublishedCountsExactly) {
    const std::vector<WeatherHour> hours = test::ChicagoHours();
    for (const CountRow& row : kCounts) {
        SCOPED_TRACE(row.name);
        int inside = 0;
        for (const WeatherHour& h : hours) {
            const auto r = PmvIso7730({h.dryBulb, h.dryBulb, 0.1,
                                       Humidity::Relative(h.relativeHumidity), row.met, row.clo, 0},
                                      Applicability::Unchecked);
            ASSERT_TRUE(r.has_value());
            inside += row.byPpd ? r->ppd <= 10 : std::abs(r->pmv) <= 0.5;
        }
        EXPECT_EQ(inside, row.hours);
    }
}

// A zone's rule and its outline, counted over the year.
struct Counted {
    int byRule = 0;
    int byPolygon = 0;
};

template <typename Rule>
Counted Count(const std::vector<PlaneState>& states, const Polygon& outline, Rule rule) {
    Counted c;
    for (const PlaneState& state : states) {
        c.byRule += rule(state);
        c.byPolygon += Contains(outline, state.point);
    }
    return c;
}

TEST(ChicagoCounts, PmvZonePolygonCountsTheSameHoursAsTheModel) {
    const std::vector<WeatherHour> hours = test::ChicagoHours();
    const PlaneAir air{kChartPressure, SatFormulation::IAPWS};
    const std::vector<PlaneState> states = ChartStates(hours, air);
    struct Row {
        const char* name;
        PmvZoneParameters zone;
        int hours; // the published count, or -1 where only rule and outline must agree
    };
    std::vector<Row> rows;
    for (const CountRow& count : kCounts) {
        PmvZoneParameters zone;
        zone.metabolic = count.met;
        zone.clothing = count.clo;
        zone.ppd = count.byPpd ? std::optional<double>(10) : std::nullopt;
        rows.push_back({count.name, zone, count.hours});
    }
    PmvZoneParameters fans;
    fans.model = PmvModel::Ashrae55;
    fans.airSpeed = 0.8;
    fans.maxHumidityRatio = 0.012;
    rows.push_back({"ASHRAE 55 at 0.8 m/s, 12 g/kg", fans, -1});
    PmvZoneParameters sunny;
    sunny.clothing = 1.0;
    sunny.radiantOffset = 3;
    sunny.externalWork = 0.1;
    rows.push_back({"1.0 clo, radiant +3 K, some work", sunny, -1});
    for (Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.zone.air = air;
        const ComfortResult<Polygon> outline = SolvePmvZone(row.zone);
        ASSERT_TRUE(outline.has_value()) << Describe(outline.error());
        const Counted c =
            Count(states, *outline, [&](const PlaneState& h) { return *InPmvZone(row.zone, h); });
        EXPECT_EQ(c.byRule, c.byPolygon);
        if (row.hours >= 0) {
            EXPECT_EQ(c.byRule, row.hours);
        } else {
            EXPECT_GT(c.byRule, 100);
        }
    }
}

TEST(ChicagoCounts, EveryBandZoneOutlineCountsTheSameHoursAsItsRule) {
    const std::vector<WeatherHour> hours = test::ChicagoHours();
    const PlaneAir air{kChartPressure, SatFormulation::IAPWS};
    const std::vector<PlaneState> states = ChartStates(hours, air);
    struct Named {
        std::string name;
        BandZone band;
    };
    std::vector<Named> zones;
    // The chart's fixed zones (src/chart/chart_geometry.cpp): hours at exactly 40, 45, 50 or
    // 60 % lie on their edges.
    zones.push_back({"winter", DryBulbHumidityZone(21 + 273.15, 23 + 273.15, 0.40, 0.50)});
    zones.push_back({"summer", DryBulbHumidityZone(23 + 273.15, 25 + 273.15, 0.45, 0.60)});
    for (const AdaptiveZoneModel model :
         {AdaptiveZoneModel::Ashrae55Acceptability80, AdaptiveZoneModel::Ashrae55Acceptability90,
          AdaptiveZoneModel::En16798CategoryI, AdaptiveZoneModel::En16798CategoryII,
          AdaptiveZoneModel::En16798CategoryIII}) {
        AdaptiveZoneParameters zone;
        zone.model = model;
        zone.prevailingMean = 20;
        zone.airSpeed = 0.9;
        zone.air = air;
        zones.push_back(
            {"adaptive " + std::to_string(static_cast<int>(model)), *AdaptiveZone(zone)});
    }
    for (int s = 0; s <= static_cast<int>(Strategy::Humidification); ++s) {
        const auto zone = StrategyZoneOf(static_cast<Strategy>(s));
        ASSERT_TRUE(zone.has_value()) << Describe(zone.error());
        zones.push_back({zone->name, zone->band});
    }
    int nonEmpty = 0;
    for (const Named& z : zones) {
        SCOPED_TRACE(z.name);
        const auto outline = BandZoneOutline(z.band, air);
        ASSERT_TRUE(outline.has_value()) << Describe(outline.error());
        const Counted c =
            Count(states, *outline, [&](const PlaneState& h) { return *InBandZone(z.band, h); });
        EXPECT_EQ(c.byRule, c.byPolygon);
        nonEmpty += c.byRule > 0;
    }
    EXPECT_EQ(nonEmpty, static_cast<int>(zones.size()));
}

TEST(ChicagoCounts, UserZoneOutlinesCountTheSameHoursAsTheirRules) {
    const std::vector<WeatherHour> hours = test::ChicagoHours();
    const PlaneAir air{kChartPressure, SatFormulation::IAPWS};
    const std::vector<PlaneState> states = ChartStates(hours, air);
    const UserZone zones[] = {
        {"slanted by humidity ratio",
         UserZone::Corners::HumidityRatio,
         {{291.15, 0.004}, {300.15, 0.005}, {297.15, 0.0135}, {292.15, 0.010}}},
        {"slanted by relative humidity",
         UserZone::Corners::RelativeHumidity,
         {{291.17, 0.255}, {300.13, 0.305}, {298.11, 0.795}, {292.19, 0.705}}},
    };
    for (const UserZone& z : zones) {
        SCOPED_TRACE(z.name);
        const Counted c = Count(states, *UserZoneOutline(z, air),
                                // by the point, solving it again, as a single chart point is
                                [&](const PlaneState& h) { return *InUserZone(z, h.point, air); });
        EXPECT_EQ(c.byRule, c.byPolygon);
        EXPECT_GT(c.byRule, 100);
    }
}

TEST(ChicagoCounts, RunningMeansOfTheYear) {
    const std::vector<WeatherHour> hours = test::ChicagoHours();
    std::vector<double> dryBulbs;
    for (const WeatherHour& h : hours) {
        dryBulbs.push_back(h.dryBulb);
    }
    const std::vector<double> daily = DailyMeans(dryBulbs);
    ASSERT_EQ(daily.size(), 365u);
    const std::vector<double> en = *ExponentialRunningMean(daily, 0.8, true);
    const std::vector<double> ashrae = *PrevailingMeansSimple(daily, 7, true);
    for (std::size_t d = 0; d < daily.size(); ++d) {
        ASSERT_TRUE(std::isfinite(en[d])) << d;
        ASSERT_TRUE(std::isfinite(ashrae[d])) << d;
    }
    // Chicago: winter running means far below the adaptive models' 10 degC, July's within them.
    EXPECT_LT(en[15], 0);
    EXPECT_GT(en[200], 18);
    EXPECT_LT(en[200], 30);
    EXPECT_NEAR(en[200], ashrae[200], 3);
}

} // namespace
} // namespace hygrovane::comfort
