// The guide's worked hour ("An air-handling unit through the year"): 32 °C 50 % outdoor air at
// 101325 Pa through the example unit, each figure worked by hand from ASHRAE Fundamentals
// chapter 1 (Hyland-Wexler saturation, W = 0.62198 p_w / (P - p_w), h = 1.006 t + W (2501 +
// 1.805 t), v = 287.1 T (1 + 1.6078 W) / P), written here as the guide prints them.
#include "airunit_support.h"

#include <gtest/gtest.h>

namespace hygrovane::airunit {
namespace {

struct Figure {
    const char* name;
    double actual;
    double byHand;
};

TEST(UnitHandWorkedHour, FollowsTheGuidesFigures) {
    const auto unit = Prepare(testing::ExampleUnit(), SatFormulation::HylandWexler);
    ASSERT_TRUE(unit.has_value());
    // W_o = 0.62198 (0.5 x 4758.5 Pa) / (101325 Pa - 0.5 x 4758.5 Pa).
    const auto hour = RunHour(*unit, OutdoorAir{32, 0.014956244, 101325});
    ASSERT_TRUE(hour.has_value());
    const UnitHour& h = *hour;
    EXPECT_FALSE(h.economizer); // h_o 70.46 kJ/kg is not below h_r 47.80 kJ/kg
    EXPECT_EQ(h.recovery, RecoveryMode::Cooling);
    EXPECT_TRUE(h.dehumidifying);
    const Figure figures[] = {
        {"room humidity ratio, kg/kg", h.room.humidityRatio, 0.0092990284},
        {"room enthalpy, kJ/kg", h.room.enthalpy, 47.803704},
        {"dry-air flow, kg/s (10000 m3/h / 0.85455 m3/kg)", h.massFlow, 3.2505745},
        {"outdoor fraction", h.outdoorFraction, 0.2},
        {"after the wheel, degC: 32 + 0.75 (24 - 32)", h.recovered.dryBulb, 26.0},
        {"after the wheel, kg/kg", h.recovered.humidityRatio, 0.011561915},
        {"recovered, kW: m f (h_o - h')", h.recoveredKW, 9.6519244},
        {"mixed dry bulb, degC", h.mixed.dryBulb, 24.401277},
        {"mixed humidity ratio, kg/kg", h.mixed.humidityRatio, 0.0097516057},
        {"off-coil dry bulb, degC: 95 % at the 11 degC dew point", h.offCoil.dryBulb, 11.774069},
        {"off-coil humidity ratio, kg/kg", h.offCoil.humidityRatio, 0.0081639754},
        {"coil load, kW", h.coolingKW, 54.776687},
        {"sensible, kW", h.coolingSensibleKW, 42.014426},
        {"latent, kW", h.coolingLatentKW, 12.762261},
        {"condensate, kg/h", h.condensateKgS * 3600, 18.578558},
        {"reheat, kW", h.reheatKW, 4.0676132},
        {"heating, kW", h.heatingKW, 0},
        {"humidifier, kW", h.humidifierKW, 0},
        {"supply dry bulb, degC", h.supply.dryBulb, 13},
    };
    for (const Figure& f : figures) {
        EXPECT_NEAR(f.actual, f.byHand, 1e-7 * std::max(1.0, std::abs(f.byHand))) << f.name;
    }
}

} // namespace
} // namespace hygrovane::airunit
