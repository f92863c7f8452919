// hygrovane-climate --unit and --unit-hourly as a user runs them: the JSON keys scripts read,
// the same figures as the unit run in-process, several units side by side, a unit file refused
// by key before anything runs, and the hourly file's rows.
#include "program_support.h"
#include "text_lines.h"

#include "airunit/unit_run.h"
#include "climate/epw_reader.h"
#include "text/number_text.h"
#include "unitfile/unit_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <filesystem>

namespace hygrovane::climatecli {
namespace {

using namespace testing;

constexpr const char* kExample = R"({"room": {"dryBulb": 24, "relativeHumidity": 50},
 "supply": {"dryBulb": 13, "maxDewPoint": 11, "minDewPoint": 2},
 "flow": {"value": 10000, "unit": "m3/h"},
 "minOutdoorFraction": 0.2,
 "economizer": {"kind": "differential-enthalpy"},
 "recovery": {"sensible": 0.75, "latent": 0.6},
 "coilLeavingRelativeHumidity": 95, "steamTemperature": 100})";

constexpr const char* kPlate = R"({"room": {"dryBulb": 22, "dewPoint": 10},
 "supply": {"dryBulb": 14},
 "flow": {"value": 3, "unit": "kg/s"},
 "minOutdoorFraction": 1,
 "economizer": {"kind": "fixed-dry-bulb", "limit": 18},
 "recovery": {"sensible": 0.7, "latent": 0}})";

std::string UnitFile(const std::string& folder, const std::string& name, const std::string& text) {
    const std::string path = folder + "/" + name;
    WriteText(path, text);
    return path;
}

QJsonObject JsonOf(const std::string& text) {
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text));
    EXPECT_TRUE(document.isObject()) << text.substr(0, 200);
    return document.object();
}

// The unit run in-process on Chicago with the program's defaults (IAPWS, station pressure, the
// relative humidity) and `filter`.
airunit::UnitRun InProcess(const char* unitText, const climate::Filter& filter = {}) {
    static const climate::WeatherData data = *climate::ReadEpwFile(ChicagoPath());
    const auto states = climate::ComputeStates(data, {});
    return *airunit::RunUnit(data, states, filter, *unitfile::ReadUnitText(unitText));
}

const std::vector<std::string> kTotalKeys = {"hoursOn",
                                             "hoursOff",
                                             "hoursMissing",
                                             "economizerHours",
                                             "fullOutdoorAirHours",
                                             "heatingHours",
                                             "coolingHours",
                                             "dehumidifyingHours",
                                             "reheatHours",
                                             "humidifyingHours",
                                             "heatingKWh",
                                             "coolingKWh",
                                             "coolingSensibleKWh",
                                             "coolingLatentKWh",
                                             "reheatKWh",
                                             "humidifierKWh",
                                             "recoveredHeatingKWh",
                                             "recoveredCoolingKWh",
                                             "condensateKg",
                                             "steamKg"};

// Every figure of `object` is the run's, to the last bit.
void SameFigures(const QJsonObject& object, const airunit::UnitTotals& totals,
                 const std::string& where) {
    QStringList keys = object.keys();
    EXPECT_EQ(static_cast<std::size_t>(keys.size()), kTotalKeys.size()) << where;
    for (const airunit::TotalField& field : airunit::kTotalFields) {
        const QJsonValue value = object.value(field.key);
        ASSERT_TRUE(value.isDouble()) << where << " " << field.key;
        EXPECT_EQ(value.toDouble(), totals.*field.member) << where << " " << field.key;
    }
}

TEST(UnitProgram, JsonAddsTheUnitWithTheKeysScriptsRead) {
    const std::string folder = TemporaryFolder();
    const Ran ran = RunProgram(
        {ChicagoPath(), "--unit", UnitFile(folder, "UNIT.json", kExample), "--format", "json"});
    ASSERT_EQ(ran.status, 0) << ran.err;
    const QJsonObject root = JsonOf(ran.out);
    EXPECT_TRUE(root.contains("zones")); // the climate's figures stay
    const QJsonObject unit = root.value("unit").toObject();
    EXPECT_EQ(unit.keys(), (QStringList{"months", "peaks", "settings", "year"}));
    const airunit::UnitRun run = InProcess(kExample);
    for (const auto& field : airunit::kTotalFields) {
        EXPECT_NE(std::find(kTotalKeys.begin(), kTotalKeys.end(), field.key), kTotalKeys.end());
    }
    SameFigures(unit.value("year").toObject(), run.year, "year");
    const QJsonArray months = unit.value("months").toArray();
    ASSERT_EQ(months.size(), 12);
    for (qsizetype m = 0; m < 12; ++m) {
        SameFigures(months[m].toObject(), run.months[static_cast<std::size_t>(m)],
                    "month " + std::to_string(m + 1));
    }
    const QJsonObject peaks = unit.value("peaks").toObject();
    EXPECT_EQ(peaks.keys(), (QStringList{"coolingKW", "heatingKW", "humidifierKW", "reheatKW"}));
    const QJsonObject cooling = peaks.value("coolingKW").toObject();
    EXPECT_EQ(cooling.keys(), (QStringList{"day", "hour", "month", "value"}));
    EXPECT_EQ(cooling.value("value").toDouble(), run.peaks.coolingKW.value);
    EXPECT_EQ(cooling.value("month").toInt(), run.peaks.coolingKW.month);
    EXPECT_EQ(cooling.value("hour").toInt(), run.peaks.coolingKW.hour);
    EXPECT_TRUE(peaks.value("heatingKW").toObject().value("hour").isNull()); // never heats
    const QJsonObject settings = unit.value("settings").toObject();
    EXPECT_EQ(settings.value("flow").toObject().value("unit").toString(), "m3/h");
    EXPECT_EQ(settings.value("economizer").toObject().value("kind").toString(),
              "differential-enthalpy");
}

TEST(UnitProgram, SeveralUnitsRunSideBySideInTheirOrder) {
    const std::string folder = TemporaryFolder();
    const Ran ran =
        RunProgram({ChicagoPath(), "--months", "6-8", "--unit", UnitFile(folder, "a.json", kPlate),
                    "--unit", UnitFile(folder, "b.json", kExample), "--format=json"});
    ASSERT_EQ(ran.status, 0) << ran.err;
    const QJsonObject root = JsonOf(ran.out);
    EXPECT_FALSE(root.contains("unit"));
    // One member a name: the figures' unit system moves aside for the list.
    EXPECT_EQ(ran.out.find("\"units\":"), ran.out.rfind("\"units\":"));
    EXPECT_EQ(root.value("figureUnits").toObject().value("temperature").toString(), "degC");
    const QJsonArray units = root.value("units").toArray();
    ASSERT_EQ(units.size(), 2);
    climate::Filter summer;
    summer.firstMonth = 6;
    summer.lastMonth = 8;
    SameFigures(units[0].toObject().value("year").toObject(), InProcess(kPlate, summer).year,
                "plate");
    SameFigures(units[1].toObject().value("year").toObject(), InProcess(kExample, summer).year,
                "wheel");
    EXPECT_EQ(units[0].toObject().value("year").toObject().value("hoursOff").toDouble(),
              8760 - 92 * 24);
}

TEST(UnitProgram, TextAndCsvCarryTheUnitsFigures) {
    const std::string folder = TemporaryFolder();
    const std::string unit = UnitFile(folder, "UNIT.json", kExample);
    const Ran text = RunProgram({ChicagoPath(), "--unit", unit});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("Air-handling unit: room 24 °C 50 %"), std::string::npos);
    EXPECT_NE(text.out.find("condensateKg"), std::string::npos);
    const Ran csv = RunProgram(
        {ChicagoPath(), "--unit", unit, "--unit", unit, "--format", "csv", "--units", "ip"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    EXPECT_NE(csv.out.find("unit 2,year,coolingKWh,sum,"), std::string::npos);
    EXPECT_NE(csv.out.find(",kBtu\n"), std::string::npos);
    EXPECT_NE(csv.out.find("unit 1,year,coolingKW,peak,"), std::string::npos);
}

struct RefusedRow {
    const char* name;
    std::string unitText; // empty: no such file
    std::vector<std::string> extra;
    int status;
    const char* words;
};

void PrintTo(const RefusedRow& row, std::ostream* os) {
    *os << row.name;
}

class UnitRefused : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(UnitRefused, RunsNothingAndWritesNothing) {
    const std::string folder = TemporaryFolder();
    const std::string path = folder + "/UNIT.json";
    if (!GetParam().unitText.empty()) {
        WriteText(path, GetParam().unitText);
    }
    std::vector<std::string> args = {
        ChicagoPath(),        "--unit", path, "-o", folder + "/out.json", "--unit-hourly",
        folder + "/hours.csv"};
    args.insert(args.end(), GetParam().extra.begin(), GetParam().extra.end());
    const Ran ran = RunProgram(args);
    EXPECT_EQ(ran.status, GetParam().status);
    EXPECT_NE(ran.err.find(GetParam().words), std::string::npos) << ran.err;
    EXPECT_FALSE(std::filesystem::exists(folder + "/out.json"));
    EXPECT_FALSE(std::filesystem::exists(folder + "/hours.csv"));
}

std::string ExampleWith(const std::string& from, const std::string& to) {
    std::string text = kExample;
    return text.replace(text.find(from), from.size(), to);
}

INSTANTIATE_TEST_SUITE_P(
    UnitProgram, UnitRefused,
    ::testing::Values(RefusedRow{"MissingKey",
                                 ExampleWith("\"minOutdoorFraction\": 0.2,", ""),
                                 {},
                                 1,
                                 "\"minOutdoorFraction\": missing key"},
                      RefusedRow{"UnknownKey",
                                 ExampleWith("\"steamTemperature\"", "\"steam\""),
                                 {},
                                 1,
                                 "\"steam\": unknown key"},
                      RefusedRow{"WrongType",
                                 ExampleWith("10000", "\"10000\""),
                                 {},
                                 1,
                                 "\"flow.value\": must be a number"},
                      RefusedRow{"OutOfRange",
                                 ExampleWith("\"dryBulb\": 13", "\"dryBulb\": 99"),
                                 {},
                                 1,
                                 "\"supply.dryBulb\": supply dry bulb 99 °C"},
                      RefusedRow{"Damaged", "{\"room\": ", {}, 1, "damaged"},
                      RefusedRow{"NoSuchFile", "", {}, 2, "could not be read"},
                      RefusedRow{"HourlyOverTheOutput",
                                 kExample,
                                 {"--unit-hourly", "-"},
                                 1,
                                 "--unit-hourly takes a file name"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnitProgram, AnOutputThatCannotBeWrittenLeavesNoHourlyFile) {
    const std::string folder = TemporaryFolder();
    const Ran ran = RunProgram({ChicagoPath(), "--unit", UnitFile(folder, "UNIT.json", kExample),
                                "--unit-hourly", folder + "/hours.csv", "-o",
                                folder + "/no such folder/out.txt"});
    EXPECT_EQ(ran.status, 3);
    EXPECT_NE(ran.err.find("out.txt"), std::string::npos) << ran.err;
    EXPECT_FALSE(std::filesystem::exists(folder + "/hours.csv"));
    const Ran noFolder = RunProgram({ChicagoPath(), "--unit", folder + "/UNIT.json",
                                     "--unit-hourly", folder + "/none/hours.csv"});
    EXPECT_EQ(noFolder.status, 3);
    EXPECT_EQ(noFolder.out, ""); // nothing of the figures either
}

TEST(UnitProgram, HourlyNeedsAUnit) {
    const Ran ran = RunProgram({ChicagoPath(), "--unit-hourly", TemporaryFolder() + "/h.csv"});
    EXPECT_EQ(ran.status, 1);
    EXPECT_NE(ran.err.find("--unit-hourly needs a --unit"), std::string::npos) << ran.err;
}

TEST(UnitProgram, HourlyFileHasARowARecordWithItsUnitsNamed) {
    const std::string folder = TemporaryFolder();
    const std::string hourly = folder + "/hours.csv";
    const Ran ran = RunProgram({ChicagoPath(), "--months", "7-7", "--unit",
                                UnitFile(folder, "UNIT.json", kExample), "--unit-hourly", hourly,
                                "-o", folder + "/out.txt"});
    ASSERT_EQ(ran.status, 0) << ran.err;
    const std::vector<std::string> lines = hygrovane::testing::LinesOf(TextOf(hourly));
    ASSERT_GE(lines.size(), 8761u);
    const std::string& header = lines[0];
    for (const char* column : {"month,day,hour,minute,status,", "outdoor fraction", "wheel speed",
                               "outdoor dry bulb (°C)", "mixed humidity ratio (kg/kg)",
                               "supply dry bulb (°C)", "cooling (kW)", "condensate (kg/h)"}) {
        EXPECT_NE(header.find(column), std::string::npos) << column;
    }
    EXPECT_EQ(lines[1].rfind("1,1,1,0,off,", 0), 0u) << lines[1];
    // 1 July, 15:00: the record of index 4383.
    const airunit::UnitRun run = InProcess(kExample, [] {
        climate::Filter july;
        july.firstMonth = july.lastMonth = 7;
        return july;
    }());
    const std::size_t record = 181 * 24 + 14;
    const std::string& row = lines[record + 1];
    EXPECT_EQ(row.rfind("7,1,15,0,on,", 0), 0u) << row;
    const airunit::UnitHour& h = run.hours[record];
    EXPECT_NE(row.find("," + text::ShortestText(h.coolingKW) + ","), std::string::npos) << row;
    EXPECT_NE(row.find("," + text::ShortestText(h.supply.humidityRatio) + ","), std::string::npos)
        << row;
}

} // namespace
} // namespace hygrovane::climatecli
