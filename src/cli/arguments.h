#pragma once

// How every program splits its command line: "--name value" or "--name=value", "--" ends the
// options (what follows is a file name, even "-x"), "-" and whatever does not start with a dash
// is a file name (an operand).

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace hygrovane::cli {

struct Argument {
    enum class Kind { Operand, Option };
    Kind kind;
    std::string text;                 // the option's name ("--output", "-o") or the operand
    std::optional<std::string> value; // "--name=value": what follows "="

    // The option as it was given, with its "=value".
    std::string given() const { return value ? text + "=" + *value : text; }
};

// Hands out the arguments one after another; an option's value in the next argument is taken
// by takeValue().
class ArgumentReader {
  public:
    explicit ArgumentReader(const std::vector<std::string>& args) : args_(args) {}

    // The next operand or option; nothing at the end. "--" itself is not handed out.
    std::optional<Argument> next();
    // The next argument, whatever it looks like, as the value of the option just read; nothing
    // at the end.
    std::optional<std::string> takeValue();

  private:
    const std::vector<std::string>& args_;
    std::size_t next_ = 0;
    bool optionsEnded_ = false;
};

} // namespace hygrovane::cli
