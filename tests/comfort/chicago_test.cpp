// Hour counts on a year of Chicago weather (chicago.epw of the shared data): the published counts
// of an independent ISO 7730 computation, exactly, and every zone's drawn polygon counting the
// same hours as its per-hour rule.
#include "comfort/pmv.h"
#include "comfort/pmv_zone.h"
#include "weather_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hygrovane::comfort {
namespace {

using test::WeatherHour;

// The standard atmosphere's pressure at O'Hare's elevation, 201 m (ASHRAE Fundamentals ch. 1
// eq. 3): one chart pressure for the whole year.
const double kChartPressure = 101325 * std::pow(1 - 2.25577e-5 * 201, 5.2559);

std::vector<PlanePoint> ChartPoints(const std::vector<WeatherHour>& hours, const PlaneAir& air) {
    std::vector<PlanePoint> points;
    for (const WeatherHour& h : hours) {
        const double T = h.dryBulb + 273.15;
        points.push_back({T, *HumidityRatioAt(T, h.relativeHumidity / 100, air)});
    }
    return points;
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
            ASSERT_TRUE(r.ok());
            inside += row.byPpd ? r->ppd <= 10 : std::abs(r->pmv) <= 0.5;
        }
        EXPECT_EQ(inside, row.hours);
    }
}

TEST(ChicagoCounts, PmvZonePolygonCountsTheSameHoursAsTheModel) {
    const std::vector<WeatherHour> hours = test::ChicagoHours();
    const PlaneAir air{kChartPressure, SatFormulation::IAPWS};
    const std::vector<PlanePoint> points = ChartPoints(hours, air);
    for (const CountRow& row : kCounts) {
        SCOPED_TRACE(row.name);
        PmvZoneParameters zone;
        zone.metabolic = row.met;
        zone.clothing = row.clo;
        zone.air = air;
        if (row.byPpd) {
            zone.ppd = 10;
        }
        const ComfortResult<Polygon> outline = SolvePmvZone(zone);
        ASSERT_TRUE(outline.ok()) << Describe(outline.failure());
        int byRule = 0;
        int byPolygon = 0;
        for (const PlanePoint& p : points) {
            byRule += *InPmvZone(zone, p);
            byPolygon += Contains(*outline, p);
        }
        EXPECT_EQ(byRule, row.hours);
        EXPECT_EQ(byPolygon, row.hours);
    }
}

} // namespace
} // namespace hygrovane::comfort
