#include "processfile/process_file.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonDocument>

#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>

#include <unistd.h>

namespace hygrovane::processfile {
namespace {

namespace fs = std::filesystem;
using namespace processes;

PointConditions RH(double celsius, double phi) {
    return {celsius + 273.15, HumidityInput::RelativeHumidity, phi};
}

// An air-handling unit: outdoor air A and return air B mixed into C, cooled by a coil into D,
// reheated into E; and a winter line F heated and humidified into G and H.
ProcessSet AirHandlingUnit() {
    ProcessSet set;
    set.setAmbient({PressureInput::Altitude, 0, 300, SatFormulation::HylandWexler});
    const PointId a = *set.addPoint(RH(33, 0.45), "Outdoor, air");
    const PointId b = *set.addPoint(RH(24, 0.5));
    const AirFlow upstream{FlowUnit::Upstream, 0};
    set.addProcess({ProcessKind::Mixing,
                    {a, b},
                    {{FlowUnit::CubicFeetPerMinute, 2000}, {FlowUnit::PoundsPerHour, 20000}},
                    {}});
    const PointId c = set.processes()[0].outlets[0];
    set.addProcess({ProcessKind::CoilApparatusDewPoint,
                    {c},
                    {upstream},
                    {.apparatusDewPoint = 283.15, .bypassFactor = 0.12}});
    set.addProcess({ProcessKind::SensibleToDryBulb,
                    {set.processes()[1].outlets[0]},
                    {upstream},
                    {.leavingDryBulb = 291.15}});
    const PointId f = *set.addPoint({278.15, HumidityInput::HumidityRatio, 0.002});
    set.addProcess({ProcessKind::HeatingThenSteam,
                    {f},
                    {{FlowUnit::LitresPerSecond, 900}},
                    {.steamTemperature = 383.15, .target = RH(22, 0.4)}});
    return set;
}

const LoadUnits kBritish{FlowUnit::CubicFeetPerMinute, HeatUnit::BtuPerHour,
                         WaterUnit::PoundsPerHour};

class ProcessFileTest : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }
    std::string path(const std::string& name) const { return (folder / name).string(); }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(path(name), std::ios::binary) << text;
        return path(name);
    }
    static std::string read(const std::string& file) {
        std::ostringstream text;
        text << std::ifstream(file, std::ios::binary).rdbuf();
        return text.str();
    }

    fs::path folder = fs::temp_directory_path() /
                      ("hygrovane-processfile-" + std::to_string(::getpid()) + "-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    ProcessSet set = AirHandlingUnit();
};

TEST_F(ProcessFileTest, SavedSetOpensAsItWas) {
    ASSERT_EQ(set.processes().size(), 4U);
    for (const Process& process : set.processes()) {
        ASSERT_TRUE(process.result) << process.result.error().message;
    }
    ASSERT_TRUE(SaveProcessSet(set, kBritish, path("unit.hvps")).has_value());
    const auto result = OpenProcessSet(path("unit.hvps"));
    ASSERT_TRUE(result.has_value()) << result.error().message;
    const ProcessSetFile& opened = *result;
    EXPECT_EQ(opened.set.Records(), set.Records());
    EXPECT_EQ(opened.units, kBritish);
    EXPECT_EQ(opened.set.processes()[3].result->loads.total,
              set.processes()[3].result->loads.total);
    EXPECT_EQ(ProcessSetText(opened.set, opened.units), read(path("unit.hvps")));
}

TEST_F(ProcessFileTest, DamagedOrForeignFilesAreRefusedAndChangeNothing) {
    const std::string good = ProcessSetText(set, kBritish);
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    struct Row {
        const char* name;
        std::string text;
        const char* reason; // a part of the message
        ProcessFileFailureKind kind;
    };
    using Kind = ProcessFileFailureKind;
    const std::vector<Row> rows{
        {"truncated", good.substr(0, good.size() / 2), "damaged or incomplete", Kind::Damaged},
        {"newer version", replaced("\"version\":1", "\"version\":2"),
         "newer version of Hygrovane (format version 2", Kind::NewerVersion},
        {"unknown process", replaced("\"mixing\"", "\"desiccant-wheel\""),
         "process 1 is of an unknown kind \"desiccant-wheel\"", Kind::BadEntry},
        {"case file", "1\r\n25\r\n", "damaged or incomplete", Kind::Damaged},
        {"other JSON", "{\"format\": \"spreadsheet\"}", "not a Hygrovane process set",
         Kind::NotAProcessSet},
        {"missing parameter", replaced("\"bypassFactor\"", "\"bypass\""),
         "process 2 has no number \"bypassFactor\"", Kind::BadEntry},
        {"unknown outlet", replaced("\"outlets\":[\"C\"", "\"outlets\":[\"Q\""),
         "do not fit together", Kind::SetRefused},
        {"unknown flow unit", replaced("\"cfm\"", "\"furlongs\""), "unknown unit", Kind::BadEntry},
        {"version far beyond", replaced("\"version\":1", "\"version\":1e300"),
         "newer version of Hygrovane (format version 1e+300;", Kind::NewerVersion},
        {"version 2^53 + 2", replaced("\"version\":1", "\"version\":9007199254740994"),
         "(format version 9007199254740994;", Kind::NewerVersion},
        {"name turned around", replaced("\"Outdoor, air\"", "\"Outdoor\\u202e, air\""),
         "cannot hold invisible characters or ones that turn the direction of the text (U+202E)",
         Kind::SetRefused},
    };
    for (const Row& row : rows) {
        const auto result = OpenProcessSet(write("bad.hvps", row.text));
        ASSERT_FALSE(result.has_value()) << row.name;
        const std::string& message = result.error().message;
        EXPECT_NE(message.find(row.reason), std::string::npos) << row.name << ": " << message;
        EXPECT_NE(message.find("bad.hvps"), std::string::npos) << row.name;
        EXPECT_EQ(result.error().kind, fileio::FileFailureKind::Content) << row.name;
        const auto read = ReadProcessSetText(row.text);
        ASSERT_FALSE(read.has_value()) << row.name;
        EXPECT_EQ(read.error().kind, row.kind) << row.name;
    }
    EXPECT_FALSE(OpenProcessSet(path("missing.hvps")).has_value());
    EXPECT_FALSE(SaveProcessSet(set, kBritish, folder.string()).has_value());
}

// A set larger than the old reader's 1 MiB: what Save writes, Open reads back as it was, and an
// indented file of older versions still opens.
TEST_F(ProcessFileTest, ThousandsOfPointsAndProcessesSaveAndOpenAgain) {
    SetRecords records;
    records.ambient = set.ambient();
    constexpr int kChains = 4000;
    for (int i = 0; i < kChains; ++i) {
        const std::string given = "In " + std::to_string(i);
        const std::string made = "Out " + std::to_string(i);
        records.points.push_back({given, RH(20 + i % 10, 0.3 + 0.0001 * i)});
        records.points.push_back({made, std::nullopt});
        records.processes.push_back({ProcessKind::SensibleToDryBulb,
                                     {given},
                                     {{FlowUnit::KilogramsPerSecond, 1.0 + i}},
                                     {.leavingDryBulb = 303.15 + 0.001 * i},
                                     {made}});
    }
    const auto big = ProcessSet::FromRecords(records);
    ASSERT_TRUE(big) << big.error().message;
    ASSERT_TRUE(big->processes().back().result);
    ASSERT_TRUE(SaveProcessSet(*big, kBritish, path("big.hvps")).has_value());
    const std::string written = read(path("big.hvps"));
    EXPECT_GT(written.size(), 1024U * 1024U); // past the old limit
    const auto result = OpenProcessSet(path("big.hvps"));
    ASSERT_TRUE(result.has_value()) << result.error().message;
    const ProcessSetFile& opened = *result;
    EXPECT_EQ(opened.set.Records(), records);
    EXPECT_EQ(ProcessSetText(opened.set, opened.units), written);

    // The indented form earlier versions wrote, about twice the size, reads the same.
    const QByteArray indented =
        QJsonDocument::fromJson(QByteArray::fromStdString(written)).toJson(QJsonDocument::Indented);
    EXPECT_GT(static_cast<std::size_t>(indented.size()), 3 * written.size() / 2);
    const auto old = ReadProcessSetText(indented.toStdString());
    ASSERT_TRUE(old.has_value()) << old.error().message;
    EXPECT_EQ(old->set.Records(), records);
}

// A set the reader would refuse is not written: the old file stays byte for byte.
TEST_F(ProcessFileTest, ASaveThatCouldNotBeOpenedAgainIsRefusedAndKeepsTheOldFile) {
    const std::string old = write("unit.hvps", "an older set, kept as it is\n");
    SetRecords records = set.Records();
    records.processes[2].kind = ProcessKind::SensibleByHeatRate;
    records.processes[2].parameters.heatRate = std::numeric_limits<double>::infinity();
    const auto endless = ProcessSet::FromRecords(records);
    ASSERT_TRUE(endless) << endless.error().message;
    const auto result = SaveProcessSet(*endless, kBritish, old);
    ASSERT_FALSE(result.has_value());
    EXPECT_EQ(result.error().message,
              "The process-set file \"" + old +
                  "\" was not written: Hygrovane could not open it again, since "
                  "process 3 has no number \"heatRate\"; the file on disk is as "
                  "it was.");
    EXPECT_EQ(read(old), "an older set, kept as it is\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

} // namespace
} // namespace hygrovane::processfile
