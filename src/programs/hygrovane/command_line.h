#pragma once

#include <optional>
#include <string>
#include <vector>

namespace hygrovane::app {

// What the program's own arguments ask for: `hygrovane [--help | --version] [--] [FILE]`.
struct CommandLine {
    enum class Request { Run, Help, Version };
    Request request = Request::Run;
    std::optional<std::string> caseFile;
    std::string error; // one line saying what is wrong with the arguments; empty when nothing
};

// Reads the arguments after the program's name as every program does (cli/arguments.h). --help
// and --version win over everything else before "--", so that they answer even beside options
// only Qt knows; after "--" every argument is a file name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

std::vector<std::string> ProgramArguments(int argc, const char* const* argv);

// How many of argv (the program's name included) Qt is to read: those before the first "--".
// Qt knows no "--" and would take a file named like one of its options (-name, -style, -display)
// as that option, with the next argument as its value.
int QtArgumentCount(int argc, const char* const* argv);

// The program's arguments once Qt has taken its options out of the first qtArgc of argv: what
// Qt left, then "--" and every argument after it as they were given.
std::vector<std::string> ArgumentsAfterQt(int qtArgc, const char* const* qtArgv,
                                          const std::vector<std::string>& fromOptionsEnd);

std::string HelpText();
std::string VersionText();

// Prints the answer to --help or --version and returns the exit status (done); nothing for any
// other command line. Needs no display, so it runs before Qt starts.
std::optional<int> AnswerInformationRequest(int argc, const char* const* argv);

} // namespace hygrovane::app
