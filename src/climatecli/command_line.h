#pragma once

// hygrovane-climate: a weather file's hours in comfort and strategy zones, and its design
// conditions, on the command line. The same conventions as hygrovane-batch: messages on standard
// error after the program's name, "--" ends the options, "-" is the standard input or output,
// and a failed run leaves no output file behind (an old one stays as it was).

#include "climateanalysis/climate_settings.h"

#include "hygrovane/expected.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace hygrovane::climatecli {

// Exit statuses, as hygrovane-batch's.
inline constexpr int kExitDone = 0;
inline constexpr int kExitUsage = 1;      // bad options, or zones that cannot be made from them
inline constexpr int kExitUnreadable = 2; // the input cannot be read or is refused as damaged
inline constexpr int kExitUnwritable = 3; // the output cannot be written

enum class Format { Text, Csv, Json };

struct CommandLine {
    bool help = false;
    bool version = false;
    std::string input;
    std::string output = "-";
    Format format = Format::Text;
    climateanalysis::ClimateSettings settings;
};

// The parsed command line, or a message for the user.
Expected<CommandLine, std::string> ParseCommandLine(const std::vector<std::string>& args);

std::string HelpText();
std::string VersionText();

// The program: reads the input, writes the figures, reports on err. Returns the exit status.
int RunCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

} // namespace hygrovane::climatecli
