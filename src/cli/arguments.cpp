#include "cli/arguments.h"

namespace hygrovane::cli {

std::optional<Argument> ArgumentReader::next() {
    while (next_ < args_.size()) {
        const std::string& arg = args_[next_++];
        if (optionsEnded_ || arg == "-" || !arg.starts_with('-')) {
            return Argument{Argument::Kind::Operand, arg, std::nullopt};
        }
        if (arg == "--") {
            optionsEnded_ = true;
            continue;
        }
        // Only a long option carries "=value": "-o=x" is the option "-o=x", unknown.
        if (const std::size_t equals = arg.find('=');
            arg.starts_with("--") && equals != std::string::npos) {
            return Argument{Argument::Kind::Option, arg.substr(0, equals), arg.substr(equals + 1)};
        }
        return Argument{Argument::Kind::Option, arg, std::nullopt};
    }
    return std::nullopt;
}

std::optional<std::string> ArgumentReader::takeValue() {
    if (next_ >= args_.size()) {
        return std::nullopt;
    }
    return args_[next_++];
}

} // namespace hygrovane::cli
