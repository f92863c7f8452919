#include "cli/program_arguments.h"

#include "cli/arguments.h"

#include "hygrovane/config.h"

#include <algorithm>
#include <memory>

namespace hygrovane::cli {

void Append(OptionTable& table, OptionTable more) {
    table.insert(table.end(), std::make_move_iterator(more.begin()),
                 std::make_move_iterator(more.end()));
}

OptionRules RulesOf(const OptionTable& table, bool refuseValueOfFlag) {
    // Shared, so that the rules can be copied and outlive the caller's copy of the table.
    const auto options = std::make_shared<const OptionTable>(table);
    const auto find = [options](std::string_view name) -> const Option* {
        for (const Option& option : *options) {
            if (std::find(option.names.begin(), option.names.end(), name) != option.names.end()) {
                return &option;
            }
        }
        return nullptr;
    };
    OptionRules rules;
    rules.refuseValueOfFlag = refuseValueOfFlag;
    rules.needsValue = [find](std::string_view name) {
        const Option* option = find(name);
        return option != nullptr && option->takesValue;
    };
    rules.take = [find](const std::string& name, const std::string& value) -> OptionTaken {
        const Option* option = find(name);
        if (option == nullptr) {
            return OptionUse::NotOurs;
        }
        if (const auto taken = option->take(value); !taken) {
            return Fail(taken.error());
        }
        return OptionUse::Taken;
    };
    return rules;
}

Expected<ProgramArguments, std::string> ReadArguments(const std::vector<std::string>& args,
                                                      const OptionRules& rules) {
    ProgramArguments read;
    bool inputSeen = false;
    ArgumentReader reader(args);
    while (const std::optional<Argument> argument = reader.next()) {
        if (argument->kind == Argument::Kind::Operand) {
            if (inputSeen) {
                return Fail(std::string("one input file only (the output goes after -o)"));
            }
            read.input = argument->text;
            inputSeen = true;
            continue;
        }
        const std::string& option = argument->text;
        std::string value = argument->value.value_or(std::string());
        const bool needsValue = rules.needsValue(option);
        if (needsValue && !argument->value) {
            const std::optional<std::string> next = reader.takeValue();
            if (!next) {
                return Fail("the option " + option + " needs a value");
            }
            value = *next;
        } else if (!needsValue && argument->value && rules.refuseValueOfFlag) {
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

} // namespace hygrovane::cli
