// The Batch Convert dialog's handlers without Qt: the file read and its columns detected, the
// user's changes taking the units the headers name, and what keeps a conversion from starting.
#include "fake_platform.h"
#include "windows/batch_convert_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace hygrovane::forms {
namespace {

namespace fs = std::filesystem;

class BatchConvert : public ::testing::Test {
  protected:
    void SetUp() override {
        folder =
            fs::temp_directory_path() / ("hygrovane-batch-model-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        input = (folder / "logger.csv").string();
        std::ofstream(input) << "Time,T (F),Dew Point (C),Baro (hPa)\n10:00,70,12,1013\n";
    }
    void TearDown() override { fs::remove_all(folder); }

    testing::FakePlatform platform;
    BatchConvertWindow window{platform};
    fs::path folder;
    std::string input;
};

TEST_F(BatchConvert, ChosenFileShowsItsColumnsAndChangesTakeTheirHeadersUnits) {
    platform.openPaths = {input};
    window.chooseInput();
    ASSERT_TRUE(window.fileRead()) << window.message();
    EXPECT_EQ(window.columns().size(), 4U);
    EXPECT_EQ(window.rows().at(0).at(1), "70");
    EXPECT_EQ(window.output(), (folder / "logger-psychrometric.csv").string());
    const batch::Mapping& m = window.settings().mapping;
    EXPECT_EQ(m.dryBulb.unit, "F");
    EXPECT_EQ(m.humidityInput, HumidityInput::DewPoint);
    EXPECT_EQ(m.humidity.unit, "C");
    EXPECT_EQ(m.pressure.unit, "mBar");

    window.setHumidity(HumidityInput::WetBulb, 2);
    EXPECT_EQ(m.humidity.unit, "C") << "the header's unit";
    window.setDryBulbColumn(0);
    EXPECT_EQ(m.dryBulb.unit, "C") << "no unit in the header: the unit system's";
    window.setPressure(PressureInput::Altitude, -1);
    EXPECT_EQ(m.pressure.value, "0");
    EXPECT_EQ(m.pressure.unit, "m");
    window.setBritish(true);
    EXPECT_EQ(window.settings().units.dewPoint, "F");
}

TEST_F(BatchConvert, TellsWhatKeepsTheConversionFromStarting) {
    EXPECT_EQ(window.runProblem(), "Choose the file to convert.");
    window.setInput((folder / "missing.csv").string());
    EXPECT_EQ(window.message().rfind("The file \"", 0), 0U) << window.message();
    EXPECT_FALSE(window.fileRead());

    window.setInput(input);
    EXPECT_EQ(window.runProblem(), "");
    window.setOutput(input);
    EXPECT_EQ(window.runProblem(), "The output file would replace the file to convert.");
    window.setOutput("");
    EXPECT_EQ(window.runProblem(), "Choose the output file.");
    window.setOutput((folder / "out.csv").string());
    window.setPressure(PressureInput::Barometric, -1);
    window.settings().mapping.pressure.value = "2";
    EXPECT_EQ(window.runProblem(),
              "Barometric Pressure out of allowable range (5000 to 1000000 Pa).");
    EXPECT_FALSE(window.run());
    EXPECT_FALSE(fs::exists(folder / "out.csv"));

    window.settings().mapping.pressure.value = "95000";
    ASSERT_TRUE(window.run());
    while (window.poll()) {
    }
    EXPECT_EQ(window.message().rfind("Written to", 0), 0U) << window.message();
    EXPECT_TRUE(fs::exists(folder / "out.csv"));
}

} // namespace
} // namespace hygrovane::forms
