// The relations the core publishes for other layers: the same numbers Solve gives, and typed
// failures in place of the engine's exceptions.
#include "hygrovane/moist_air.h"
#include "hygrovane/relations.h"

#include <gtest/gtest.h>

#include <string>

namespace hygrovane {
namespace {

struct StateRow {
    const char* name;
    double celsius;
    double relativeHumidity;
    double pressure;
    SatFormulation formulation;
};

constexpr StateRow kStates[] = {
    {"warm humid air at sea level", 30, 0.8, 101325, SatFormulation::IAPWS},
    {"cold air over ice", -20, 0.5, 101325, SatFormulation::IAPWS},
    {"dry air at altitude", 15, 0.05, 70000, SatFormulation::HylandWexler},
    {"saturated air", 20, 1.0, 95000, SatFormulation::HylandWexler},
};

// Each relation at a solved state's dry bulb and humidity ratio gives the state's own value to
// the last bit: the processes and the chart show the digits the main window shows.
TEST(Relations, AgreeWithSolveToTheLastBit) {
    for (const StateRow& row : kStates) {
        SCOPED_TRACE(row.name);
        const Result<MoistAirState> state = Solve({.dryBulb = row.celsius + 273.15,
                                                   .pressure = row.pressure,
                                                   .humidityInput = HumidityInput::RelativeHumidity,
                                                   .humidity = row.relativeHumidity,
                                                   .formulation = row.formulation});
        ASSERT_TRUE(state.has_value()) << Describe(state.error());
        const double T = state->ambient.dryBulb;
        const double W = state->humidityRatio;
        const double P = state->ambient.pressure;
        EXPECT_EQ(*SaturationHumidityRatio(T, P, row.formulation), state->saturation.humidityRatio);
        EXPECT_EQ(*SaturationPressureAt(T, row.formulation), state->saturation.pressure);
        EXPECT_EQ(*HumidityRatioFromVapourPressure(state->saturation.pressure, P),
                  state->saturation.humidityRatio);
        // The state holds p_w in 32 bits; the relation gives it in double.
        EXPECT_NEAR(*VapourPressureAt(W, P), state->partialPressure, 1e-6 * state->partialPressure);
        // The saturation temperature is the pressure's inverse to the bisection's 1E-6 K.
        EXPECT_NEAR(*SaturationTemperatureAt(state->saturation.pressure, row.formulation), T, 1e-6);
        EXPECT_EQ(*EnthalpyAt(T, W), state->enthalpy);
        EXPECT_EQ(*SpecificVolumeAt(T, W, P), state->specificVolume);
        EXPECT_EQ(*WetBulbAt(T, W, P, row.formulation), state->wetBulb);
        EXPECT_NEAR(*RelativeHumidityAt(T, W, P, row.formulation), row.relativeHumidity, 1e-6);
        if (state->dewPoint) {
            EXPECT_NEAR(*DewPointAt(W, P, row.formulation), *state->dewPoint, 1e-6);
        }
        EXPECT_NEAR(*DryBulbFromEnthalpy(state->enthalpy, W), T, 1e-9);
    }
}

struct FaultRow {
    const char* name;
    Result<double> result;
    const char* detail;
};

// Where the engine would raise an arithmetic fault, the relation says so in its type.
TEST(Relations, ArithmeticFaultsComeBackTyped) {
    // 1.006 + 1.805 W = 0 at W = -1.006 / 1.805.
    const double noHeatCapacity = -1.006 / 1.805;
    // The saturation pressure at 100 degC is the standard atmosphere within 0.1 Pa; the relation
    // divides by P - p_ws, zero when the ambient pressure is exactly the saturation pressure.
    const double P = 101325;
    const FaultRow rows[] = {
        {"dry bulb from enthalpy without heat capacity", DryBulbFromEnthalpy(10, noHeatCapacity),
         nullptr},
        {"enthalpy of an infinite humidity ratio", EnthalpyAt(293.15, 1e308 * 10), nullptr},
        {"specific volume at no pressure", SpecificVolumeAt(293.15, 0.01, 0), "division by zero"},
        {"relative humidity at absolute zero",
         RelativeHumidityAt(0, 0.01, P, SatFormulation::HylandWexler), nullptr},
        // p_w = W P / (W + 0.62198).
        {"humidity ratio of vapour at the ambient pressure", HumidityRatioFromVapourPressure(P, P),
         "division by zero"},
        {"vapour pressure where it divides by zero", VapourPressureAt(-0.62198, P),
         "division by zero"},
        {"dew point where the vapour pressure divides by zero",
         DewPointAt(-0.62198, P, SatFormulation::IAPWS), "division by zero"},
        {"saturation pressure at absolute zero",
         SaturationPressureAt(0, SatFormulation::HylandWexler), nullptr},
    };
    for (const FaultRow& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_FALSE(row.result.has_value());
        EXPECT_EQ(row.result.error().kind, FailureKind::ArithmeticFault);
        EXPECT_FALSE(row.result.error().detail.empty());
        if (row.detail) {
            EXPECT_EQ(row.result.error().detail, row.detail);
        }
    }
}

// The saturated air at a dry bulb and pressure is the two steps of Solve, failures included: air
// at 120 degC boils at sea level.
TEST(Relations, SaturatedAirIsAmbientThenSaturation) {
    Conditions air{
        .dryBulb = 303.15, .pressure = 95000, .formulation = SatFormulation::HylandWexler};
    const Result<SaturatedAir> saturated = SaturatedAirOf(air);
    ASSERT_TRUE(saturated.has_value()) << Describe(saturated.error());
    const Result<Ambient> ambient = AmbientOf(air);
    ASSERT_TRUE(ambient.has_value());
    EXPECT_EQ(saturated->ambient.dryBulb, ambient->dryBulb);
    EXPECT_EQ(saturated->ambient.altitude, ambient->altitude);
    EXPECT_EQ(saturated->saturation.humidityRatio,
              SaturationOf(*ambient, SatFormulation::HylandWexler)->humidityRatio);
    air.dryBulb = 393.15;
    air.pressure = 101325;
    const Result<SaturatedAir> boiling = SaturatedAirOf(air);
    ASSERT_FALSE(boiling.has_value());
    EXPECT_EQ(boiling.error().kind, FailureKind::PressureTooLow);
}

} // namespace
} // namespace hygrovane
