// The measured streams' window logic on the guide's logged week (examples/ahu-week): the columns
// guessed and mapped, the refusals that name the column and the file, the setup kept as text,
// the JSON the command line writes for the same input, the marks and the hover of a known one.
#include "climatecli/command_line.h"
#include "models/streams_model.h"
#include "tables/table_writers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace hygrovane::models {
namespace {

const std::string kWeek = std::string(HYGROVANE_SOURCE_DIR) + "/examples/ahu-week/ahu-week.csv";
const std::string kSupply =
    std::string(HYGROVANE_SOURCE_DIR) + "/examples/ahu-week/ahu-week-supply.csv";

std::size_t Index(streams::StreamName name) {
    return streams::IndexOf(name);
}

// The week's unit file and its supply file opened, each stream found by its prefix.
StreamsModel Opened() {
    StreamsModel model;
    EXPECT_TRUE(model.addFile(kWeek).has_value());
    EXPECT_TRUE(model.addFile(kSupply).has_value());
    return model;
}

TEST(StreamsModel, TheUsualPrefixesMapTheWeeksStreamsToTheirFiles) {
    const StreamsModel model = Opened();
    const auto& s = model.setup().streams;
    for (const auto& [name, file, dryBulb, humidity] :
         {std::tuple{streams::StreamName::Outdoor, 0u, 1, 2},
          std::tuple{streams::StreamName::Return, 0u, 3, 4},
          std::tuple{streams::StreamName::Mixed, 0u, 5, 6},
          std::tuple{streams::StreamName::Supply, 1u, 1, 2}}) {
        SCOPED_TRACE(streams::KeyOf(name));
        EXPECT_TRUE(s[Index(name)].used);
        EXPECT_EQ(s[Index(name)].file, file);
        EXPECT_EQ(s[Index(name)].columns.dryBulb.column, dryBulb);
        EXPECT_EQ(s[Index(name)].columns.humidity.column, humidity);
        EXPECT_EQ(s[Index(name)].columns.humidityInput, HumidityInput::RelativeHumidity);
    }
    EXPECT_FALSE(s[Index(streams::StreamName::AfterRecovery)].used);
}

TEST(StreamsModel, ABadMappingIsRefusedNamingTheColumnAndKeepsTheFigures) {
    StreamsModel model = Opened();
    ASSERT_TRUE(model.run(model.setup()).has_value());
    const std::string before = model.json();
    struct Row {
        const char* name;
        void (*spoil)(StreamsSetup&);
        const char* says;
    };
    const auto mixed = [](StreamsSetup& s) -> batch::Mapping& {
        return s.streams[Index(streams::StreamName::Mixed)].columns;
    };
    static decltype(mixed) m = mixed;
    const Row rows[] = {
        {"a column the file lacks", [](StreamsSetup& s) { m(s).humidity.column = 11; },
         "Mixed air in \"ahu-week.csv\": line 1: the file has no column 12 for the humidity"},
        {"the time column", [](StreamsSetup& s) { m(s).dryBulb.column = 0; },
         "column 1 \"Timestamp\" holds the time, not the dry bulb"},
        {"a unit of another quantity", [](StreamsSetup& s) { m(s).dryBulb.unit = "kPa"; },
         "column 6 \"MA Temp (°C)\": \"kPa\" is not a unit"},
        {"one column for both", [](StreamsSetup& s) { m(s).humidity.column = 5; },
         "column 6 \"MA Temp (°C)\" cannot hold both"},
        {"no stream",
         [](StreamsSetup& s) {
             for (auto& stream : s.streams) {
                 stream.used = false;
             }
         },
         "No stream is mapped"},
        {"a file not open", [](StreamsSetup& s) { s.streams[0].file = 7; },
         "Outdoor air: no file is open"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        StreamsSetup setup = model.setup();
        row.spoil(setup);
        const auto ran = model.run(setup);
        ASSERT_FALSE(ran.has_value());
        EXPECT_NE(ran.error().find(row.says), std::string::npos) << ran.error();
        EXPECT_EQ(model.json(), before);
    }
}

TEST(StreamsModel, AColumnOfNoNumberIsRefused) {
    const std::string path = std::filesystem::temp_directory_path() / "streams-notes.csv";
    std::ofstream(path) << "Timestamp,OA Temp (°C),OA RH (%),Note\n"
                           "2025-03-03 00:00,5,80,ok\n2025-03-03 00:10,5.1,79,ok\n";
    StreamsModel model;
    ASSERT_TRUE(model.addFile(path).has_value());
    StreamsSetup setup = model.setup();
    setup.streams[0].columns.humidity.column = 3;
    const auto ran = model.run(setup);
    ASSERT_FALSE(ran.has_value());
    EXPECT_NE(ran.error().find("column 4 \"Note\" holds no number"), std::string::npos)
        << ran.error();
    EXPECT_FALSE(model.addFile("/nonexistent/ahu.csv").has_value());
}

TEST(StreamsModel, TheSetupReadsBackAndADamagedTextKeepsTheDefaults) {
    StreamsModel model = Opened();
    StreamsSetup setup = model.setup();
    setup.alignment.how = streams::Alignment::Linear;
    setup.alignment.toleranceSeconds = 90;
    setup.alignment.frozenReadings = 7;
    setup.judgement.massFlow = 2.5;
    setup.judgement.heats = false;
    setup.judgement.fractionTolerance = 0.08;
    setup.streams[0].columns.humidity.scale = 3.386389; // a unit read by a factor
    const StreamsSetup back = SetupFromText(SetupText(setup));
    EXPECT_EQ(SetupText(back), SetupText(setup));
    EXPECT_EQ(back.files, setup.files);
    EXPECT_EQ(back.streams[Index(streams::StreamName::Supply)].file, 1u);
    EXPECT_EQ(back.streams[0].columns.humidity.scale, 3.386389);

    const StreamsSetup damaged = SetupFromText("alignment=sideways\ntoleranceSeconds=-3\n"
                                               "frozenReadings=x\nstream.mixed=1;2\nnonsense\n"
                                               "stream.nowhere=0;1;C;1;2;%;0;-1;kPa\n");
    EXPECT_EQ(SetupText(damaged), SetupText(StreamsSetup{}));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(StreamsModel, TheJsonIsTheCommandLinesForTheSameInput) {
    StreamsModel model = Opened();
    StreamsSetup setup = model.setup();
    setup.judgement.massFlow = 2;
    ASSERT_TRUE(model.run(setup).has_value());
    const std::string out = std::filesystem::temp_directory_path() / "streams-cli.json";
    std::FILE* err = std::tmpfile();
    const int status = climatecli::RunCommandLine(
        {kWeek, "--stream", "outdoor=OA", "--stream", "return=RA", "--stream", "mixed=MA",
         "--stream", "supply=SA", "--stream-file", "supply=" + kSupply, "--flow", "2", "--format",
         "json", "--output", out},
        stdout, err);
    std::fclose(err);
    ASSERT_EQ(status, 0);
    EXPECT_EQ(model.json(), ReadFile(out));
    // The CSV is the table's, its title block first.
    EXPECT_EQ(model.csv(), tables::TableCsv(model.table()));
    EXPECT_EQ(model.csv().rfind("# source,", 0), 0u);
}

TEST(StreamsModel, TheFaultyMixedSensorsHoursAndItsMarkUnderTheMouse) {
    StreamsModel model = Opened();
    ASSERT_TRUE(model.run(model.setup()).has_value());
    const tables::Table table = model.table();
    const tables::Section* faults = table.Find("faults");
    ASSERT_NE(faults, nullptr);
    for (const tables::Row& row : faults->rows) {
        SCOPED_TRACE(row.key);
        const bool mixedFault = row.key == "mixedOutsideRange" || row.key == "offMixingLine" ||
                                row.key == "fractionsDisagree";
        EXPECT_DOUBLE_EQ(row.cells[1].value, mixedFault ? 6 : 0);
        EXPECT_EQ(row.cells[4].text, mixedFault ? "2025-03-05 09:00" : "");
        EXPECT_EQ(row.cells[5].text, mixedFault ? "2025-03-05 14:50" : "");
    }
    // 30 % outdoor air from 06:00 to 20:00, 15 % at night, the six faulty day hours left out:
    // (92 h x 0.3 + 70 h x 0.15) / 162 h on each balance (the readings rounded to 0.01 K, 0.01 %).
    const streams::StreamSummary& summary = model.report().judged.summary;
    for (const double mean : {summary.outdoorFractionMean, summary.fractionOnHumidityRatioMean,
                              summary.fractionOnEnthalpyMean}) {
        EXPECT_NEAR(mean, (92 * 0.3 + 70 * 0.15) / 162, 0.0005);
    }
    // The marks: every present state, one key a logged stream, pale first and dark last.
    const chart::Overlay overlay = model.overlay();
    EXPECT_EQ(overlay.dots.size(), 4u * 1008);
    ASSERT_EQ(overlay.scale.keys.size(), 4u);
    EXPECT_EQ(overlay.scale.keys[2].name, "Mixed");
    EXPECT_EQ(overlay.scale.lowText, "2025-03-03 00:00");
    EXPECT_GT(overlay.scale.keys[0].first.red, overlay.scale.keys[0].last.red);
    // Wednesday 12:00, the mixed-air sensor reading 8 K warm: its mark alone lies there.
    const auto& a = model.report().judged.aligned;
    const std::size_t step = 2 * 144 + 72;
    const auto& state = a.states[Index(streams::StreamName::Mixed)][step];
    const ChartPoint at{state.dryBulb + 273.15, state.humidityRatio};
    const auto mark = model.markAt(at);
    ASSERT_TRUE(mark.has_value());
    EXPECT_EQ(mark->stream, streams::StreamName::Mixed);
    EXPECT_EQ(mark->step, step);
    const std::string hover = model.hoverTextAt(at);
    EXPECT_EQ(hover.rfind("2025-03-05 12:00 · Mixed: ", 0), 0u) << hover;
    EXPECT_NE(hover.find("Mixed dry bulb outside its sources'"), std::string::npos) << hover;
    EXPECT_EQ(model.hoverTextAt({200, 0.03}), "");
}

} // namespace
} // namespace hygrovane::models
