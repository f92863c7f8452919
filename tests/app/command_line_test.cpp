#include "app/command_line.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace hygrovane::app
