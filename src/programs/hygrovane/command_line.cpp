#include "programs/hygrovane/command_line.h"

#include "cli/arguments.h"
#include "cli/exit_status.h"
#include "hygrovane/config.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace hygrovane::app {

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine result;
    std::vector<std::string> files;
    cli::ArgumentReader reader(arguments);
    while (const std::optional<cli::Argument> argument = reader.next()) {
        const bool plain = argument->kind == cli::Argument::Kind::Option && !argument->value;
        if (argument->kind == cli::Argument::Kind::Operand) {
            files.push_back(argument->text);
        } else if (plain && (argument->text == "--help" || argument->text == "-h")) {
            return {CommandLine::Request::Help, std::nullopt, {}};
        } else if (plain && argument->text == "--version") {
            return {CommandLine::Request::Version, std::nullopt, {}};
        } else if (result.error.empty()) {
            result.error = "unknown option " + argument->given() + " (see hygrovane --help)";
        }
    }
    if (result.error.empty() && files.size() > 1) {
        result.error = "one case file at most, not " + std::to_string(files.size()) +
                       " (see hygrovane --help)";
    }
    if (result.error.empty() && !files.empty()) {
        result.caseFile = files.front();
    }
    return result;
}

std::vector<std::string> ProgramArguments(int argc, const char* const* argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

int QtArgumentCount(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--") {
            return i;
        }
    }
    return std::max(argc, 0);
}

std::vector<std::string> ArgumentsAfterQt(int qtArgc, const char* const* qtArgv,
                                          const std::vector<std::string>& fromOptionsEnd) {
    std::vector<std::string> arguments = ProgramArguments(qtArgc, qtArgv);
    arguments.insert(arguments.end(), fromOptionsEnd.begin(), fromOptionsEnd.end());
    return arguments;
}

std::string HelpText() {
    return std::string("Usage: hygrovane [OPTION] [FILE]\n") + config::kApplicationTitle +
           ", a psychrometric calculator for moist air.\n"
           "Shows the About box, then the main window, and opens FILE, a saved case,\n"
           "as File, Open does.\n"
           "\n"
           "  -h, --help     show this help and exit\n"
           "      --version  show the version and exit\n"
           "      --         take the next argument as FILE even if it starts with '-'\n"
           "\n"
           "Qt's own options, such as -platform offscreen, are accepted as well.\n";
}

std::string VersionText() {
    return "hygrovane " + std::to_string(config::kVersionMajor) + "." +
           std::to_string(config::kVersionMinor) + "." + std::to_string(config::kVersionPatch) +
           "\n";
}

std::optional<int> AnswerInformationRequest(int argc, const char* const* argv) {
    const CommandLine commandLine = ParseCommandLine(ProgramArguments(argc, argv));
    if (commandLine.request == CommandLine::Request::Run) {
        return std::nullopt;
    }
    const std::string text =
        commandLine.request == CommandLine::Request::Help ? HelpText() : VersionText();
    std::fputs(text.c_str(), stdout);
    return cli::kExitDone;
}

} // namespace hygrovane::app
