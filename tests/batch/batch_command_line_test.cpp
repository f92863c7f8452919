// The program's exit statuses, and that a failed run leaves no output file behind.
#include "batch_support.h"
#include "size_limit.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>

namespace hygrovane::batch {
namespace {

using hygrovane::testing::WithSizeLimit;

namespace fs = std::filesystem;

class CommandLineRuns : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("hygrovane-batch-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        std::string rows = "Temp (C),RH (%)\n";
        for (int i = 0; i < 2000; ++i) {
            rows += std::to_string(i % 40) + "," + std::to_string(10 + i % 80) + "\n";
        }
        Write(Path("in.csv"), rows);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }
    // The exit status; what the program said goes to said.
    int Run(std::vector<std::string> args, std::string* said = nullptr) {
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        const int status = RunCommandLine(args, out, err, false);
        for (std::FILE* stream : {out, err}) {
            std::rewind(stream);
            std::string text;
            for (int c = std::fgetc(stream); c != EOF; c = std::fgetc(stream)) {
                text += static_cast<char>(c);
            }
            if (said != nullptr) {
                *said += text;
            }
            std::fclose(stream);
        }
        return status;
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder_;
};

TEST_F(CommandLineRuns, RefusalsExitNonZeroAndLeaveNothingHalfWritten) {
    Write(Path("existing.csv"), "old bytes\n");
    Write(Path("empty.csv"), "");
    Write(Path("columns.csv"), "a,b\n1,2\n");
    Write(Path("utf16.csv"), std::string("\xFF\xFET\0,\0R\0H\0", 10));
    fs::create_directory(Path("folder"));
    const struct {
        const char* name;
        std::vector<std::string> args;
        int status;
        rlim_t sizeLimit = RLIM_INFINITY;
    } rows[] = {
        {"missing input", {Path("missing.csv"), "-o", Path("out.csv")}, kExitUnreadable},
        {"input is a folder", {Path("folder"), "-o", Path("out.csv")}, kExitUnreadable},
        {"empty input", {Path("empty.csv"), "-o", Path("out.csv")}, kExitUnreadable},
        {"no columns to use", {Path("columns.csv"), "-o", Path("out.csv")}, kExitUnreadable},
        {"UTF-16 text", {Path("utf16.csv"), "-o", Path("out.csv")}, kExitUnreadable},
        {"output in a missing folder",
         {Path("in.csv"), "-o", Path("missing/out.csv")},
         kExitUnwritable},
        {"output onto a folder", {Path("in.csv"), "-o", Path("folder")}, kExitUnwritable},
        {"output onto a device", {Path("in.csv"), "-o", "/dev/full"}, kExitUnwritable},
        {"full disk", {Path("in.csv"), "-o", Path("existing.csv")}, kExitUnwritable, 4096},
        {"output replaces the input", {Path("in.csv"), "-o", Path("in.csv")}, kExitUsage},
        {"unknown option", {"--colour", Path("in.csv")}, kExitUsage},
        {"two inputs", {Path("in.csv"), Path("in.csv")}, kExitUsage},
        {"bad unit option", {Path("in.csv"), "--unit", "dew-point=Q"}, kExitUsage},
    };
    for (const auto& row : rows) {
        std::string said;
        const int status = WithSizeLimit(row.sizeLimit, [&] { return Run(row.args, &said); });
        EXPECT_EQ(status, row.status) << row.name << ": " << said;
        EXPECT_NE(said.find("hygrovane-batch: "), std::string::npos) << row.name;
        EXPECT_EQ(Files(), (std::vector<std::string>{"columns.csv", "empty.csv", "existing.csv",
                                                     "folder", "in.csv", "utf16.csv"}))
            << row.name;
    }
    EXPECT_EQ(Read(Path("existing.csv")), "old bytes\n");
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST_F(CommandLineRuns, ASuccessfulRunReplacesTheOutputAndSummarises) {
    Write(Path("out.csv"), "old bytes\n");
    std::string said;
    ASSERT_EQ(Run({Path("in.csv"), "-o", Path("out.csv"), "--threads", "2"}, &said), kExitDone)
        << said;
    EXPECT_EQ(testing::Lines(Read(Path("out.csv"))).size(), 2001U);
    EXPECT_NE(said.find("2000 rows read, 2000 computed, 0 refused"), std::string::npos) << said;
    EXPECT_NE(said.find("Ambient Temperature: column 1 \"Temp (C)\" in C"), std::string::npos);
    EXPECT_EQ(Files(), (std::vector<std::string>{"in.csv", "out.csv"}));

    std::string help;
    EXPECT_EQ(Run({"--help"}, &help), kExitDone);
    EXPECT_NE(help.find("Usage: hygrovane-batch"), std::string::npos);
    std::string version;
    EXPECT_EQ(Run({"--version"}, &version), kExitDone);
    EXPECT_EQ(version.rfind("hygrovane-batch (Hygrovane) ", 0), 0U);
}

// Blocks computed on several threads come out in input order, bad rows included, and the
// counts by reason add up.
TEST(Threads, OutputInInputOrderWhateverTheThreads) {
    std::string input = "Temp (F);RH (%);Pressure (kPa)\n";
    std::uint64_t badPressures = 0; // where the dry bulb is in range
    for (int i = 0; i < 60000; ++i) {
        const int dryBulb = -160 + (i * 7) % 380;
        badPressures += i % 997 == 0 && dryBulb >= -148 && dryBulb <= 212 ? 1 : 0;
        input += std::to_string(-160 + (i * 7) % 380) + ";" + std::to_string((i * 11) % 104) +
                 (i % 997 == 0 ? ";x\n" : ";" + std::to_string(70 + i % 40) + "\n");
    }
    Tally one;
    Tally four;
    const std::string single = testing::Convert(input, {}, 1, nullptr, &one);
    EXPECT_EQ(testing::Convert(input, {}, 4, nullptr, &four), single);
    EXPECT_EQ(testing::Lines(single).size(), 60001U);
    EXPECT_EQ(four.rows, 60000U);
    std::uint64_t refused = 0;
    for (const auto& byField : four.refused) {
        for (const std::uint64_t count : byField) {
            refused += count;
        }
    }
    EXPECT_EQ(four.computed + refused, four.rows);
    EXPECT_EQ(four.refused[static_cast<int>(Refusal::NotNumber)][static_cast<int>(Field::Pressure)],
              badPressures);
    EXPECT_GT(four.refused[static_cast<int>(Refusal::OutOfRange)][static_cast<int>(Field::DryBulb)],
              0U);
    EXPECT_GT(
        four.refused[static_cast<int>(Refusal::OutOfRange)][static_cast<int>(Field::Humidity)], 0U);
    EXPECT_GT(
        four.refused[static_cast<int>(Refusal::PressureTooLow)][static_cast<int>(Field::None)], 0U);
}

} // namespace
} // namespace hygrovane::batch
