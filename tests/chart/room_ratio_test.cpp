// Room ratio lines, the supply state on them and the protractor's scales against the core: the
// sensible heat ratio of every point is the one asked, by ASHRAE's definition, at three
// pressures in SI and IP.
#include "chart/chart.h"
#include "chart/room_ratio.h"
#include "hygrovane/moist_air.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hygrovane::chart {
namespace {

// The core's enthalpy at (T, W) without the saturation check.
double Enthalpy(double T, double W, double pressure, SatFormulation formulation) {
    Conditions c;
    c.dryBulb = T;
    c.pressure = pressure;
    const auto ambient = AmbientOf(c);
    const auto saturation = SaturationOf(*ambient, formulation);
    const auto state = StateOf(*ambient, *saturation, HumidityInput::HumidityRatio, W);
    EXPECT_TRUE(state.has_value()) << T << " " << W;
    return state.has_value() ? state->enthalpy : NAN;
}

// ASHRAE's SHR of the change from room to p: the enthalpy change at the room's humidity ratio
// over the whole enthalpy change.
double ShrOf(ChartPoint room, ChartPoint p, double pressure, SatFormulation f) {
    const double h0 = Enthalpy(room.dryBulb, room.humidityRatio, pressure, f);
    return (Enthalpy(p.dryBulb, room.humidityRatio, pressure, f) - h0) /
           (Enthalpy(p.dryBulb, p.humidityRatio, pressure, f) - h0);
}

// A room at 24 °C and half its saturated humidity ratio.
ChartPoint RoomAt(double pressure, SatFormulation f) {
    Conditions c;
    c.dryBulb = 297.15;
    c.pressure = pressure;
    c.formulation = f;
    c.humidity = 0.5;
    const auto state = Solve(c);
    return {state->ambient.dryBulb, state->humidityRatio};
}

const struct {
    const char* name;
    double pressure;
    SatFormulation formulation;
} kAir[] = {
    {"sea level, IAPWS", 101325, SatFormulation::IAPWS},
    {"1500 m, Hyland-Wexler", 84556, SatFormulation::HylandWexler},
    {"5 kPa", 5000, SatFormulation::IAPWS},
    {"1000 kPa", 1000000, SatFormulation::HylandWexler},
};

TEST(RoomRatio, EveryPointOfTheLineHasTheRatioAsked) {
    for (const auto& air : kAir) {
        SCOPED_TRACE(air.name);
        const ChartPoint room = RoomAt(air.pressure, air.formulation);
        for (const double shr : {1.0, 0.95, 0.8, 0.65, 0.5, 0.3}) {
            for (const double below : {0.5, 2.0, 6.0, 10.0, 14.0}) {
                const auto p = RoomRatioPointAt(air.pressure, air.formulation, room, shr,
                                                room.dryBulb - below);
                ASSERT_TRUE(p.has_value());
                EXPECT_NEAR(ShrOf(room, *p, air.pressure, air.formulation), shr, 1e-9)
                    << shr << " at " << below << " K below";
                EXPECT_LE(p->humidityRatio, room.humidityRatio + 1e-15) << "cooling dehumidifies";
            }
        }
        // The drawn line: from the room down to where it leaves the range or meets saturation,
        // each sampled point at the ratio asked.
        const ChartRange range = DefaultRangeAt(MetricUnits().defaultRange, air.pressure);
        const Polyline line = RoomRatioLine(air.pressure, air.formulation, room, 0.7, range);
        ASSERT_GE(line.size(), 3U);
        EXPECT_EQ(line.front(), room);
        const OverlayPath path = RoomRatioPath(air.pressure, air.formulation, room, 0.7, range);
        EXPECT_EQ(path.points, line);
        EXPECT_EQ(path.label, "SHR 0.70");
        EXPECT_TRUE(path.dashed);
        for (std::size_t i = 1; i + 1 < line.size(); ++i) {
            EXPECT_NEAR(ShrOf(room, line[i], air.pressure, air.formulation), 0.7, 1e-9) << i;
            EXPECT_TRUE(range.contains(line[i]));
        }
    }
}

TEST(RoomRatio, SupplyAirOnTheLineAtADryBulbOrATemperatureDifference) {
    for (const auto& air : kAir) {
        SCOPED_TRACE(air.name);
        const ChartPoint room = RoomAt(air.pressure, air.formulation);
        // At 1000 kPa air saturates near the room's dew point: 10 K colder would be fog.
        const double difference = air.pressure > 500000 ? 3 : 10;
        const auto byDryBulb =
            SupplyAtDryBulb(air.pressure, air.formulation, room, 0.75, room.dryBulb - difference);
        const auto byDifference =
            SupplyAtDifference(air.pressure, air.formulation, room, 0.75, difference);
        ASSERT_TRUE(byDryBulb.has_value()) << byDryBulb.error().describe();
        ASSERT_TRUE(byDifference.has_value());
        EXPECT_EQ(byDryBulb->humidityRatio, byDifference->humidityRatio);
        const ChartPoint supply{byDryBulb->ambient.dryBulb, byDryBulb->humidityRatio};
        EXPECT_NEAR(ShrOf(room, supply, air.pressure, air.formulation), 0.75, 1e-9);
        EXPECT_NEAR(byDryBulb->enthalpy,
                    Enthalpy(supply.dryBulb, supply.humidityRatio, air.pressure, air.formulation),
                    1e-12);
        EXPECT_LE(byDryBulb->relativeHumidity, 1);
    }
    const ChartPoint room = RoomAt(101325, SatFormulation::IAPWS);
    using Kind = RoomRatioFailure::Kind;
    const struct {
        const char* name;
        double shr, supplyCelsius;
        Kind kind;
    } refusals[] = {
        {"a ratio of 0", 0, 14, Kind::RatioOutsideLimits},
        {"a ratio above 1", 1.2, 14, Kind::RatioOutsideLimits},
        {"a ratio that is not a number", NAN, 14, Kind::RatioOutsideLimits},
        {"the smallest double, whose inverse is no number", 5e-324, 14, Kind::RatioTooSmall},
        {"a ratio just below the smallest drawn", 0.000999, 14, Kind::RatioTooSmall},
        {"the smallest ratio drawn, whose supply needs less than no water", 0.001, 14,
         Kind::BelowDryAir},
        {"supply past saturation: fog", 0.9, 2, Kind::AboveSaturation},
        {"a low ratio reaching below dry air", 0.2, 4, Kind::BelowDryAir},
    };
    for (const auto& row : refusals) {
        const auto supply = SupplyAtDryBulb(101325, SatFormulation::IAPWS, room, row.shr,
                                            row.supplyCelsius + 273.15);
        ASSERT_FALSE(supply.has_value()) << row.name;
        EXPECT_EQ(supply.error().kind, row.kind) << row.name << ": " << supply.error().describe();
        EXPECT_FALSE(supply.error().describe().empty());
    }
    // At 5 kPa water boils near 33 °C: no moist air exists at a 40 °C supply (a heating line).
    const auto boiling = SupplyAtDryBulb(5000, SatFormulation::IAPWS,
                                         RoomAt(5000, SatFormulation::IAPWS), 0.8, 313.15);
    ASSERT_FALSE(boiling.has_value());
    EXPECT_EQ(boiling.error().kind, Kind::NoMoistAir);
    for (const double shr : {0.0, 5e-324}) {
        EXPECT_TRUE(
            RoomRatioLine(101325, SatFormulation::IAPWS, room, shr, MetricUnits().defaultRange)
                .empty())
            << shr;
        EXPECT_FALSE(RoomRatioPointAt(101325, SatFormulation::IAPWS, room, shr, room.dryBulb))
            << "no line, so no point on it at the room: " << shr;
    }
}

// Each mark of the protractor points where the core's states have its SHR, or its Δh/ΔW in the
// chart's units: a short step from the reference along the mark's direction.
TEST(Protractor, ScalesAgreeWithTheCore) {
    for (const auto& air : {kAir[0], kAir[1], kAir[3]}) {
        for (const ChartUnits& units : {MetricUnits(), BritishUnits()}) {
            SCOPED_TRACE(std::string(air.name) + ", " + units.enthalpy.symbol);
            const auto protractor = ProtractorOf(air.pressure, air.formulation, units);
            ASSERT_TRUE(protractor);
            const ChartPoint ref = protractor->reference;
            int shrMarks = 0, ratioMarks = 0;
            for (const ProtractorMark& mark : protractor->marks) {
                // A step of 2E-4 kg/kg, or 0.2 K where the direction keeps W.
                const double scale = mark.humidityRatio != 0 ? 2e-4 / std::abs(mark.humidityRatio)
                                                             : 0.2 / std::abs(mark.dryBulb);
                const ChartPoint p{ref.dryBulb + mark.dryBulb * scale,
                                   ref.humidityRatio + mark.humidityRatio * scale};
                if (!mark.outer) {
                    ++shrMarks;
                    EXPECT_NEAR(ShrOf(ref, p, air.pressure, air.formulation), mark.value, 2e-3)
                        << mark.text;
                    continue;
                }
                ++ratioMarks;
                const double dh =
                    Enthalpy(p.dryBulb, p.humidityRatio, air.pressure, air.formulation) -
                    Enthalpy(ref.dryBulb, ref.humidityRatio, air.pressure, air.formulation);
                const double dW = p.humidityRatio - ref.humidityRatio;
                if (std::isinf(mark.value)) {
                    EXPECT_EQ(dW, 0);
                } else {
                    // In the chart's enthalpy unit per unit mass ratio; 2 % of the scale's step.
                    EXPECT_NEAR(dh * units.enthalpy.factor / dW, mark.value,
                                units.datum == "0 °F" ? 10 : 20)
                        << mark.text;
                }
            }
            EXPECT_EQ(shrMarks, 11 + 6) << "0 to 1 and the negatives -0.1 to -2";
            EXPECT_GE(ratioMarks, 8);
        }
    }
    EXPECT_FALSE(ProtractorOf(2000, SatFormulation::IAPWS, MetricUnits()))
        << "below the saturation pressure at 24 °C no moist air exists";
}

} // namespace
} // namespace hygrovane::chart
