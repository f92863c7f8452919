#include "batch/program_arguments.h"

#include "hygrovane/config.h"

namespace hygrovane::batch {

Expected<ProgramArguments, std::string> ReadArguments(const std::vector<std::string>& args,
                                                      const OptionRules& rules) {
    ProgramArguments read;
    bool inputSeen = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string option = args[i];
        if (optionsEnded || option == "-" || !option.starts_with('-')) {
            if (inputSeen) {
                return Fail(std::string("one input file only (the output goes after -o)"));
            }
            read.input = option;
            inputSeen = true;
            continue;
        }
        if (option == "--") {
            optionsEnded = true; // what follows is a file name, even "-x"
            continue;
        }
        std::string value;
        bool hasValue = false;
        if (option.starts_with("--") && option.find('=') != std::string::npos) {
            const std::size_t equals = option.find('=');
            value = option.substr(equals + 1);
            option = option.substr(0, equals);
            hasValue = true;
        }
        const bool needsValue = rules.needsValue(option);
        if (needsValue && !hasValue) {
            if (i + 1 >= args.size()) {
                return Fail("the option " + option + " needs a value");
            }
            value = args[++i];
        } else if (!needsValue && hasValue && rules.refuseValueOfFlag) {
            return Fail("the option " + option + " takes no value");
        }
        if (option == "-h" || option == "--help") {
            read.help = true;
        } else if (option == "--version") {
            read.version = true;
        } else {
            const OptionTaken taken = rules.take(option, value);
            if (!taken) {
                return Fail(taken.error());
            }
            if (*taken == OptionUse::NotOurs) {
                return Fail("unknown option " + option);
            }
        }
    }
    if (!inputSeen && !read.help && !read.version) {
        return Fail(std::string("no input file (- for the standard input)"));
    }
    return read;
}

std::string VersionLine(const char* program) {
    return std::string(program) + " (Hygrovane) " + std::to_string(config::kVersionMajor) + "." +
           std::to_string(config::kVersionMinor) + "." + std::to_string(config::kVersionPatch) +
           "\n";
}

void Say(std::FILE* err, const char* program, const std::string& text) {
    std::fprintf(err, "%s: %s\n", program, text.c_str());
}

std::optional<int> EndedByCommandLine(const std::string* problem, const ProgramArguments* arguments,
                                      const ProgramTexts& texts, std::FILE* out, std::FILE* err) {
    if (problem != nullptr) {
        Say(err, texts.program, *problem);
        std::fprintf(err, "Try '%s --help'.\n", texts.program);
        return kExitUsage;
    }
    if (arguments->help) {
        std::fputs(texts.help().c_str(), out);
        return kExitDone;
    }
    if (arguments->version) {
        std::fputs(texts.version().c_str(), out);
        return kExitDone;
    }
    return std::nullopt;
}

} // namespace hygrovane::batch
