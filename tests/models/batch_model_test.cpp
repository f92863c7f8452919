// The Batch Convert dialog's handlers without Qt: the file read and its columns detected, the
// user's changes taking the units the headers name, and what keeps a conversion from starting.
#include "fake_platform.h"
#include "models/batch_model.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace hygrovane::models {
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
    static std::string Read(const fs::path& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }
    void Finish() {
        while (window.poll()) {
        }
    }

    testing::FakePlatform platform;
    BatchModel window{platform};
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
    EXPECT_EQ(window.run(), CommandOutcome::Refused);
    EXPECT_FALSE(fs::exists(folder / "out.csv"));

    window.settings().mapping.pressure.value = "95000";
    ASSERT_EQ(window.run(), CommandOutcome::Done);
    while (window.poll()) {
    }
    EXPECT_EQ(window.message().rfind("Written to", 0), 0U) << window.message();
    EXPECT_TRUE(fs::exists(folder / "out.csv"));
}

// The name the window fills in may be the user's edited results: an existing file is replaced
// only when the user chose it in the save dialog (which asked) or answers Yes here.
TEST_F(BatchConvert, AsksBeforeReplacingAFileNotConfirmedInTheDialog) {
    const fs::path results = folder / "logger-psychrometric.csv";
    const struct {
        const char* name;
        bool throughDialog;
        std::deque<Platform::Answer> answers;
        std::size_t questions;
        bool replaced;
    } rows[] = {
        {"filled in, answered No", false, {Platform::Answer::No}, 1, false},
        {"filled in, question cancelled", false, {Platform::Answer::Cancel}, 1, false},
        {"filled in, answered Yes", false, {Platform::Answer::Yes}, 1, true},
        {"chosen in the save dialog", true, {}, 0, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::ofstream(results, std::ios::binary) << "my edited results\n";
        testing::FakePlatform asked;
        BatchModel dialog(asked);
        dialog.setInput(input);
        ASSERT_EQ(dialog.output(), results.string());
        if (row.throughDialog) {
            asked.savePaths = {results.string()};
            dialog.chooseOutput();
        }
        asked.answers = row.answers;
        EXPECT_EQ(dialog.run(), row.replaced ? CommandOutcome::Done : CommandOutcome::Cancelled)
            << dialog.message();
        while (dialog.poll()) {
        }
        ASSERT_EQ(asked.questions.size(), row.questions);
        if (row.questions != 0) {
            EXPECT_EQ(asked.questions[0].message,
                      "The file \"" + results.string() +
                          "\" already exists. Do you want to replace it?");
        }
        EXPECT_EQ(Read(results) == "my edited results\n", !row.replaced) << dialog.message();
        if (!row.replaced) {
            EXPECT_EQ(dialog.message(),
                      "Nothing was converted; the file \"" + results.string() + "\" was kept.");
        }
    }
    // A new file needs no question.
    window.setInput(input);
    window.setOutput((folder / "new.csv").string());
    ASSERT_EQ(window.run(), CommandOutcome::Done);
    Finish();
    EXPECT_TRUE(platform.questions.empty());
}

// A named pipe typed or browsed as the logger file is refused at once: reading it on the
// window's thread would wait for a writer that may never come.
TEST_F(BatchConvert, ANamedPipeIsRefusedWithoutWaiting) {
    const std::string pipe = (folder / "logger.fifo").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    window.setInput(input);
    auto reading = std::async(std::launch::async, [&] { window.setInput(pipe); });
    if (reading.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // Let the blocked reader go before failing.
        ::close(::open(pipe.c_str(), O_WRONLY | O_NONBLOCK));
        reading.wait();
        FAIL() << "the window waited on the pipe";
    }
    EXPECT_EQ(window.message(),
              "The file \"" + pipe + "\" cannot be read: it is a named pipe, not a regular file.");
    EXPECT_FALSE(window.fileRead());
    EXPECT_EQ(window.runProblem(), "Choose the file to convert.");
    platform.openPaths = {input};
    window.chooseInput();
    EXPECT_TRUE(window.fileRead()) << "the window stays usable";
}

TEST_F(BatchConvert, AThreadThatCannotStartIsReportedNotFatal) {
    window.setInput(input);
    window.setOutput((folder / "out.csv").string());
    int calls = 0;
    int allowed = 0;
    window.setThreadStarter([&](std::function<void()> body) {
        if (calls++ >= allowed) {
            throw std::system_error(
                std::make_error_code(std::errc::resource_unavailable_try_again));
        }
        return std::thread(std::move(body));
    });
    EXPECT_EQ(window.run(), CommandOutcome::Refused);
    EXPECT_EQ(window.message().rfind("The conversion could not be started (", 0), 0U)
        << window.message();
    EXPECT_NE(window.message().find("); nothing was written."), std::string::npos);
    EXPECT_FALSE(fs::exists(folder / "out.csv"));
    EXPECT_FALSE(window.running());

    // The conversion's own thread starts, its helpers do not: it computes alone.
    std::string rows = "Temp (C),RH (%)\n";
    for (int i = 0; i < 60000; ++i) {
        rows += std::to_string(i % 40) + ".5," + std::to_string(10 + i % 80) + "\n";
    }
    std::ofstream(input) << rows;
    window.setInput(input);
    window.setOutput((folder / "out.csv").string());
    calls = 0;
    allowed = 1;
    ASSERT_EQ(window.run(), CommandOutcome::Done) << window.message();
    Finish();
    EXPECT_EQ(window.message().rfind("Written to", 0), 0U) << window.message();
    EXPECT_NE(window.message().find("60000 rows read, 60000 computed"), std::string::npos);
    if (batch::DefaultThreads() > 1) {
        EXPECT_NE(window.message().find("Computed on 1 of "), std::string::npos)
            << window.message();
    }
}

// A header whose unit is not known is not read in another unit; the header line can be chosen
// when the one found is not the header.
TEST_F(BatchConvert, UnknownUnitsWaitForTheUserAndTheHeaderLineCanBeChosen) {
    std::ofstream(input) << "Temperature,Humidity,Pressure\nT (mC),RH,v\n20,50,1.2\n";
    window.setInput(input);
    EXPECT_EQ(window.columns().at(0), "Temperature") << "the title names more";
    window.setHeaderLine(2);
    ASSERT_EQ(window.columns().size(), 3U);
    EXPECT_EQ(window.linesAbove(), 2U);
    EXPECT_EQ(window.message(),
              "Choose the unit of the Ambient Temperature: the header \"T (mC)\" names the unit "
              "\"mC\", which is not one of its units.");
    EXPECT_EQ(window.runProblem(),
              "Ambient Temperature: its header names the unit \"mC\", which is not one of its "
              "units; choose its unit.");
    window.setUnit(batch::Role::DryBulb, "C");
    EXPECT_EQ(window.runProblem(), "");
    // An unnamed column takes the unit system's unit, as the program does.
    window.setHumidity(HumidityInput::PartialPressure, 2);
    EXPECT_EQ(window.settings().mapping.humidity.unit, "kPa");
    window.setBritish(true);
    window.setHumidity(HumidityInput::DewPoint, 1);
    EXPECT_EQ(window.settings().mapping.humidity.unit, "F");
}

} // namespace
} // namespace hygrovane::models
