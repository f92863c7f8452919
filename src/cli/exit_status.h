#pragma once

// The exit statuses of the three programs (hygrovane, hygrovane-batch, hygrovane-climate): one
// meaning for each number, whichever program ends with it. Scripts test these numbers, and the
// man pages list them: never renumber one.

#include <array>

namespace hygrovane::cli {

inline constexpr int kExitDone = 0;       // the work was done, or --help or --version answered
inline constexpr int kExitUsage = 1;      // the command line asks for what cannot be run
inline constexpr int kExitUnreadable = 2; // the input cannot be read
inline constexpr int kExitUnwritable = 3; // the output cannot be written

struct ExitStatusRow {
    int status;
    const char* meaning;
};

inline constexpr std::array<ExitStatusRow, 4> kExitStatuses{{
    {kExitDone, "done, or the help or version printed"},
    {kExitUsage, "wrong options, an output that would replace the input, settings that cannot be "
                 "run (hygrovane-climate's zones), no display (hygrovane)"},
    {kExitUnreadable, "the input cannot be read, is damaged or has nothing to use"},
    {kExitUnwritable, "the output cannot be written; no output file is left behind"},
}};

} // namespace hygrovane::cli
