#pragma once

// The command-line conventions hygrovane-batch and hygrovane-climate share: "--name value" or
// "--name=value", "--" ends the options, "-" is the standard input, one input file, -h/--help and
// --version, messages on standard error after the program's name, and the exit statuses.

#include "hygrovane/expected.h"

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrovane::batch {

// Exit statuses of the command-line programs.
inline constexpr int kExitDone = 0;
inline constexpr int kExitUsage = 1;      // bad options
inline constexpr int kExitUnreadable = 2; // the input cannot be read (or has no columns to use)
inline constexpr int kExitUnwritable = 3; // the output cannot be written

// What every program reads besides its own options.
struct ProgramArguments {
    bool help = false;
    bool version = false;
    std::string input; // "-": the standard input

    // The input as messages name it.
    std::string inputName() const { return input == "-" ? "standard input" : input; }
};

// What a program's option did with its value, or why the value is wrong. Named rather than a
// bool so that a message returned without Fail() cannot read as "taken".
enum class OptionUse { Taken, NotOurs };
using OptionTaken = Expected<OptionUse, std::string>;

// A program's own options.
struct OptionRules {
    // Whether the option takes a value: the next argument, unless given after "=".
    std::function<bool(std::string_view option)> needsValue;
    // Whether "--option=value" of an option without a value is refused rather than ignored.
    bool refuseValueOfFlag = false;
    std::function<OptionTaken(const std::string& option, const std::string& value)> take;
};

// Reads the arguments in order and stops at the first message for the user.
Expected<ProgramArguments, std::string> ReadArguments(const std::vector<std::string>& args,
                                                      const OptionRules& rules);

// "program (Hygrovane) major.minor.patch" and a line end: what --version prints.
std::string VersionLine(const char* program);

// Writes "program: text" on err.
void Say(std::FILE* err, const char* program, const std::string& text);

struct ProgramTexts {
    const char* program;
    std::string (*help)();
    std::string (*version)();
};

// The exit status when the command line alone ends the run: a bad one is told on err with a hint
// at --help (usage), --help and --version are answered on out (done). Nothing when the run goes on.
std::optional<int> EndedByCommandLine(const std::string* problem, const ProgramArguments* arguments,
                                      const ProgramTexts& texts, std::FILE* out, std::FILE* err);

template <typename Line>
std::optional<int> EndedByCommandLine(const Expected<Line, std::string>& line,
                                      const ProgramTexts& texts, std::FILE* out, std::FILE* err) {
    if (!line) {
        return EndedByCommandLine(&line.error(), nullptr, texts, out, err);
    }
    return EndedByCommandLine(nullptr, &line.value(), texts, out, err);
}

} // namespace hygrovane::batch
