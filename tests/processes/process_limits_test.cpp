// Processes at the edges: steam humidification at low pressures, coils whose air would leave as
// fog, a coil that meets a saturated target, and inputs no air can have.
#include "process_support.h"

#include "engine/saturation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace hygrovane::processes {
namespace {

using namespace testing;
using K = ProcessKind;

ProcessAmbient At(double pressure, SatFormulation formulation = SatFormulation::IAPWS) {
    return {PressureInput::Barometric, pressure, 0, formulation};
}

Outcome<ProcessResult> Computed(const ProcessAmbient& ambient, ProcessKind kind,
                                const std::vector<PointConditions>& inlets,
                                const std::vector<double>& dryAirFlows,
                                const ProcessParameters& p) {
    const AirModel air = *AirModel::Of(ambient);
    std::vector<AirState> states;
    for (const PointConditions& inlet : inlets) {
        states.push_back(*air.Given(inlet));
    }
    return ComputeProcess(air, kind, p, states, dryAirFlows);
}

// The highest relative humidity on a steam humidifier's line, by brute force: the line
// h = h1 + (W - W1) h_s sampled at 20,000 humidity ratios from 1 mg/kg to 1000 kg/kg added,
// with phi = p_w(W) / p_ws(T(W)); none of the search's stepping or refining.
double HighestOnSteamLine(const AirModel& air, const AirState& in, double steamTemperature) {
    const double hs = 2501 + 1.805 * (steamTemperature - 273.15);
    double highest = air.RelativeHumidity(in.dryBulb, in.humidityRatio);
    constexpr int kSamples = 20000;
    for (int i = 0; i <= kSamples; ++i) {
        const double W = in.humidityRatio + 1e-6 * std::pow(1e9, static_cast<double>(i) / kSamples);
        const double T = air.DryBulb(in.enthalpy + (W - in.humidityRatio) * hs, W);
        if (T > kHighestDryBulb) {
            break;
        }
        highest = std::max(highest, air.RelativeHumidity(T, W));
    }
    return highest;
}

// The percentage a refusal names as the highest reached ("at most 30.238 %").
double NamedHighest(const std::string& message) {
    const auto at = message.find("at most ");
    return at == std::string::npos ? NAN : std::stod(message.substr(at + 8)) / 100;
}

// Below the boiling point at the ambient pressure W_s(T) is finite; past it, it has a pole and
// turns negative, which once let the search call any target reached there. Every target up to
// the highest humidity the line reaches is met, on the line and below that point; every one
// above is refused, naming that highest humidity.
TEST(ProcessLimits, SteamToARelativeHumidityFromFiveKilopascalsToSeaLevel) {
    const double pressures[] = {5000,  6000,  7500,  10000, 12500, 15000, 20000,
                                30000, 40000, 50000, 70000, 90000, 101325};
    for (double steam : {C(100), C(60), C(150)}) {
        for (double P : pressures) {
            const std::string where =
                std::to_string(P) + " Pa, steam at " + std::to_string(steam - 273.15) + " degC";
            const AirModel air = *AirModel::Of(At(P));
            const AirState in = *air.Given(RH(C(20), 0.3));
            const double boiling = engine::SaturationTemperature(P, SatFormulation::IAPWS);
            const double highest = std::min(1.0, HighestOnSteamLine(air, in, steam));
            const auto run = [&](double phi) {
                return Computed(At(P), K::SteamToRelativeHumidity, {RH(C(20), 0.3)}, {1},
                                {.relativeHumidity = phi, .steamTemperature = steam});
            };
            for (double phi : {(0.3 + highest) / 2, highest - 1e-4, highest}) {
                if (phi < 0.3) {
                    continue;
                }
                const auto reached = run(phi);
                ASSERT_TRUE(reached) << where << ", " << phi << ": " << reached.error().message;
                const AirState& out = reached->outlets.back();
                EXPECT_NEAR(air.RelativeHumidity(out.dryBulb, out.humidityRatio), phi, 2e-6)
                    << where << ", " << phi;
                EXPECT_LT(out.dryBulb, boiling) << where << ", " << phi;
            }
            if (highest < 1) {
                for (double phi : {highest + 2e-5, (highest + 1) / 2, 1.0}) {
                    const auto refused = run(phi);
                    ASSERT_FALSE(refused) << where << ", " << phi;
                    EXPECT_EQ(refused.error().kind, FailureKind::BadParameter);
                    EXPECT_NEAR(NamedHighest(refused.error().message), highest, 1.1e-5)
                        << where << ": " << refused.error().message;
                }
            }
        }
    }
}

TEST(ProcessLimits, TheLowPressureSteamCasesOnceMisjudged) {
    struct Row {
        const char* name;
        double pressure;
        double phi;
        double endC; // NAN: unreachable
        const char* message;
    };
    const Row rows[] = {
        {"5 kPa to 100 %: once 'reached' at the boiling point, 32.875 degC and 26.8 %", 5000, 1,
         NAN,
         "This humidifier cannot bring the air to 100 % relative humidity: along its line the "
         "air reaches at most 30.238 %."},
        {"20 kPa to 70 %: once refused for the saturation pressure", 20000, 0.7, 31.61, ""},
        {"10 kPa to 35 %: once an arithmetic fault", 10000, 0.35, 22.28, ""},
    };
    for (const Row& row : rows) {
        const auto result =
            Computed(At(row.pressure), K::SteamToRelativeHumidity, {RH(C(20), 0.3)}, {1},
                     {.relativeHumidity = row.phi, .steamTemperature = C(100)});
        if (std::isnan(row.endC)) {
            ASSERT_FALSE(result) << row.name;
            EXPECT_EQ(result.error().message, row.message) << row.name;
            continue;
        }
        ASSERT_TRUE(result) << row.name << ": " << result.error().message;
        EXPECT_NEAR(result->outlets.back().dryBulb - 273.15, row.endC, 0.005) << row.name;
    }
}

TEST(ProcessLimits, CoilsAndChainsThatCannotBeMetSayWhy) {
    const double kHuge = 1e308;
    struct Row {
        const char* name;
        ProcessKind kind;
        std::vector<PointConditions> inlets;
        std::vector<double> flows;
        ProcessParameters parameters;
        FailureKind kind_;
        const char* message; // its start
    };
    const std::vector<Row> rows{
        {"near-saturated air to a low ADP leaves fog",
         K::CoilApparatusDewPoint,
         {RH(C(20), 0.95)},
         {1},
         {.apparatusDewPoint = C(2), .bypassFactor = 0.3},
         FailureKind::Fog,
         "The leaving air would be fog: the line from the entering air to the apparatus dew "
         "point 2.000 degC passes beyond saturation, and at the bypass factor 0.3 it ends at "
         "7.464 degC with 0.00724 kg/kg of water, where saturated air holds 0.00642 kg/kg."},
        {"a chain's coil that would leave fog names the fog, not the user's target",
         K::CoolingThenReheat,
         {RH(C(20), 0.95)},
         {1},
         {.bypassFactor = 0.3, .target = RH(C(22), 0.6)},
         FailureKind::Fog,
         "The leaving air would be fog: the line from the entering air to the apparatus dew "
         "point 10.994 degC"},
        {"a leaving dry bulb of -5 K",
         K::SensibleToDryBulb,
         {RH(C(20), 0.5)},
         {1},
         {.leavingDryBulb = -5},
         FailureKind::OutOfRange,
         "The dry bulb (K) -5 lies outside its limits 173.15 to 373.15."},
        {"a heat rate that would take the air below 0 K",
         K::SensibleByHeatRate,
         {RH(C(20), 0.5)},
         {1},
         {.heatRate = -1e9},
         FailureKind::OutOfRange,
         "The dry bulb (K) -980954.714 lies outside its limits"},
        {"1E300 W on 1E-300 kg/s: a load per kilogram beyond the doubles",
         K::SensibleByHeatRate,
         {RH(C(20), 0.5)},
         {1e-300},
         {.heatRate = 1e300},
         FailureKind::BadParameter,
         "The heat rate per kilogram of dry air is out of range: 1e+300 W on 1e-300 kg/s"},
        {"the same cooling",
         K::SensibleByHeatRate,
         {RH(C(20), 0.5)},
         {1e-300},
         {.heatRate = -1e300},
         FailureKind::BadParameter,
         "The heat rate per kilogram of dry air is out of range: -1e+300 W"},
        {"evaporative cooling to -5 K",
         K::EvaporativeToDryBulb,
         {RH(C(20), 0.5)},
         {1},
         {.leavingDryBulb = -5},
         FailureKind::OutOfRange,
         "The dry bulb (K) -5 lies outside"},
        {"a coil leaving at -5 K",
         K::CoilLeavingDryBulb,
         {RH(C(20), 0.5)},
         {1},
         {.leavingDryBulb = -5, .bypassFactor = 0.1},
         FailureKind::OutOfRange,
         "The dry bulb (K) -5 lies outside"},
        {"two flows whose sum overflows",
         K::Mixing,
         {RH(C(30), 0.5), RH(C(20), 0.5)},
         {kHuge, kHuge},
         {},
         FailureKind::BadParameter,
         "The two air flows together are too large to compute."},
    };
    for (const Row& row : rows) {
        const auto result = Computed(At(101325), row.kind, row.inlets, row.flows, row.parameters);
        ASSERT_FALSE(result) << row.name;
        EXPECT_EQ(result.error().kind, row.kind_) << row.name << ": " << result.error().message;
        EXPECT_EQ(result.error().message.rfind(row.message, 0), 0U)
            << row.name << ": " << result.error().message;
    }
}

// With bypass factor 0 the coil leaves the air saturated at the ADP, which is the dew point of
// the target's humidity ratio: a saturated target is met with nothing to reheat, whatever the
// rounding of its 32-bit dry bulb; a target 1 mK or more below the coil's air needs none either
// and is refused.
TEST(ProcessLimits, ASaturatedTargetAtBypassFactorZeroNeedsNoReheat) {
    for (SatFormulation formulation : {SatFormulation::IAPWS, SatFormulation::HylandWexler}) {
        for (double celsius : {2.0, 8.0, 8.2, 10.05, 12.3, 14.0}) {
            const std::string name = std::to_string(celsius) + " degC, " +
                                     (formulation == SatFormulation::IAPWS ? "IAPWS" : "H-W");
            const auto met =
                Computed(At(101325, formulation), K::CoolingThenReheat, {RH(C(26), 0.5)}, {1},
                         {.bypassFactor = 0, .target = RH(C(celsius), 1)});
            ASSERT_TRUE(met) << name << ": " << met.error().message;
            EXPECT_NEAR(met->outlets.back().dryBulb, C(celsius), 1e-3) << name;
            EXPECT_NEAR(met->stages.back().loads.equipmentHeat, 0, 1e-3) << name;
        }
        // The same target 1E-9 below the entering humidity ratio: the coil barely works.
        const AirModel air = *AirModel::Of(At(101325, formulation));
        const AirState in = *air.Given(RH(C(26), 0.5));
        const double W = in.humidityRatio - 1e-9;
        const auto barely = Computed(
            At(101325, formulation), K::CoolingThenReheat, {RH(C(26), 0.5)}, {1},
            {.bypassFactor = 0, .target = {air.DewPoint(W), HumidityInput::HumidityRatio, W}});
        EXPECT_TRUE(barely) << barely.error().message;
    }
    const auto warm = Computed(At(101325), K::CoolingThenReheat, {RH(C(30), 0.5)}, {1},
                               {.bypassFactor = 0.3, .target = WR(C(12), 0.0085)});
    ASSERT_FALSE(warm);
    EXPECT_EQ(warm.error().message,
              "The coil leaves the air warmer than the target: it needs no reheat.");
}

// A cooling-then-reheat target holding as much water as the entering air, or a hair less, is met
// alike in both formulations: the coil works at (or just below) the entering air's dew point,
// removing next to no water, and the reheat brings the air to the target's dry bulb. More water
// than the entering air, beyond what the core's 32-bit partial pressure can tell apart, is
// refused in both.
TEST(ProcessLimits, ATargetHoldingTheEnteringWaterIsMetAlikeInBothFormulations) {
    struct Row {
        const char* name;
        double relative; // the target's W over the entering air's
        bool met;
    };
    const Row rows[] = {
        {"a billionth less", 1 - 1e-9, true},
        {"equal", 1, true},
        {"a hundred-millionth more: the same water to the core", 1 + 1e-8, true},
        {"a ten-thousandth more", 1 + 1e-4, false},
    };
    for (SatFormulation formulation : {SatFormulation::IAPWS, SatFormulation::HylandWexler}) {
        const AirModel air = *AirModel::Of(At(101325, formulation));
        const AirState in = *air.Given(RH(C(26), 0.5));
        for (const Row& row : rows) {
            for (double bypass : {0.0, 0.1, 0.3}) {
                const std::string name = std::string(row.name) + ", bypass " +
                                         std::to_string(bypass) + ", " +
                                         (formulation == SatFormulation::IAPWS ? "IAPWS" : "H-W");
                const double W = in.humidityRatio * row.relative;
                const auto result =
                    Computed(At(101325, formulation), K::CoolingThenReheat, {RH(C(26), 0.5)}, {1},
                             {.bypassFactor = bypass, .target = WR(C(24), W)});
                if (!row.met) {
                    ASSERT_FALSE(result) << name;
                    EXPECT_EQ(result.error().message.rfind("A cooling coil cannot add water", 0),
                              0U)
                        << name << ": " << result.error().message;
                    continue;
                }
                ASSERT_TRUE(result) << name << ": " << result.error().message;
                const AirState& out = result->outlets.back();
                EXPECT_NEAR(out.dryBulb, C(24), 1e-4) << name;
                // To the precision of the dew point's inverse in Hyland-Wexler's formulation,
                // where the coil at its ADP then removes nothing.
                EXPECT_NEAR(out.humidityRatio, std::min(W, in.humidityRatio), 2e-11) << name;
                const Loads& coil = result->stages.front().loads;
                EXPECT_LE(coil.water, 0) << name << ": no water added";
                EXPECT_GT(coil.water, -1e-10) << name << ": next to none removed";
                EXPECT_LT(coil.sensible, 0) << name << ": the coil cools";
                ASSERT_TRUE(result->apparatusDewPoint) << name;
                EXPECT_NEAR(result->apparatusDewPoint->dryBulb, *in.core.dewPoint, 1e-3) << name;
            }
        }
    }
}

// A coil that leaves the air saturated has a bypass factor of 0, never a hair below it, which
// the table would show as "-0.0000".
TEST(ProcessLimits, ACoilToSaturationHasNoNegativeBypassFactor) {
    // Entering dew points from 14.8 degC up, leaving from 6 to 14 degC.
    for (SatFormulation formulation : {SatFormulation::IAPWS, SatFormulation::HylandWexler}) {
        int cases = 0;
        for (int entering = 26; entering <= 42; entering += 2) {
            for (int leaving = 6; leaving <= 14; ++leaving) {
                const std::string name = std::to_string(entering) + " degC and 50 % to " +
                                         std::to_string(leaving) + " degC saturated, " +
                                         (formulation == SatFormulation::IAPWS ? "IAPWS" : "H-W");
                const auto result =
                    Computed(At(101325, formulation), K::CoilLeavingState, {RH(C(entering), 0.5)},
                             {1}, {.target = RH(C(leaving), 1)});
                ASSERT_TRUE(result) << name << ": " << result.error().message;
                ASSERT_TRUE(result->bypassFactor) << name;
                EXPECT_FALSE(std::signbit(*result->bypassFactor))
                    << name << ": " << *result->bypassFactor;
                EXPECT_LT(*result->bypassFactor, 1e-6) << name;
                ++cases;
            }
        }
        EXPECT_EQ(cases, 81);
    }
}

} // namespace
} // namespace hygrovane::processes
