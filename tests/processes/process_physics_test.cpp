// Worked examples, each computed by hand from the moist-air relations of the ASHRAE Handbook of
// Fundamentals, chapter 1, with the constants the program uses: Hyland-Wexler saturation
// pressure; W = 0.62198 p_w / (P - p_w); v = 287.1 T (1 + 1.6078 W) / P;
// h = 1.006 t + W (2501 + 1.805 t); the wet-bulb equation
// W = ((2501 - 2.381 t*) W_s* - 1.006 (t - t*)) / (2501 + 1.805 t - 4.186 t*); liquid water
// 4.186 t and steam 2501 + 1.805 t_s. Mixing and bypass: W and h are dry-air-mass averages and
// t = (h - 2501 W) / (1.006 + 1.805 W). Volume flows at the entering state: m = V / v. The given
// dry bulbs are held in 32 bits, as the main window holds them. 101.325 kPa throughout.
#include "process_support.h"

#include "engine/wet_bulb.h"
#include "units/quantity.h"

#include <cmath>
#include <string>

namespace hygrovane::processes {
namespace {

using namespace testing;
using K = ProcessKind;

// What a row checks, each in the row's own units.
enum class Measure {
    EndC,
    EndF,
    EndW,
    MidC, // a chain's intermediate point
    MidF,
    AdpC,
    AdpF,
    Bypass,
    TotalKW,
    TotalBtuh,
    EquipmentKW,
    EquipmentBtuh,
    CoilTons, // refrigeration: the coil's heat, positive
    WaterKgh,
    WaterLbh,
};

double Value(Measure m, const ProcessResult& r) {
    const auto shown = [](double T, const char* unit) {
        return *units::FromInternal(units::Quantity::Temperature, unit, T);
    };
    const Loads& l = r.loads;
    switch (m) {
    case Measure::EndC:
        return shown(r.outlets.back().dryBulb, "C");
    case Measure::EndF:
        return shown(r.outlets.back().dryBulb, "F");
    case Measure::EndW:
        return r.outlets.back().humidityRatio;
    case Measure::MidC:
        return shown(r.outlets.front().dryBulb, "C");
    case Measure::MidF:
        return shown(r.outlets.front().dryBulb, "F");
    case Measure::AdpC:
        return shown(r.apparatusDewPoint->dryBulb, "C");
    case Measure::AdpF:
        return shown(r.apparatusDewPoint->dryBulb, "F");
    case Measure::Bypass:
        return *r.bypassFactor;
    case Measure::TotalKW:
        return l.total;
    case Measure::TotalBtuh:
        return HeatIn(HeatUnit::BtuPerHour, l.total);
    case Measure::EquipmentKW:
        return l.equipmentHeat;
    case Measure::EquipmentBtuh:
        return HeatIn(HeatUnit::BtuPerHour, l.equipmentHeat);
    case Measure::CoilTons:
        return HeatIn(HeatUnit::TonOfRefrigeration, -r.stages.front().loads.equipmentHeat);
    case Measure::WaterKgh:
        return WaterIn(WaterUnit::KilogramsPerHour, l.water);
    case Measure::WaterLbh:
        return WaterIn(WaterUnit::PoundsPerHour, l.water);
    }
    return 0;
}

bool IsTemperature(Measure m) {
    return m == Measure::EndC || m == Measure::EndF || m == Measure::MidC || m == Measure::MidF ||
           m == Measure::AdpC || m == Measure::AdpF;
}

struct Check {
    Measure measure;
    double expected;
};

struct Example {
    const char* name;
    ProcessKind kind;
    std::vector<PointConditions> inlets;
    std::vector<AirFlow> flows;
    ProcessParameters parameters;
    std::vector<Check> checks;
};

const std::vector<Example>& Examples() {
    static const std::vector<Example> examples{
        {"heating SI: saturated 2 C at 10 m3/s to 40 C",
         K::SensibleToDryBulb,
         {RH(C(2), 1)},
         {M3s(10)},
         {.leavingDryBulb = C(40)},
         {{Measure::EndW, 0.004363879111}, {Measure::TotalKW, 490.734158}}},
        {"heating IP: saturated 35 F at 2000 cfm to 100 F",
         K::SensibleToDryBulb,
         {RH(F(35), 1)},
         {Cfm(2000)},
         {.leavingDryBulb = F(100)},
         {{Measure::EndW, 0.004260316562}, {Measure::TotalBtuh, 150373.7878}}},
        {"heating IP by 150000 Btu/h",
         K::SensibleByHeatRate,
         {RH(F(35), 1)},
         {Cfm(2000)},
         {.heatRate = 1000 * 150000 / HeatIn(HeatUnit::BtuPerHour, 1)},
         {{Measure::EndF, 99.83842799}, {Measure::EquipmentBtuh, 150000}}},
        {"coil SI: 30 C 50 %, ADP 10 C, BF 0.15, 5 m3/s",
         K::CoilApparatusDewPoint,
         {RH(C(30), 0.5)},
         {M3s(5)},
         {.apparatusDewPoint = C(10), .bypassFactor = 0.15},
         {{Measure::EndC, 13.02559927},
          {Measure::EndW, 0.008482552838},
          {Measure::EquipmentKW, -167.9572034},
          {Measure::WaterKgh, -99.06146643}}},
        {"coil IP: 85 F 50 %, ADP 50 F, BF 0.1, 4000 cfm",
         K::CoilApparatusDewPoint,
         {RH(F(85), 0.5)},
         {Cfm(4000)},
         {.apparatusDewPoint = F(50), .bypassFactor = 0.1},
         {{Measure::EndF, 53.52926303},
          {Measure::EndW, 0.00815579654},
          {Measure::CoilTons, 18.23141043},
          {Measure::WaterLbh, -80.94120985}}},
        {"coil SI: leaving 14 C, BF 0.1",
         K::CoilLeavingDryBulb,
         {RH(C(30), 0.5)},
         {M3s(5)},
         {.leavingDryBulb = C(14), .bypassFactor = 0.1},
         {{Measure::EndC, 14}, {Measure::AdpC, 12.2082253}, {Measure::EndW, 0.009298736043}}},
        {"coil IP: leaving 55 F, BF 0.1",
         K::CoilLeavingDryBulb,
         {RH(F(85), 0.5)},
         {Cfm(4000)},
         {.leavingDryBulb = F(55), .bypassFactor = 0.1},
         {{Measure::EndF, 55}, {Measure::AdpF, 51.6385532}, {Measure::EndW, 0.008591680299}}},
        {"coil SI: to 16 C 85 %",
         K::CoilLeavingState,
         {RH(C(30), 0.5)},
         {M3s(5)},
         {.target = RH(C(16), 0.85)},
         {{Measure::EndW, 0.009635038988},
          {Measure::AdpC, 11.56657131},
          {Measure::Bypass, 0.2389607375}}},
        {"mixing SI: 1 m3/s 35 C 40 % with 3 m3/s 24 C 50 %",
         K::Mixing,
         {RH(C(35), 0.4), RH(C(24), 0.5)},
         {M3s(1), M3s(3)},
         {},
         {{Measure::EndC, 26.67746052}, {Measure::EndW, 0.01046796449}}},
        {"mixing IP: 2000 cfm 95 F 40 % with 6000 cfm 75 F 50 %",
         K::Mixing,
         {RH(F(95), 0.4), RH(F(75), 0.5)},
         {Cfm(2000), Cfm(6000)},
         {},
         {{Measure::EndF, 79.86676992}, {Measure::EndW, 0.01041992223}}},
        {"evaporative SI: 35 C 20 %, effectiveness 0.8",
         K::EvaporativeByEffectiveness,
         {RH(C(35), 0.2)},
         {M3s(2)},
         {.effectiveness = 0.8},
         {{Measure::EndC, 22.0961386}, {Measure::EndW, 0.01232583164}}},
        {"evaporative IP: 100 F 15 %, effectiveness 0.7",
         K::EvaporativeByEffectiveness,
         {RH(F(100), 0.15)},
         {Cfm(3000)},
         {.effectiveness = 0.7},
         {{Measure::EndF, 76.4165633}, {Measure::EndW, 0.01149597896}}},
        {"evaporative SI: 35 C 20 % to 70 %",
         K::EvaporativeToRelativeHumidity,
         {RH(C(35), 0.2)},
         {M3s(2)},
         {.relativeHumidity = 0.7},
         {{Measure::EndC, 22.68673052}, {Measure::EndW, 0.01207926845}}},
        {"steam SI: 20 C, W 0.004 to 0.008, steam at 100 C",
         K::SteamToHumidityRatio,
         {WR(C(20), 0.004)},
         {M3s(1)},
         {.humidityRatio = 0.008, .steamTemperature = C(100)},
         {{Measure::EndC, 20.56602428}}},
        {"steam IP: 70 F, W 0.005 to 0.009, steam at 230 F",
         K::SteamToHumidityRatio,
         {WR(F(70), 0.005)},
         {Cfm(2000)},
         {.humidityRatio = 0.009, .steamTemperature = F(230)},
         {{Measure::EndF, 71.13005693}}},
        {"steam SI: 20 C, W 0.004 to 50 %",
         K::SteamToRelativeHumidity,
         {WR(C(20), 0.004)},
         {M3s(1)},
         {.relativeHumidity = 0.5},
         {{Measure::EndC, 20.49433486}, {Measure::EndW, 0.007490238227}}},
        {"heating then evaporative SI: 5 C W 0.003 to 22 C 45 %, 2 m3/s",
         K::HeatingThenEvaporative,
         {WR(C(5), 0.003)},
         {M3s(2)},
         {.target = RH(C(22), 0.45)},
         {{Measure::MidC, 32.76726546},
          {Measure::EquipmentKW, 70.92628594},
          {Measure::WaterKgh, 39.93505846},
          {Measure::TotalKW, 71.60758904}}},
        {"heating then steam IP: 40 F W 0.002 to 72 F 40 %, 3000 cfm",
         K::HeatingThenSteam,
         {WR(F(40), 0.002)},
         {Cfm(3000)},
         {.steamTemperature = F(212), .target = RH(F(72), 0.4)},
         {{Measure::MidF, 70.83541879},
          {Measure::EquipmentBtuh, 105889.0626},
          {Measure::WaterLbh, 66.25957611}}},
        {"cooling then reheat SI: 30 C 50 % to 22 C W 0.0085, BF 0.1, 5 m3/s",
         K::CoolingThenReheat,
         {RH(C(30), 0.5)},
         {M3s(5)},
         {.bypassFactor = 0.1, .target = WR(C(22), 0.0085)},
         {{Measure::AdpC, 10.63490151},
          {Measure::MidC, 12.58787553},
          {Measure::EndW, 0.0085},
          {Measure::EquipmentKW, -170.1853147 + 54.78456536}}},
    };
    return examples;
}

TEST(ProcessPhysics, WorkedExamplesInBothUnitSystems) {
    for (const Example& example : Examples()) {
        const auto result =
            Compute(example.kind, example.inlets, example.flows, example.parameters);
        ASSERT_TRUE(result) << example.name << ": " << result.error().message;
        for (const Check& check : example.checks) {
            const double tolerance =
                IsTemperature(check.measure) ? 1e-5 : 1e-6 * std::abs(check.expected);
            EXPECT_NEAR(Value(check.measure, *result), check.expected, tolerance)
                << example.name << ", measure " << static_cast<int>(check.measure);
        }
    }
}

// Dry air, water and energy in equal what leaves, stage by stage:
// m h1 + Q + m_w h_w = m h2 and m W1 + m_w = m W2; a mixture's streams cancel.
TEST(ProcessPhysics, EnergyAndWaterBalancesClose) {
    for (const Example& example : Examples()) {
        const auto result =
            Compute(example.kind, example.inlets, example.flows, example.parameters);
        ASSERT_TRUE(result) << example.name;
        double energy = 0, water = 0, scale = 0, waterScale = 0;
        for (const Stage& stage : result->stages) {
            const Loads& l = stage.loads;
            const double in = l.dryAirFlow * stage.entering.enthalpy;
            const double out = l.dryAirFlow * stage.leaving.enthalpy;
            const double stageEnergy = in + l.equipmentHeat + l.water * l.waterEnthalpy - out;
            const double stageWater =
                l.dryAirFlow * (stage.entering.humidityRatio - stage.leaving.humidityRatio) +
                l.water;
            const double stageScale = std::abs(in) + std::abs(out);
            EXPECT_LE(std::abs(stageEnergy), 1e-9 * stageScale) << example.name;
            EXPECT_LE(std::abs(stageWater), 1e-9 * l.dryAirFlow * stage.entering.humidityRatio)
                << example.name;
            EXPECT_NEAR(l.sensible + l.latent, l.total, 1e-9 * stageScale) << example.name;
            energy += out - in;
            water += l.water;
            scale += stageScale;
            waterScale += std::abs(l.water);
        }
        if (example.kind == K::Mixing) {
            EXPECT_LE(std::abs(energy), 1e-9 * scale) << example.name;
            EXPECT_LE(std::abs(water), 1e-9 * waterScale) << example.name;
        }
        // Every process but a heater or coil exchanges no heat other than the water's.
        const bool adiabatic = example.kind == K::Mixing ||
                               InfoOf(example.kind).key.find("steam") == 0 ||
                               InfoOf(example.kind).key.find("evaporative") == 0;
        if (adiabatic) {
            EXPECT_LE(std::abs(result->loads.equipmentHeat), 1e-9 * scale) << example.name;
        }
    }
}

// A chain's stages run in series through its intermediate point: the first leaves where the
// second enters, each path ends where its stage does, and the stages' loads add up to the net.
TEST(ProcessPhysics, ChainedStagesMeetAtTheirIntermediatePoint) {
    std::vector<Example> chains;
    for (const Example& example : Examples()) {
        if (!StageNamesOf(example.kind).empty()) {
            chains.push_back(example);
        }
    }
    chains.push_back({"reference: 1 kg/s, 26 C 50 % to 20 C 50 %, BF 0.1",
                      K::CoolingThenReheat,
                      {RH(C(26), 0.5)},
                      {{FlowUnit::KilogramsPerSecond, 1}},
                      {.bypassFactor = 0.1, .target = RH(C(20), 0.5)},
                      {}});
    ASSERT_EQ(chains.size(), 4U);
    for (const Example& chain : chains) {
        const auto result = Compute(chain.kind, chain.inlets, chain.flows, chain.parameters);
        ASSERT_TRUE(result) << chain.name;
        ASSERT_EQ(result->stages.size(), 2U) << chain.name;
        ASSERT_EQ(result->outlets.size(), 2U) << chain.name;
        const Stage& first = result->stages[0];
        const Stage& second = result->stages[1];
        for (const AirState* s : {&first.leaving, &second.entering}) {
            EXPECT_EQ(s->dryBulb, result->outlets[0].dryBulb) << chain.name;
            EXPECT_EQ(s->humidityRatio, result->outlets[0].humidityRatio) << chain.name;
            EXPECT_EQ(s->enthalpy, result->outlets[0].enthalpy) << chain.name;
        }
        EXPECT_EQ(second.leaving.dryBulb, result->outlets[1].dryBulb) << chain.name;
        EXPECT_NEAR(result->paths[0].back().dryBulb, first.leaving.dryBulb, 1e-9) << chain.name;
        EXPECT_NEAR(result->paths[1].front().dryBulb, second.entering.dryBulb, 1e-9) << chain.name;
        EXPECT_DOUBLE_EQ(first.loads.equipmentHeat + second.loads.equipmentHeat,
                         result->loads.equipmentHeat)
            << chain.name;
    }
    // The reference, by IAPWS as the program starts: the coil takes 24.139 kW, the reheat adds
    // 9.898 kW, 14.241 kW net.
    const ProcessAmbient iapws;
    const AirModel air = *AirModel::Of(iapws);
    std::vector<AirState> in{*air.Given(RH(C(26), 0.5))};
    std::vector<double> flow{1};
    const auto atSeaLevel =
        ComputeProcess(air, K::CoolingThenReheat, chains.back().parameters, in, flow);
    ASSERT_TRUE(atSeaLevel);
    EXPECT_NEAR(atSeaLevel->stages[0].loads.equipmentHeat, -24.139, 5e-4);
    EXPECT_NEAR(atSeaLevel->stages[1].loads.equipmentHeat, 9.898, 5e-4);
    EXPECT_NEAR(atSeaLevel->loads.equipmentHeat, -14.241, 5e-4);
}

TEST(ProcessPhysics, PathsFollowTheirLines) {
    const AirModel air = Air();
    // Heating keeps W exactly, with no latent heat.
    const auto heating =
        Compute(K::SensibleToDryBulb, {RH(C(2), 1)}, {M3s(10)}, {.leavingDryBulb = C(40)});
    EXPECT_EQ(heating->outlets[0].humidityRatio, heating->stages[0].entering.humidityRatio);
    EXPECT_NEAR(heating->loads.latent, 0, 1e-12);
    EXPECT_EQ(*heating->loads.sensibleHeatRatio, 1);

    // The mixture lies on the line between the streams at the dry-air mass ratio (straight on
    // the h-W plane; the t W term of h bows it on the T-W plane).
    const auto mixing = Compute(K::Mixing, {RH(C(35), 0.4), RH(C(24), 0.5)}, {M3s(1), M3s(3)}, {});
    const AirState& a = mixing->stages[0].entering;
    const AirState& b = mixing->stages[1].entering;
    const AirState& m = mixing->outlets[0];
    const double share = mixing->stages[1].loads.dryAirFlow / mixing->loads.dryAirFlow;
    EXPECT_NEAR(share, 0.7581547456, 1e-9);
    EXPECT_NEAR((m.humidityRatio - a.humidityRatio) / (b.humidityRatio - a.humidityRatio), share,
                1e-12);
    EXPECT_NEAR((m.enthalpy - a.enthalpy) / (b.enthalpy - a.enthalpy), share, 1e-12);
    EXPECT_EQ(mixing->paths.size(), 2U);
    EXPECT_NEAR(mixing->paths[0].back().dryBulb, m.dryBulb, 1e-9);

    // Evaporative humidification keeps the wet bulb, to the wet-bulb search's tolerance.
    for (const ProcessParameters& p :
         {ProcessParameters{.effectiveness = 0.8}, ProcessParameters{.effectiveness = 1}}) {
        const auto evaporative =
            Compute(K::EvaporativeByEffectiveness, {RH(C(35), 0.2)}, {M3s(2)}, p);
        EXPECT_NEAR(evaporative->outlets[0].wetBulb, evaporative->stages[0].entering.wetBulb, 3e-6);
        for (const ChartPoint& q : evaporative->paths[0]) {
            EXPECT_NEAR(engine::WetBulbFromHumidityRatio(q.humidityRatio, q.dryBulb, 101325,
                                                         SatFormulation::HylandWexler),
                        evaporative->stages[0].entering.wetBulb, 3e-6);
        }
    }

    // Steam at 100 C warms air at 20 C slightly (by 0.566 K here), never cools it.
    const auto steam = Compute(K::SteamToHumidityRatio, {WR(C(20), 0.004)}, {M3s(1)},
                               {.humidityRatio = 0.008, .steamTemperature = C(100)});
    const double rise = steam->outlets[0].dryBulb - steam->stages[0].entering.dryBulb;
    EXPECT_GT(rise, 0.5);
    EXPECT_LT(rise, 0.6);

    // The coil's leaving state lies on the line to the apparatus dew point, at the bypass factor;
    // the guide continues it to the (saturated) apparatus dew point.
    const auto coil =
        Compute(K::CoilLeavingState, {RH(C(30), 0.5)}, {M3s(5)}, {.target = RH(C(16), 0.85)});
    const AirState& adp = *coil->apparatusDewPoint;
    const AirState& in = coil->stages[0].entering;
    EXPECT_NEAR(adp.humidityRatio, air.SaturationRatio(adp.dryBulb), 1e-15);
    EXPECT_NEAR(coil->outlets[0].humidityRatio,
                *coil->bypassFactor * in.humidityRatio +
                    (1 - *coil->bypassFactor) * adp.humidityRatio,
                1e-9 * in.humidityRatio);
    EXPECT_NEAR(coil->paths[0].back().dryBulb, coil->outlets[0].dryBulb, 1e-6);
    EXPECT_NEAR(coil->guide.back().dryBulb, adp.dryBulb, 1e-9);
}

TEST(ProcessPhysics, ImpossibleProcessesAreTypedFailures) {
    struct Row {
        const char* name;
        ProcessKind kind;
        std::vector<PointConditions> inlets;
        ProcessParameters parameters;
        FailureKind expected;
    };
    const std::vector<Row> rows{
        // Steep line: from 24 C 50 % (W 0.0093) to 22 C W 0.004 it passes below the whole
        // saturation curve (by hand: the side function keeps its sign from -100 C to 22 C).
        {"coil line never meets saturation",
         K::CoilLeavingState,
         {RH(C(24), 0.5)},
         {.target = WR(C(22), 0.004)},
         FailureKind::NoApparatusDewPoint},
        {"coil too cold for its bypass",
         K::CoilLeavingDryBulb,
         {RH(C(30), 0.5)},
         {.leavingDryBulb = C(-60), .bypassFactor = 0.5},
         FailureKind::NoApparatusDewPoint},
        {"reheat chain below saturation range",
         K::CoolingThenReheat,
         {RH(C(30), 0.5)},
         {.bypassFactor = 0.9, .target = WR(C(22), 0.0005)},
         FailureKind::NoApparatusDewPoint},
        {"two saturated streams", K::Mixing, {RH(C(5), 1), RH(C(35), 1)}, {}, FailureKind::Fog},
        {"steam beyond saturation",
         K::SteamToHumidityRatio,
         {RH(C(20), 0.5)},
         {.humidityRatio = 0.03},
         FailureKind::Fog},
        {"sensible cooling below the dew point",
         K::SensibleToDryBulb,
         {RH(C(30), 0.5)},
         {.leavingDryBulb = C(15)},
         FailureKind::Condensation},
        {"heating beyond the core's range",
         K::SensibleToDryBulb,
         {RH(C(30), 0.5)},
         {.leavingDryBulb = C(120)},
         FailureKind::OutOfRange},
        {"bypass factor 1",
         K::CoilApparatusDewPoint,
         {RH(C(30), 0.5)},
         {.apparatusDewPoint = C(10), .bypassFactor = 1},
         FailureKind::BadParameter},
        {"ADP above the entering dew point",
         K::CoilApparatusDewPoint,
         {RH(C(30), 0.3)},
         {.apparatusDewPoint = C(15), .bypassFactor = 0.1},
         FailureKind::BadParameter},
        {"coil that warms",
         K::CoilLeavingState,
         {RH(C(20), 0.5)},
         {.target = RH(C(25), 0.3)},
         FailureKind::BadParameter},
        {"evaporative below the wet bulb",
         K::EvaporativeToDryBulb,
         {RH(C(35), 0.2)},
         {.leavingDryBulb = C(15)},
         FailureKind::BadParameter},
        {"evaporative to a lower humidity",
         K::EvaporativeToRelativeHumidity,
         {RH(C(35), 0.2)},
         {.relativeHumidity = 0.1},
         FailureKind::BadParameter},
        {"effectiveness above 1",
         K::EvaporativeByEffectiveness,
         {RH(C(35), 0.2)},
         {.effectiveness = 1.2},
         FailureKind::BadParameter},
        {"steam to a lower humidity ratio",
         K::SteamToHumidityRatio,
         {WR(C(20), 0.008)},
         {.humidityRatio = 0.004},
         FailureKind::BadParameter},
        {"steam temperature NaN",
         K::SteamToHumidityRatio,
         {WR(C(20), 0.004)},
         {.humidityRatio = 0.006, .steamTemperature = NAN},
         FailureKind::BadParameter},
        {"heating chain that needs cooling",
         K::HeatingThenEvaporative,
         {RH(C(40), 0.1)},
         {.target = RH(C(22), 0.45)},
         FailureKind::BadParameter},
        {"reheat chain that needs no reheat",
         K::CoolingThenReheat,
         {RH(C(30), 0.5)},
         {.bypassFactor = 0.3, .target = WR(C(12), 0.0085)},
         FailureKind::BadParameter},
    };
    for (const Row& row : rows) {
        std::vector<AirFlow> flows(row.inlets.size(), M3s(1));
        const auto result = Compute(row.kind, row.inlets, flows, row.parameters);
        ASSERT_FALSE(result) << row.name;
        EXPECT_EQ(result.error().kind, row.expected) << row.name << ": " << result.error().message;
        EXPECT_FALSE(result.error().message.empty()) << row.name;
    }
    // The core's own failure passes through.
    const auto hot =
        Compute(K::SensibleToDryBulb, {RH(C(30), 0.5)}, {M3s(1)}, {.leavingDryBulb = C(120)});
    ASSERT_TRUE(hot.error().core);
    EXPECT_EQ(hot.error().core->field, InputField::DryBulb);
}

// The physics reads relations as numbers; the first that fails is what the computation reports,
// worded as the core words an arithmetic fault, and a copy for the next computation starts clean.
TEST(ProcessPhysics, FirstFailingRelationIsKept) {
    const AirModel air = Air().ForOneComputation();
    EXPECT_FALSE(air.firstFault());
    EXPECT_GT(air.Enthalpy(C(20), 0.01), 0);
    EXPECT_FALSE(air.firstFault());
    // t = (h - 2501 W) / (1.006 + 1.805 W): no heat capacity at W = -1.006 / 1.805.
    EXPECT_TRUE(std::isnan(air.DryBulb(10, -1.006 / 1.805)));
    EXPECT_TRUE(std::isnan(air.Enthalpy(C(20), 1e308 * 10)));
    ASSERT_TRUE(air.firstFault());
    EXPECT_EQ(air.firstFault()->kind, hygrovane::FailureKind::ArithmeticFault);
    EXPECT_EQ(air.firstFault()->detail, "division by zero");
    EXPECT_FALSE(air.ForOneComputation().firstFault());
}

} // namespace
} // namespace hygrovane::processes
