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

// Reads the arguments after the program's name. --help and --version win over everything else
// before "--", so that they answer even beside options only Qt knows; after "--" every argument
// is a file name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

std::vector<std::string> ProgramArguments(int argc, const char* const* argv);

std::string HelpText();
std::string VersionText();

// Prints the answer to --help or --version and returns the exit status 0; nothing for any other
// command line. Needs no display, so it runs before Qt starts.
std::optional<int> AnswerInformationRequest(int argc, const char* const* argv);

} // namespace hygrovane::app
