#include "programs/hygrovane/command_line.h"

#include <gtest/gtest.h>

#include <string_view>

namespace hygrovane::app {
namespace {

using Request = CommandLine::Request;

struct Row {
    const char* name;
    std::vector<std::string> arguments;
    Request request;
    std::optional<std::string> caseFile;
    const char* errorStart; // empty: no error
};

TEST(CommandLine, RequestFileAndErrorsFromTheArguments) {
    const Row rows[] = {
        {"nothing starts the program", {}, Request::Run, std::nullopt, ""},
        {"one file is the case", {"/home/a/case 1"}, Request::Run, "/home/a/case 1", ""},
        {"a lone dash is a file name", {"-"}, Request::Run, "-", ""},
        {"after -- a dash starts a file name", {"--", "-case"}, Request::Run, "-case", ""},
        {"help", {"--help"}, Request::Help, std::nullopt, ""},
        {"short help", {"-h"}, Request::Help, std::nullopt, ""},
        {"version", {"--version"}, Request::Version, std::nullopt, ""},
        {"help wins over a file and Qt's options",
         {"-platform", "offscreen", "case", "--help"},
         Request::Help,
         std::nullopt,
         ""},
        {"the first of help and version wins",
         {"--version", "--help"},
         Request::Version,
         std::nullopt,
         ""},
        {"--help after -- is a file", {"--", "--help"}, Request::Run, "--help", ""},
        {"an unknown option is refused",
         {"--bogus", "case"},
         Request::Run,
         std::nullopt,
         "unknown option --bogus "},
        {"the first unknown option is named",
         {"-x", "-y"},
         Request::Run,
         std::nullopt,
         "unknown option -x "},
        {"two files are refused",
         {"a", "b"},
         Request::Run,
         std::nullopt,
         "one case file at most, not 2 "},
    };
    for (const Row& row : rows) {
        const CommandLine line = ParseCommandLine(row.arguments);
        EXPECT_EQ(line.request, row.request) << row.name;
        EXPECT_EQ(line.caseFile, row.caseFile) << row.name;
        EXPECT_EQ(line.error.substr(0, std::string(row.errorStart).size()), row.errorStart)
            << row.name;
        EXPECT_EQ(line.error.empty(), row.errorStart[0] == '\0') << row.name;
        EXPECT_EQ(line.error.find('\n'), std::string::npos) << row.name << ": one line";
    }
}

TEST(CommandLine, ProgramArgumentsLeaveOutTheProgramName) {
    const char* argv[] = {"hygrovane", "-h", "case", nullptr};
    EXPECT_EQ(ProgramArguments(3, argv), (std::vector<std::string>{"-h", "case"}));
    EXPECT_TRUE(ProgramArguments(1, argv).empty());
    EXPECT_TRUE(ProgramArguments(0, argv).empty());
}

// Qt sees only what comes before "--", so that it cannot take a file named like one of its
// options; the program then reads Qt's leftovers and everything from "--" on.
TEST(CommandLine, QtReadsNothingFromTheEndOfOptionsOn) {
    struct QtRow {
        const char* name;
        std::vector<const char*> argv;
        int qtArgc;
        std::optional<std::string> caseFile;
    };
    const QtRow rows[] = {
        {"a file named like Qt's -name option", {"hygrovane", "--", "-name"}, 1, "-name"},
        {"Qt's options before --",
         {"hygrovane", "-platform", "offscreen", "--", "-style"},
         3,
         "-style"},
        {"no --: Qt reads everything", {"hygrovane", "-platform", "offscreen", "case"}, 4, "case"},
        {"a second -- is a file", {"hygrovane", "--", "--"}, 1, "--"},
        {"only the program's name", {"hygrovane"}, 1, std::nullopt},
    };
    for (const QtRow& row : rows) {
        const int argc = static_cast<int>(row.argv.size());
        EXPECT_EQ(QtArgumentCount(argc, row.argv.data()), row.qtArgc) << row.name;
        const std::vector<std::string> fromOptionsEnd(row.argv.begin() + row.qtArgc,
                                                      row.argv.end());
        // As Qt leaves them: its own options taken out of what it was given.
        std::vector<const char*> left{row.argv.front()};
        for (int i = 1; i < row.qtArgc; ++i) {
            if (std::string_view(row.argv[static_cast<std::size_t>(i)]) == "-platform") {
                ++i;
            } else {
                left.push_back(row.argv[static_cast<std::size_t>(i)]);
            }
        }
        const CommandLine line = ParseCommandLine(
            ArgumentsAfterQt(static_cast<int>(left.size()), left.data(), fromOptionsEnd));
        EXPECT_EQ(line.caseFile, row.caseFile) << row.name;
        EXPECT_EQ(line.error, "") << row.name;
    }
}

} // namespace
} // namespace hygrovane::app
