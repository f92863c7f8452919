#pragma once

// hygrovane-climate's options of logged air streams: --stream NAME=PREFIX names the columns of
// a stream by the prefix their headers start with, --stream-file NAME=FILE reads that stream
// from another file than the input; the alignment, the coil's flow and the fault limits. Kept
// apart from the climate's options.

#include "cli/program_arguments.h"
#include "streams/judgement.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrovane::climatecli {

struct StreamOptions {
    std::array<std::optional<std::string>, streams::kStreamCount> prefixes; // --stream
    std::array<std::string, streams::kStreamCount> files; // --stream-file; empty: the input
    streams::AlignmentSettings alignment;
    streams::JudgementSettings judgement;
    bool Any() const;
};

// The table rows of the stream options, read into options.
cli::OptionTable StreamOptionTable(StreamOptions& options);
enum class StreamOptionsFailureKind {
    NeedsStream,       // a stream option without any --stream
    FileWithoutStream, // --stream-file NAME without --stream NAME
    NotWithStream,     // an option of the climate's figures beside --stream
};

struct StreamOptionsFailure {
    StreamOptionsFailureKind kind = StreamOptionsFailureKind::NeedsStream;
    std::string message; // for the user
};

// Refuses options that do not go together, once all are read (given: every option, in order).
Expected<Done, StreamOptionsFailure> CheckStreamOptions(const StreamOptions& options,
                                                        const std::vector<std::string>& given);

// The lines of the help text on them.
const char* StreamHelpText();

} // namespace hygrovane::climatecli
