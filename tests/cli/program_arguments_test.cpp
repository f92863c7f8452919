// The command-line conventions hygrovane-batch and hygrovane-climate share, on a program with
// three options of its own: --out FILE, --flag and --bad VALUE (whose every value is wrong).
#include "cli/program_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

namespace hygrovane::cli {
namespace {

// A message returned without Fail() must not compile as "taken", as it did when the option's
// result was Expected<bool, std::string>.
static_assert(!std::is_convertible_v<const char*, OptionTaken>);
static_assert(!std::is_convertible_v<std::string, OptionTaken>);

struct Row {
    const char* name;
    std::vector<std::string> args;
    bool refuseValueOfFlag;
    const char* error; // nullptr: read
    const char* input;
    const char* out; // the value --out took
    bool help;
};

TEST(ProgramArguments, ReadInOrderUntilTheFirstMessage) {
    const Row rows[] = {
        {"a file and an option's value after it",
         {"in.csv", "--out", "o.csv"},
         false,
         nullptr,
         "in.csv",
         "o.csv",
         false},
        {"the value after =", {"--out=o.csv", "in.csv"}, false, nullptr, "in.csv", "o.csv", false},
        {"- is the standard input", {"-"}, false, nullptr, "-", "", false},
        {"-- ends the options", {"--", "--out"}, false, nullptr, "--out", "", false},
        {"--help needs no file", {"--help"}, false, nullptr, "", "", true},
        {"a flag's value ignored (batch)", {"--flag=yes", "in"}, false, nullptr, "in", "", false},
        {"a flag's value refused (climate)",
         {"--flag=yes", "in"},
         true,
         "the option --flag takes no value",
         "",
         "",
         false},
        {"--help=x refused before anything else (climate)",
         {"--help=x"},
         true,
         "the option --help takes no value",
         "",
         "",
         false},
        {"--help=x still asks for the help (batch)", {"--help=x"}, false, nullptr, "", "", true},
        {"a missing value",
         {"in", "--out"},
         false,
         "the option --out needs a value",
         "",
         "",
         false},
        {"the option's own message",
         {"--bad", "1", "in"},
         false,
         "--bad takes nothing good",
         "",
         "",
         false},
        {"an unknown option", {"in", "--bogus"}, false, "unknown option --bogus", "", "", false},
        {"an unknown option with a value (batch)",
         {"--bogus=1", "in"},
         false,
         "unknown option --bogus",
         "",
         "",
         false},
        {"two files",
         {"a", "b"},
         false,
         "one input file only (the output goes after -o)",
         "",
         "",
         false},
        {"no file",
         {"--out", "o.csv"},
         false,
         "no input file (- for the standard input)",
         "",
         "",
         false},
        {"the first message wins",
         {"--bad", "1", "--bogus"},
         false,
         "--bad takes nothing good",
         "",
         "",
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string out;
        OptionRules rules;
        rules.needsValue = [](std::string_view option) {
            return option == "--out" || option == "--bad";
        };
        rules.refuseValueOfFlag = row.refuseValueOfFlag;
        rules.take = [&out](const std::string& option, const std::string& value) -> OptionTaken {
            if (option == "--out") {
                out = value;
            } else if (option == "--bad") {
                return Fail(std::string("--bad takes nothing good"));
            } else if (option != "--flag") {
                return OptionUse::NotOurs;
            }
            return OptionUse::Taken;
        };
        const Expected<ProgramArguments, std::string> read = ReadArguments(row.args, rules);
        if (row.error != nullptr) {
            ASSERT_FALSE(read.has_value());
            EXPECT_EQ(read.error(), row.error);
            continue;
        }
        ASSERT_TRUE(read.has_value()) << read.error();
        EXPECT_EQ(read->input, row.input);
        EXPECT_EQ(read->help, row.help);
        EXPECT_EQ(out, row.out);
    }
}

} // namespace
} // namespace hygrovane::cli
