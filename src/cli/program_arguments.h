#pragma once

// The options hygrovane-batch and hygrovane-climate read on the arguments of cli/arguments.h:
// one input file, -h/--help and --version, a program's own options from a table, and messages
// on standard error after the program's name.

#include "cli/exit_status.h"

#include "hygrovane/expected.h"

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace hygrovane::cli {

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

// One option of a program: its names, whether it takes a value, and what it does with it (a
// message when the value is wrong).
struct Option {
    std::vector<std::string_view> names; // "-o", "--output"
    bool takesValue = true;
    std::function<Expected<Done, std::string>(const std::string& value)> take;
};
using OptionTable = std::vector<Option>;

// Stores an option's value when it has one; its message otherwise.
template <typename T, typename Target>
Expected<Done, std::string> Store(Expected<T, std::string> taken, Target& into) {
    if (!taken) {
        return Fail(taken.error());
    }
    into = std::move(*taken);
    return Done{};
}

// Appends a table of options to another: a program's table is made of small ones, one a group.
void Append(OptionTable& table, OptionTable more);

// The rules of a table; an option it does not name is unknown.
OptionRules RulesOf(const OptionTable& table, bool refuseValueOfFlag);

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

} // namespace hygrovane::cli
