// The program's exit statuses, and that a failed run leaves no output file behind.
#include "batch_support.h"
#include "size_limit.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>

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
        std::string out, err;
        const int status = testing::RunProgram(args, &out, &err);
        if (said != nullptr) {
            *said += out + err;
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

TEST_F(CommandLineRuns, DoubleDashEndsTheOptionsAndDevicesTakeTheOutput) {
    Write(Path("-x.csv"), Read(Path("in.csv")));
    Write(Path("short.csv"), "Temp (C),RH (%)\n20,50\n");
    const struct {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string said;
    } rows[] = {
        {"-- before the input", {"-o", "/dev/null", "--", Path("in.csv")}, kExitDone, ""},
        {"-- before a name like an option",
         {"-o", "/dev/null", "--", Path("-x.csv")},
         kExitDone,
         ""},
        {"-- alone", {"--"}, kExitUsage, "no input file"},
        {"decimal comma in a comma file",
         {Path("in.csv"), "--decimal", "comma", "-o", Path("out.csv")},
         kExitUsage,
         "--decimal comma: the file separates its cells with commas, where a decimal comma "
         "would split every number in two; use --decimal point or another --separator"},
        {"header line beyond the file",
         {Path("short.csv"), "--header-line", "1024", "-o", Path("out.csv")},
         kExitUnreadable,
         "it has fewer than 1024 lines"},
        {"header line 0",
         {Path("in.csv"), "--header-line", "0"},
         kExitUsage,
         "--header-line takes the number of the header's line, from 1 to 1024"},
    };
    for (const auto& row : rows) {
        std::string err;
        EXPECT_EQ(testing::RunProgram(row.args, nullptr, &err), row.status) << row.name << err;
        EXPECT_NE(err.find(row.said), std::string::npos) << row.name << ": " << err;
        EXPECT_EQ(err.find("unknown option"), std::string::npos) << row.name;
        EXPECT_FALSE(fs::exists(Path("out.csv"))) << row.name;
    }
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

// A thread that cannot be started leaves the rows to the threads that could, down to the
// calling thread alone; the output is the same and the program says so.
TEST_F(CommandLineRuns, ThreadsThatCannotStartAreDoneWithout) {
    std::string rows = "Temp (C),RH (%)\n";
    for (int i = 0; i < 80000; ++i) {
        rows += std::to_string(i % 45) + "." + std::to_string(i % 10) + "," +
                std::to_string(5 + i % 90) + "\n";
    }
    Write(Path("long.csv"), rows);
    std::string expected;
    ASSERT_EQ(testing::RunProgram({Path("long.csv"), "--threads", "1"}, &expected), kExitDone);
    for (const int started : {0, 1}) {
        int calls = 0;
        const ThreadStarter failing = [&](std::function<void()> body) {
            if (calls++ >= started) {
                throw std::system_error(
                    std::make_error_code(std::errc::resource_unavailable_try_again));
            }
            return std::thread(std::move(body));
        };
        std::string out, err;
        ASSERT_EQ(testing::RunProgram({Path("long.csv"), "--threads", "256"}, &out, &err, failing),
                  kExitDone)
            << err;
        EXPECT_EQ(out, expected) << started;
        if (DefaultThreads() > 1) {
            EXPECT_NE(err.find("threads could be started; the rows were computed on those"),
                      std::string::npos)
                << err;
        }
    }
    // At most the cores, and no more than the blocks of the file.
    EXPECT_EQ(UsefulThreads(256, 0), DefaultThreads());
    EXPECT_EQ(UsefulThreads(256, 1000), 1);
    EXPECT_EQ(UsefulThreads(0, 0), 1);
    EXPECT_LE(UsefulThreads(256, 1ULL << 40), DefaultThreads());
}

// The program still reads a named pipe its user gives it, waiting for the writer (only the
// window refuses one).
TEST_F(CommandLineRuns, ReadsANamedPipeWhoseWriterComesLater) {
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
    std::thread writer([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        Write(Path("pipe"), "Temp (C),RH (%)\n20,50\n");
    });
    std::string err;
    const int status = testing::RunProgram({Path("pipe"), "-o", Path("out.csv")}, nullptr, &err);
    writer.join();
    EXPECT_EQ(status, kExitDone) << err;
    EXPECT_NE(err.find("1 rows read, 1 computed"), std::string::npos) << err;
}

TEST_F(CommandLineRuns, AFirstRowLongerThanTheHeadIsNoMissingHeader) {
    Write(Path("wide.csv"), "Temp,RH,Note\n20,50," + std::string(5 << 20, 'x') + "\n21,60,y\n");
    std::string err;
    ASSERT_EQ(testing::RunProgram({Path("wide.csv"), "-o", Path("out.csv")}, nullptr, &err),
              kExitDone)
        << err;
    EXPECT_NE(err.find("3 lines: 1 title and header, 2 rows read (2 used, 0 skipped)"),
              std::string::npos)
        << err;
}

// A reader of CSV other than ours: Python's csv module, as it reads the written file.
std::vector<std::vector<std::string>> ReadWithPython(const std::string& path) {
    const std::string command =
        "/usr/bin/python3 -c \"import csv,sys\n"
        "for row in csv.reader(open(sys.argv[1], newline='', encoding='utf-8')):\n"
        "    print('\\x1f'.join(row).replace('\\n', '\\\\n'))\" '" +
        path + "'";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    std::string text;
    for (int c = std::fgetc(pipe); c != EOF; c = std::fgetc(pipe)) {
        text += static_cast<char>(c);
    }
    EXPECT_EQ(::pclose(pipe), 0);
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : testing::Lines(text)) {
        std::vector<std::string> cells(1);
        for (const char c : line) {
            if (c == '\x1f') {
                cells.emplace_back();
            } else {
                cells.back().push_back(c);
            }
        }
        rows.push_back(cells);
    }
    return rows;
}

TEST_F(CommandLineRuns, PassedThroughCellsAreValidCsv) {
    Write(Path("quotes.csv"), "Note \"a,Temp (C),RH (%)\n"
                              "\"door open,20,50\n"
                              "\"said \"\"hi\"\"\",21,60\n"
                              "  \"x,y\",22,70\n"
                              "plain,23,80\n");
    ASSERT_EQ(testing::RunProgram({Path("quotes.csv"), "-o", Path("out.csv")}), kExitDone);
    const auto rows = ReadWithPython(Path("out.csv"));
    ASSERT_EQ(rows.size(), 5U);
    const char* notes[] = {"Note \"a", "door open,20,50", "said \"hi\"", "x,y", "plain"};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 16U) << i;
        EXPECT_EQ(rows[i][0], notes[i]) << i;
        EXPECT_EQ(rows[i].back(), i == 0   ? "status"
                                  : i == 1 ? "Ambient Temperature: empty cell"
                                           : "ok")
            << i;
    }
}

// An unnamed column is read in the unit system's unit whether it was found or named.
TEST_F(CommandLineRuns, OneDefaultUnitHoweverTheColumnWasChosen) {
    Write(Path("bare.csv"), "T,Pw,P\n20,1.2,101.325\n");
    Write(Path("bare-dp.csv"), "T,DP,Elevation\n20,10,300\n");
    for (const char* units : {"metric", "british"}) {
        for (const auto& [file, named] :
             {std::pair{"bare.csv", std::vector<std::string>{"--temperature", "T", "--humidity",
                                                             "pw=Pw", "--pressure", "P"}},
              std::pair{"bare-dp.csv", std::vector<std::string>{"--temperature", "#1", "--humidity",
                                                                "dp=#2", "--altitude", "#3"}}}) {
            std::string found, chosen;
            ASSERT_EQ(testing::RunProgram({Path(file), "--units", units}, nullptr, &found),
                      kExitDone)
                << found;
            std::vector<std::string> args = named;
            args.insert(args.end(), {Path(file), "--units", units});
            ASSERT_EQ(testing::RunProgram(args, nullptr, &chosen), kExitDone) << chosen;
            // The notes up to the summary, which holds the time taken.
            EXPECT_EQ(found.substr(0, found.find(" rows read")),
                      chosen.substr(0, chosen.find(" rows read")))
                << file << " " << units;
        }
    }
}

} // namespace
} // namespace hygrovane::batch
