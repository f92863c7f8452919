#pragma once

// What the three parts of the batch program's command line share: the parsing
// (command_line.cpp), the settings for a file (command_settings.cpp) and the run
// (command_run.cpp). Not for other callers.

#include <cstddef>
#include <optional>
#include <string_view>

namespace hygrovane::batch::command_line {

inline constexpr const char* kProgram = "hygrovane-batch";

// The N of "N" or "#N" (at most six digits), when it is at least 1.
std::optional<std::size_t> PositionOf(std::string_view text);

} // namespace hygrovane::batch::command_line
