// Passive design strategy zones: each rule at points inside and just outside its band, the rules
// that look at the hours before, and refusals.
#include "comfort/set.h"
#include "comfort/strategies.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace hygrovane::comfort {
namespace {

constexpr double kC = 273.15;

ChartPoint At(double celsius, double W) {
    return {celsius + kC, W};
}

struct Row {
    const char* name;
    Strategy strategy;
    ChartPoint point;
    bool inside;
};

TEST(Strategies, EachBandAtPointsInsideAndOutside) {
    const PlaneAir air;
    // Histories that satisfy every rule: a mild day with a cool night and a sunny day before.
    std::vector<double> day(24, 22 + kC);
    day[5] = 16 + kC;
    const std::vector<double> sun(24, 200.0); // 4800 Wh/m2
    const HourHistory history{day, sun};
    const Row rows[] = {
        {"comfortable", Strategy::Comfort, At(24, 0.008), true},
        {"too dry for comfort", Strategy::Comfort, At(24, 0.003), false},
        {"hot and dry: evaporative cooling", Strategy::EvaporativeCooling, At(35, 0.006), true},
        {"hot and humid: wet bulb too high", Strategy::EvaporativeCooling, At(35, 0.018), false},
        {"just warm: fans", Strategy::ElevatedAirSpeed, At(28, 0.010), true},
        {"too hot for fans", Strategy::ElevatedAirSpeed, At(33, 0.010), false},
        {"warm: mass", Strategy::ThermalMass, At(31, 0.010), true},
        {"above the mass rise", Strategy::ThermalMass, At(33.5, 0.010), false},
        {"hot: night-flushed mass", Strategy::ThermalMassNightVentilation, At(35, 0.010), true},
        {"cool: internal gains", Strategy::InternalGains, At(15, 0.006), true},
        {"cold: beyond internal gains", Strategy::InternalGains, At(12, 0.006), false},
        {"cool: passive solar", Strategy::PassiveSolarHeating, At(10, 0.005), true},
        {"humid: dehumidify", Strategy::Dehumidification, At(24, 0.014), true},
        {"dry: humidify", Strategy::Humidification, At(24, 0.003), true},
        {"comfortable needs neither", Strategy::Humidification, At(24, 0.008), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto zone = StrategyZoneOf(row.strategy);
        ASSERT_TRUE(zone.has_value()) << Describe(zone.error());
        const auto in = InStrategyZone(*zone, row.point, history, air);
        ASSERT_TRUE(in.has_value()) << Describe(in.error());
        EXPECT_EQ(*in, row.inside);
        EXPECT_EQ(Contains(*StrategyOutline(*zone, air), row.point), row.inside);
    }
}

TEST(Strategies, ElevatedAirSpeedReachesAsFarAsTheCoolingEffect) {
    const auto zone = *StrategyZoneOf(Strategy::ElevatedAirSpeed);
    const double ce = *CoolingEffect({27, 27, 0.8, Humidity::Relative(50), 1.1, 0.5, 0});
    EXPECT_NEAR(zone.band.dryBulbHigh - zone.band.dryBulbLow, ce, 1e-12);
    EXPECT_GT(ce, 1.5);
}

TEST(Strategies, HistoryRulesLookAtTheDayBefore) {
    const PlaneAir air;
    struct Case {
        const char* name;
        Strategy strategy;
        ChartPoint point;
        double dayTemperature; // degC, every hour before
        double sunPerHour;     // Wh/m2, every hour before
        bool inside;
    };
    const Case cases[] = {
        {"mass after a mild day", Strategy::ThermalMass, At(30, 0.01), 24, 0, true},
        {"mass after a hot day", Strategy::ThermalMass, At(30, 0.01), 29, 0, false},
        {"flushing after a cool night", Strategy::ThermalMassNightVentilation, At(33, 0.01), 19, 0,
         true},
        {"no flushing after a warm night", Strategy::ThermalMassNightVentilation, At(33, 0.01), 24,
         0, false},
        {"solar after a sunny day", Strategy::PassiveSolarHeating, At(10, 0.004), 10, 120, true},
        {"solar after a dull day", Strategy::PassiveSolarHeating, At(10, 0.004), 10, 50, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<double> temperatures(24, c.dayTemperature + kC);
        const std::vector<double> sun(24, c.sunPerHour);
        const auto zone = *StrategyZoneOf(c.strategy);
        const auto in = InStrategyZone(zone, c.point, {temperatures, sun}, air);
        ASSERT_TRUE(in.has_value()) << Describe(in.error());
        EXPECT_EQ(*in, c.inside);
    }
    // Too short or missing histories refuse the hour rather than guess.
    const std::vector<double> short_(10, 290.0);
    std::vector<double> gap(24, 290.0);
    gap[3] = NAN;
    const auto mass = *StrategyZoneOf(Strategy::ThermalMass);
    EXPECT_EQ(InStrategyZone(mass, At(30, 0.01), {short_, {}}, air).error().input,
              ComfortInput::History);
    EXPECT_EQ(InStrategyZone(mass, At(30, 0.01), {gap, {}}, air).error().kind,
              ComfortFailureKind::NotANumber);
    const auto solar = *StrategyZoneOf(Strategy::PassiveSolarHeating);
    EXPECT_EQ(InStrategyZone(solar, At(10, 0.004), {gap, {}}, air).error().input,
              ComfortInput::Radiation);
    // Outside the band the history is not needed.
    EXPECT_FALSE(*InStrategyZone(mass, At(20, 0.01), {}, air));
    EXPECT_TRUE(NeedsHistory(Strategy::PassiveSolarHeating));
    EXPECT_FALSE(NeedsHistory(Strategy::EvaporativeCooling));
}

TEST(Strategies, RefuseParametersOutOfOrder) {
    StrategyParameters backwards;
    backwards.comfortHigh = backwards.comfortLow - 1;
    const auto zone = StrategyZoneOf(Strategy::Comfort, backwards);
    ASSERT_FALSE(zone.has_value());
    EXPECT_EQ(zone.error().input, ComfortInput::DryBulb);
    EXPECT_EQ(Describe(zone.error()), "design strategy: dry bulb 292.15 K outside 293.15 to 400 K");
    StrategyParameters nanSpeed;
    nanSpeed.airSpeed = NAN;
    EXPECT_EQ(StrategyZoneOf(Strategy::ElevatedAirSpeed, nanSpeed).error().kind,
              ComfortFailureKind::NotANumber);
}

TEST(Strategies, HistoryOfShortRecordsSpansADayOfTime) {
    const PlaneAir air;
    // Ten-minute records: the day before is the last 144. Before it lies a warm, dull, still
    // night that a rule taking the last 24 records (4 hours) or all records would see instead.
    struct Case {
        const char* name;
        Strategy strategy;
        ChartPoint point;
        std::size_t recordsInDay; // of the 10-minute records, the last ones make the day
        double dayTemperature, dayCoolest, daySun; // degC, degC, Wh/m2 per hour
        bool inside;
    };
    const Case cases[] = {
        {"mass: a mild day's mean, not the last 4 hours' heat", Strategy::ThermalMass, At(30, 0.01),
         144, 24, 24, 0, true},
        {"flushing: a cool hour 20 hours back counts", Strategy::ThermalMassNightVentilation,
         At(33, 0.01), 144, 24, 18, 0, true},
        {"solar: 24 hours of 120 Wh/m2 an hour make 2880 Wh/m2", Strategy::PassiveSolarHeating,
         At(10, 0.004), 144, 10, 10, 120, true},
        {"solar: 100 Wh/m2 an hour make 2400, under the 2500 needed", Strategy::PassiveSolarHeating,
         At(10, 0.004), 144, 10, 10, 100, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // 30 hours of records: 6 hours of hot, dull night, then the day (hot in its last 4 hours
        // for thermal mass, with its coolest hour 20 hours back).
        const std::size_t n = 180;
        std::vector<double> temperatures(n, 31 + kC), sun(n, 0.0), hours(n, 1.0 / 6);
        for (std::size_t i = n - c.recordsInDay; i < n; ++i) {
            temperatures[i] = c.dayTemperature + kC;
            sun[i] = c.daySun;
        }
        for (std::size_t i = n - 24; i < n && c.strategy == Strategy::ThermalMass; ++i) {
            temperatures[i] = 29 + kC; // the last 4 hours warm: their mean alone is too warm
        }
        for (std::size_t i = n - 120; i < n - 114; ++i) {
            temperatures[i] = c.dayCoolest + kC;
        }
        const auto zone = *StrategyZoneOf(c.strategy);
        const auto in = InStrategyZone(zone, c.point, {temperatures, sun, hours}, air);
        ASSERT_TRUE(in.has_value()) << Describe(in.error());
        EXPECT_EQ(*in, c.inside);
    }
    // 23 hours 50 minutes of records are not a day.
    const std::vector<double> short_(143, 290.0), shortHours(143, 1.0 / 6);
    const auto mass = *StrategyZoneOf(Strategy::ThermalMass);
    EXPECT_EQ(InStrategyZone(mass, At(30, 0.01), {short_, {}, shortHours}, air).error().input,
              ComfortInput::History);
    // A minute's records: 1440 of them, summing to a rounding off 24 hours, make the day.
    const std::vector<double> minutes(1440, 290.0), minuteHours(1440, 1.0 / 60);
    EXPECT_TRUE(InStrategyZone(mass, At(30, 0.01), {minutes, {}, minuteHours}, air).has_value());
}

} // namespace
} // namespace hygrovane::comfort
