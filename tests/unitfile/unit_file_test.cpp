// UNIT.json: what it refuses, by key, and what it keeps through a round trip.
#include "unitfile/unit_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace hygrovane::unitfile {
namespace {

using airunit::EconomizerKind;
using airunit::FlowUnit;
using airunit::RoomHumidity;
using airunit::UnitSettings;

// The issue's example, as a designer would write it.
constexpr const char* kExample = R"({"room": {"dryBulb": 24, "relativeHumidity": 50},
 "supply": {"dryBulb": 13, "maxDewPoint": 11, "minDewPoint": 2},
 "flow": {"value": 10000, "unit": "m3/h"},
 "minOutdoorFraction": 0.2,
 "economizer": {"kind": "differential-enthalpy"},
 "recovery": {"sensible": 0.75, "latent": 0.6},
 "coilLeavingRelativeHumidity": 95, "steamTemperature": 100})";

// The example with `from` replaced by `to` (once).
std::string Changed(const std::string& from, const std::string& to) {
    std::string text = kExample;
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(UnitFile, ReadsTheExample) {
    const auto read = ReadUnitText(kExample);
    ASSERT_TRUE(read.has_value()) << read.error().message;
    const UnitSettings& s = *read;
    EXPECT_EQ(s.roomDryBulb, 24);
    EXPECT_EQ(s.roomHumidityKind, RoomHumidity::RelativeHumidity);
    EXPECT_EQ(s.roomHumidity, 50);
    EXPECT_EQ(s.supplyDryBulb, 13);
    EXPECT_EQ(s.maxDewPoint, 11);
    EXPECT_EQ(s.minDewPoint, 2);
    EXPECT_EQ(s.flow, 10000);
    EXPECT_EQ(s.flowUnit, FlowUnit::CubicMetresPerHour);
    EXPECT_EQ(s.minOutdoorFraction, 0.2);
    EXPECT_EQ(s.economizer, EconomizerKind::DifferentialEnthalpy);
    ASSERT_TRUE(s.recovery.has_value());
    EXPECT_EQ(s.recovery->sensible, 0.75);
    EXPECT_EQ(s.recovery->latent, 0.6);
    EXPECT_EQ(s.coilLeavingRelativeHumidity, 95);
    EXPECT_EQ(s.steamTemperature, 100);
}

struct RefusalRow {
    const char* name;
    std::string text;
    const char* key; // the key the failure names; "" for the text as a whole
    const char* words;
};

void PrintTo(const RefusalRow& row, std::ostream* os) {
    *os << row.name;
}

class Refused : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(Refused, NamingTheKey) {
    const auto read = ReadUnitText(GetParam().text);
    ASSERT_FALSE(read.has_value());
    EXPECT_EQ(read.error().key, GetParam().key);
    EXPECT_NE(read.error().message.find(GetParam().words), std::string::npos)
        << read.error().message;
    if (*GetParam().key != '\0') {
        EXPECT_EQ(read.error().message.find(std::string("\"") + GetParam().key + "\""), 0u)
            << read.error().message;
    }
}

INSTANTIATE_TEST_SUITE_P(
    UnitFile, Refused,
    ::testing::Values(
        // Unknown keys, at any depth.
        RefusalRow{"UnknownTopKey", Changed("\"minOutdoorFraction\"", "\"minOutdoorAir\""),
                   "minOutdoorAir", "unknown key"},
        RefusalRow{"UnknownRoomKey", Changed("\"relativeHumidity\": 50", "\"rh\": 50"), "room.rh",
                   "unknown key"},
        RefusalRow{"UnknownRecoveryKey", Changed("\"latent\": 0.6", "\"latent\": 0.6, \"x\": 1"),
                   "recovery.x", "unknown key"},
        RefusalRow{
            "LimitOfAKindWithoutOne",
            Changed("\"differential-enthalpy\"}", "\"differential-enthalpy\", \"limit\": 3}"),
            "economizer.limit", "has no limit"},
        // Missing required keys.
        RefusalRow{"NoSupplyDryBulb", Changed("\"dryBulb\": 13, ", ""), "supply.dryBulb",
                   "missing key"},
        RefusalRow{"NoFlow", Changed("\"flow\": {\"value\": 10000, \"unit\": \"m3/h\"},", ""),
                   "flow", "missing key"},
        RefusalRow{"NoFlowUnit", Changed(", \"unit\": \"m3/h\"", ""), "flow.unit", "missing key"},
        RefusalRow{"NoFraction", Changed("\"minOutdoorFraction\": 0.2,", ""), "minOutdoorFraction",
                   "missing key"},
        RefusalRow{"NoFixedLimit", Changed("\"differential-enthalpy\"", "\"fixed-enthalpy\""),
                   "economizer.limit", "missing key"},
        RefusalRow{"HalfARecovery", Changed("\"sensible\": 0.75, ", ""), "recovery.sensible",
                   "missing key"},
        RefusalRow{"NoRoomHumidity", Changed(", \"relativeHumidity\": 50", ""), "room",
                   "exactly one of"},
        RefusalRow{"BothRoomHumidities",
                   Changed("\"relativeHumidity\": 50", "\"relativeHumidity\": 50, \"dewPoint\": 9"),
                   "room", "exactly one of"},
        // Wrong types.
        RefusalRow{"NumberAsText", Changed("\"dryBulb\": 24", "\"dryBulb\": \"24\""),
                   "room.dryBulb", "must be a number"},
        RefusalRow{"NullDewPoint", Changed("\"maxDewPoint\": 11", "\"maxDewPoint\": null"),
                   "supply.maxDewPoint", "must be a number"},
        RefusalRow{"RecoveryAsANumber", Changed("{\"sensible\": 0.75, \"latent\": 0.6}", "0.75"),
                   "recovery", "must be an object"},
        RefusalRow{"UnitAsANumber", Changed("\"m3/h\"", "3600"), "flow.unit", "must be a text"},
        RefusalRow{"UnknownFlowUnit", Changed("\"m3/h\"", "\"l/s\""), "flow.unit", "no flow unit"},
        RefusalRow{"UnknownEconomizer", Changed("\"differential-enthalpy\"", "\"enthalpy\""),
                   "economizer.kind", "no economizer kind"},
        // Out of range, named by the key.
        RefusalRow{"SupplyTooWarm", Changed("\"dryBulb\": 13", "\"dryBulb\": 60"), "supply.dryBulb",
                   "supply dry bulb 60 °C must lie between -10 and 54 °C"},
        RefusalRow{"RoomDewPointAboveTheRoom",
                   Changed("\"relativeHumidity\": 50", "\"dewPoint\": 25"), "room.dewPoint",
                   "must not exceed the room dry bulb"},
        RefusalRow{"FractionAboveOne", Changed("0.2", "1.2"), "minOutdoorFraction",
                   "between 0 and 1"},
        RefusalRow{"EffectivenessAboveOne", Changed("0.75", "1.75"), "recovery.sensible",
                   "between 0 and 1"},
        RefusalRow{"MinDewPointAboveMax", Changed("\"minDewPoint\": 2", "\"minDewPoint\": 12"),
                   "supply.minDewPoint", "below the maximum supply dew point"},
        RefusalRow{"NegativeFlow", Changed("10000", "-1"), "flow.value", "above 0"},
        RefusalRow{"CoilAbove100", Changed("95", "101"), "coilLeavingRelativeHumidity",
                   "between 0 and 100 %"},
        // The format version and the text as a whole.
        RefusalRow{"NewerFormat", Changed("{\"room\"", "{\"format\": 2, \"room\""), "format",
                   "newer format"},
        RefusalRow{"FractionalFormat", Changed("{\"room\"", "{\"format\": 1.5, \"room\""), "format",
                   "whole number"},
        RefusalRow{"NotAnObject", "[1, 2]", "", "not a JSON object"},
        RefusalRow{"Truncated", std::string(kExample).substr(0, 40), "", "damaged"},
        RefusalRow{"Empty", "", "", "damaged"}),
    [](const auto& info) { return std::string(info.param.name); });

std::vector<UnitSettings> Variants() {
    const UnitSettings example = *ReadUnitText(kExample);
    UnitSettings dewPoint = example;
    dewPoint.roomHumidityKind = RoomHumidity::DewPoint;
    dewPoint.roomHumidity = 12.3;
    dewPoint.recovery.reset();
    dewPoint.maxDewPoint.reset();
    dewPoint.minDewPoint.reset();
    UnitSettings fixed = example;
    fixed.economizer = EconomizerKind::FixedDryBulb;
    fixed.economizerLimit = 18.1;
    fixed.flow = 0.1 + 0.2; // a value of no short decimal
    fixed.flowUnit = FlowUnit::CubicFeetPerMinute;
    fixed.minOutdoorFraction = 1.0 / 3;
    UnitSettings enthalpy = example;
    enthalpy.economizer = EconomizerKind::FixedEnthalpy;
    enthalpy.economizerLimit = 47.5;
    enthalpy.flowUnit = FlowUnit::KilogramsPerSecond;
    enthalpy.flow = 2.75;
    return {example, dewPoint, fixed, enthalpy};
}

TEST(UnitFile, KeepsEverySettingToTheLastBit) {
    for (const UnitSettings& settings : Variants()) {
        const auto back = ReadUnitText(UnitText(settings));
        ASSERT_TRUE(back.has_value()) << back.error().message;
        EXPECT_EQ(*back, settings) << UnitText(settings);
        const auto compact = ReadUnitText(SettingsJson(settings));
        ASSERT_TRUE(compact.has_value());
        EXPECT_EQ(*compact, settings);
    }
}

TEST(UnitFile, SavesAndOpensAndRefusesWithoutTouchingTheFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("UNIT.json").toStdString();
    const UnitSettings settings = Variants()[2];
    ASSERT_TRUE(SaveUnit(settings, path).has_value());
    const auto opened = OpenUnit(path);
    ASSERT_TRUE(opened.has_value()) << opened.error().message;
    EXPECT_EQ(*opened, settings);

    UnitSettings wrong = settings;
    wrong.supplyDryBulb = 99;
    std::ifstream before(path);
    const std::string bytes((std::istreambuf_iterator<char>(before)), {});
    const auto refused = SaveUnit(wrong, path);
    ASSERT_FALSE(refused.has_value());
    EXPECT_NE(refused.error().message.find("supply.dryBulb"), std::string::npos)
        << refused.error().message;
    std::ifstream after(path);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(after)), {}), bytes);

    const auto missing = OpenUnit(dir.filePath("none.json").toStdString());
    ASSERT_FALSE(missing.has_value());
    EXPECT_NE(missing.error().message.find("none.json"), std::string::npos);
}

TEST(UnitFile, OpenNamesTheFileAndTheKey) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("bad.json").toStdString();
    {
        std::ofstream out(path);
        out << Changed("0.2", "\"0.2\"");
    }
    const auto opened = OpenUnit(path);
    ASSERT_FALSE(opened.has_value());
    EXPECT_NE(opened.error().message.find("bad.json"), std::string::npos);
    EXPECT_NE(opened.error().message.find("\"minOutdoorFraction\": must be a number"),
              std::string::npos)
        << opened.error().message;
}

} // namespace
} // namespace hygrovane::unitfile
