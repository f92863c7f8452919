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
        ASSERT_TRUE(zone.ok()) << Describe(zone.failure());
        const auto in = InStrategyZone(*zone, row.point, history, air);
        ASSERT_TRUE(in.ok()) << Describe(in.failure());
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
        ASSERT_TRUE(in.ok()) << Describe(in.failure());
        EXPECT_EQ(*in, c.inside);
    }
    // Too short or missing histories refuse the hour rather than guess.
    const std::vector<double> short_(10, 290.0);
    std::vector<double> gap(24, 290.0);
    gap[3] = NAN;
    const auto mass = *StrategyZoneOf(Strategy::ThermalMass);
    EXPECT_EQ(InStrategyZone(mass, At(30, 0.01), {short_, {}}, air).failure().input,
              ComfortInput::History);
    EXPECT_EQ(InStrategyZone(mass, At(30, 0.01), {gap, {}}, air).failure().kind,
              ComfortFailureKind::NotANumber);
    const auto solar = *StrategyZoneOf(Strategy::PassiveSolarHeating);
    EXPECT_EQ(InStrategyZone(solar, At(10, 0.004), {gap, {}}, air).failure().input,
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
    ASSERT_FALSE(zone.ok());
    EXPECT_EQ(zone.failure().input, ComfortInput::DryBulb);
    EXPECT_EQ(Describe(zone.failure()),
              "design strategy: dry bulb 292.15 K outside 293.15 to 400 K");
    StrategyParameters nanSpeed;
    nanSpeed.airSpeed = NAN;
    EXPECT_EQ(StrategyZoneOf(Strategy::ElevatedAirSpeed, nanSpeed).failure().kind,
              ComfortFailureKind::NotANumber);
}

} // namespace
} // namespace hygrovane::comfort
