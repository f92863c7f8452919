// The moist-air core through its public header only, as another program uses it.
#include "hygrovane/moist_air.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

namespace hygrovane {
namespace {

constexpr double kCelsius = 273.15;

Conditions Air(double celsius, double relativeHumidity, double pascals = 101325,
               SatFormulation formulation = SatFormulation::IAPWS) {
    return {.dryBulb = celsius + kCelsius,
            .pressure = pascals,
            .humidityInput = HumidityInput::RelativeHumidity,
            .humidity = relativeHumidity,
            .formulation = formulation};
}

// 30 degC and 40 % at 95 kPa against steam tables and the psychrometric relations (IAPWS-95
// gives 4.2470 kPa at 30 degC, the IF97 region-4 equation 0.3 Pa less; dew point and wet bulb
// from the ASHRAE chart for 95 kPa). The dry bulb is held in 32 bits: 303.149994 K.
TEST(Solve, ThirtyDegreesFortyPercentAt95kPa) {
    const Result<MoistAirState> state = Solve(Air(30, 0.40, 95000));
    ASSERT_TRUE(state.has_value()) << Describe(state.error());
    EXPECT_NEAR(state->saturation.pressure, 4247.0, 0.5);
    EXPECT_NEAR(state->partialPressure, 0.40 * 4246.9, 0.1);
    EXPECT_NEAR(state->humidityRatio, 0.62198 * 1698.8 / (95000 - 1698.8), 1e-6);
    ASSERT_TRUE(state->dewPoint.has_value());
    EXPECT_NEAR(*state->dewPoint - kCelsius, 14.93, 0.05);
    EXPECT_NEAR(state->wetBulb - kCelsius, 19.9, 0.2);
    const double t = state->ambient.dryBulb - kCelsius;
    EXPECT_NEAR(state->enthalpy, 1.006 * t + state->humidityRatio * (2501 + 1.805 * t), 1e-12);
    EXPECT_NEAR(state->ambient.altitude, 540, 1);
    const Range limits = LimitsOf(HumidityInput::DewPoint, state->ambient, state->saturation);
    EXPECT_EQ(limits.minimum, kLowestDewPoint);
    EXPECT_EQ(limits.maximum, state->ambient.dryBulb);
}

// Leaving out the dry air's wet bulb changes nothing else, and a wet-bulb input, which is checked
// against it, still has it (and is still refused below it).
TEST(Solve, ANarrowerScopeLeavesOnlyTheDryAirWetBulbOut) {
    const SolveScope narrow{.dryAirWetBulb = false};
    const MoistAirState reference = *Solve(Air(23, 0.4, 90000));
    for (const HumidityInput input : kHumidityInputs) {
        Conditions air = Air(23, 0.4, 90000);
        air.humidityInput = input;
        air.humidity = *ValueOf(reference, input);
        const MoistAirState whole = *Solve(air);
        const MoistAirState state = *Solve(air, narrow);
        const bool kept = input == HumidityInput::WetBulb;
        EXPECT_EQ(std::isnan(state.saturation.dryAirWetBulb), !kept) << static_cast<int>(input);
        const auto figures = [](const MoistAirState& s) {
            return std::vector<double>{s.humidityRatio,
                                       s.relativeHumidity,
                                       *s.dewPoint,
                                       s.wetBulb,
                                       s.partialPressure,
                                       s.absoluteHumidity,
                                       s.enthalpy,
                                       s.specificVolume,
                                       s.density,
                                       s.saturation.pressure,
                                       s.saturation.humidityRatio,
                                       s.byMass.H2O};
        };
        EXPECT_EQ(figures(state), figures(whole)) << static_cast<int>(input);
    }
    Conditions tooDry = Air(23, 0.4, 90000);
    tooDry.humidityInput = HumidityInput::WetBulb;
    tooDry.humidity = reference.saturation.dryAirWetBulb - 0.01;
    EXPECT_FALSE(Solve(tooDry, narrow).has_value());
}

// Every input, given as the value the reference state has for it, describes the same air.
TEST(Solve, EveryHumidityInputGivesBackTheSameAir) {
    for (const auto formulation : {SatFormulation::IAPWS, SatFormulation::HylandWexler}) {
        for (const auto pressureInput : {PressureInput::Barometric, PressureInput::Altitude}) {
            for (const double rh : {0.05, 0.4, 0.95}) {
                Conditions air = Air(23, rh, 90000, formulation);
                air.pressureInput = pressureInput;
                air.altitude = 1000;
                const Result<MoistAirState> reference = Solve(air);
                ASSERT_TRUE(reference.has_value());
                for (const HumidityInput input : kHumidityInputs) {
                    air.humidityInput = input;
                    air.humidity = *ValueOf(*reference, input);
                    const Result<MoistAirState> state = Solve(air);
                    ASSERT_TRUE(state.has_value()) << Describe(state.error());
                    EXPECT_NEAR(state->humidityRatio, reference->humidityRatio,
                                2e-6 * reference->humidityRatio)
                        << static_cast<int>(input) << " at " << rh;
                    EXPECT_NEAR(state->wetBulb, reference->wetBulb, 1e-4);
                }
            }
        }
    }
}

TEST(Solve, FailuresSayWhichInputAndWhy) {
    const auto with = [](std::function<void(Conditions&)> change) {
        Conditions air = Air(25, 0.5);
        change(air);
        return air;
    };
    using K = FailureKind;
    using F = InputField;
    using H = HumidityInput;
    const struct {
        const char* name;
        Conditions air;
        FailureKind kind;
        InputField field;
        HumidityInput input;
        bool below;
    } rows[] = {
        {"dry bulb below 173.15 K", with([](Conditions& a) { a.dryBulb = 173.14; }), K::OutOfRange,
         F::DryBulb, H::RelativeHumidity, true},
        {"dry bulb above 373.15 K", with([](Conditions& a) { a.dryBulb = 373.16; }), K::OutOfRange,
         F::DryBulb, H::RelativeHumidity, false},
        {"dry bulb not a number", with([](Conditions& a) { a.dryBulb = std::nan(""); }),
         K::OutOfRange, F::DryBulb, H::RelativeHumidity, false},
        {"pressure below 5 kPa", with([](Conditions& a) { a.pressure = 4999; }), K::OutOfRange,
         F::Pressure, H::RelativeHumidity, true},
        {"altitude above 11 km", with([](Conditions& a) {
             a.pressureInput = PressureInput::Altitude;
             a.altitude = 11001;
         }),
         K::OutOfRange, F::Altitude, H::RelativeHumidity, false},
        {"relative humidity above 1", with([](Conditions& a) { a.humidity = 1.0001; }),
         K::OutOfRange, F::Humidity, H::RelativeHumidity, false},
        {"humidity ratio above saturation", with([](Conditions& a) {
             a.humidityInput = H::HumidityRatio;
             a.humidity = 0.0201;
         }),
         K::OutOfRange, F::Humidity, H::HumidityRatio, false},
        {"dew point above the dry bulb", with([](Conditions& a) {
             a.humidityInput = H::DewPoint;
             a.humidity = 298.16;
         }),
         K::OutOfRange, F::Humidity, H::DewPoint, false},
        {"wet bulb below that of dry air", with([](Conditions& a) {
             a.humidityInput = H::WetBulb;
             a.humidity = 281;
         }),
         K::OutOfRange, F::Humidity, H::WetBulb, true},
        {"negative mole fraction", with([](Conditions& a) {
             a.humidityInput = H::MoleFraction;
             a.humidity = -0.001;
         }),
         K::OutOfRange, F::Humidity, H::MoleFraction, true},
        {"boiling at sea level", with([](Conditions& a) { a.dryBulb = 373.15; }), K::PressureTooLow,
         F::Pressure, H::RelativeHumidity, false},
    };
    for (const auto& row : rows) {
        const Result<MoistAirState> state = Solve(row.air);
        ASSERT_FALSE(state.has_value()) << row.name;
        const SolveFailure& failure = state.error();
        EXPECT_EQ(failure.kind, row.kind) << row.name;
        EXPECT_EQ(failure.field, row.field) << row.name;
        if (row.field == F::Humidity) {
            EXPECT_EQ(failure.humidityInput, row.input) << row.name;
        }
        if (row.kind == K::OutOfRange && !std::isnan(failure.value)) {
            EXPECT_EQ(failure.belowMinimum(), row.below) << row.name;
        }
        EXPECT_FALSE(Describe(failure).empty());
    }
    // At 100 degC and 101325 Pa the saturation pressure, about 101418 Pa, is the value.
    const SolveFailure boiling = Solve(Air(100, 0.5)).error();
    EXPECT_NEAR(boiling.value, 101418, 1);
    EXPECT_EQ(boiling.allowed.maximum, 101325);
}

// A wet bulb of 0 K is no limit check's business but an arithmetic fault of the equation.
TEST(StateOf, AnArithmeticFaultComesBackTyped) {
    const Result<Ambient> ambient = AmbientOf(Air(25, 0.5));
    ASSERT_TRUE(ambient.has_value());
    const Result<Saturation> saturation = SaturationOf(*ambient, SatFormulation::IAPWS);
    ASSERT_TRUE(saturation.has_value());
    const Result<MoistAirState> state = StateOf(*ambient, *saturation, HumidityInput::WetBulb, 0);
    ASSERT_FALSE(state.has_value());
    EXPECT_EQ(state.error().kind, FailureKind::ArithmeticFault);
    EXPECT_NE(Describe(state.error()).find("Arithmetic fault"), std::string::npos);
}

// Air saturated at the dry bulb as given passes, though the dry bulb is held in 32 bits.
TEST(Solve, SaturatedAirAtTheGivenDryBulb) {
    for (const HumidityInput input : {HumidityInput::DewPoint, HumidityInput::WetBulb}) {
        Conditions air = Air(25, 0);
        air.humidityInput = input;
        air.humidity = 298.15;
        const Result<MoistAirState> state = Solve(air);
        ASSERT_TRUE(state.has_value()) << Describe(state.error());
        EXPECT_EQ(state->relativeHumidity, 1.0);
    }
}

bool SameBits(const MoistAirState& a, const MoistAirState& b) {
    return std::memcmp(&a.humidityRatio, &b.humidityRatio, sizeof a.humidityRatio) == 0 &&
           std::memcmp(&a.wetBulb, &b.wetBulb, sizeof a.wetBulb) == 0 && a.dewPoint == b.dewPoint &&
           a.enthalpy == b.enthalpy && a.saturation.dryAirWetBulb == b.saturation.dryAirWetBulb;
}

TEST(Solve, ManyThreadsAtOnceGetWhatOneGets) {
    std::vector<Conditions> grid;
    for (int t = -40; t <= 60; t += 5) {
        for (const double rh : {0.0, 0.3, 1.0}) {
            grid.push_back(
                Air(t, rh, 100000, t % 2 ? SatFormulation::IAPWS : SatFormulation::HylandWexler));
        }
    }
    std::vector<MoistAirState> expected;
    for (const Conditions& air : grid) {
        expected.push_back(*Solve(air));
    }
    std::vector<int> mismatches(4, 0);
    std::vector<std::thread> threads;
    for (int n = 0; n < 4; ++n) {
        threads.emplace_back([&, n] {
            for (int round = 0; round < 20; ++round) {
                for (std::size_t i = 0; i < grid.size(); ++i) {
                    mismatches[n] += SameBits(*Solve(grid[i]), expected[i]) ? 0 : 1;
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(mismatches, std::vector<int>(4, 0));
}

} // namespace
} // namespace hygrovane
