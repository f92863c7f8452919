#pragma once

// The run both file programs share around their own work: the command line answered or refused,
// an output that would replace the input refused before anything is read, the input opened and
// the output opened, each with the one message and exit status for its failure.

#include "cli/program_arguments.h"
#include "cli/streams.h"

#include "hygrovane/expected.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace hygrovane::cli {

// A failed step of a run: the message (after the program's name) and the status to exit with.
struct RunFailure {
    std::string message;
    int status;
};

// The output as messages name it: "standard output" for "-".
std::string OutputName(const std::string& output);

// "cannot read \"input\": why", "cannot write \"output\": why", with "; nothing was written" when
// a file output was abandoned.
RunFailure CannotRead(const ProgramArguments& arguments, const std::string& why,
                      bool fileAbandoned = false);
RunFailure CannotWrite(const std::string& output, const std::string& why,
                       bool fileAbandoned = false);

// Refused when the output names the input's file (by any path to it): writing it would lose the
// input before it is read whole.
Expected<Done, RunFailure> CheckOutputKeepsInput(const ProgramArguments& arguments,
                                                 const std::string& output);

// The input, or why it cannot be read.
Expected<std::unique_ptr<ByteSource>, RunFailure> OpenInput(const ProgramArguments& arguments);

// The output: out for "-", else a file that appears only when committed.
Expected<std::unique_ptr<ByteSink>, RunFailure> OpenOutput(const std::string& output,
                                                           std::FILE* out);

// Writes the text whole and commits it; on a failure the file is abandoned.
Expected<Done, RunFailure> WriteWhole(ByteSink& sink, const std::string& output,
                                      std::string_view text);

// Says the failure on err after the program's name and returns its status.
int Report(std::FILE* err, const char* program, const RunFailure& failure);

// The exit status when the run ends before the program's own work: the command line refused or
// answered (help, version), or its output would replace its input. Line has an output.
template <typename Line>
std::optional<int> EndedBeforeRun(const Expected<Line, std::string>& line,
                                  const ProgramTexts& texts, std::FILE* out, std::FILE* err) {
    if (const auto ended = EndedByCommandLine(line, texts, out, err)) {
        return ended;
    }
    if (const auto kept = CheckOutputKeepsInput(*line, line->output); !kept) {
        return Report(err, texts.program, kept.error());
    }
    return std::nullopt;
}

} // namespace hygrovane::cli
