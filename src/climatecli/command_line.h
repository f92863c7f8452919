#pragma once

// hygrovane-climate: a weather file's hours in comfort and strategy zones, and its design
// conditions, on the command line. The same conventions as hygrovane-batch: messages on standard
// error after the program's name, "--" ends the options, "-" is the standard input or output,
// and a failed run leaves no output file behind (an old one stays as it was).

#include "cli/program_arguments.h"
#include "climateanalysis/climate_settings.h"
#include "climatecli/unit_options.h"
#include "envelopes/envelope.h"

#include "hygrovane/expected.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace hygrovane::climatecli {

// The programs' exit statuses (cli/exit_status.h): 1 also for zones that cannot be made from the
// options, 2 also for an input refused as damaged.
using cli::kExitDone;
using cli::kExitUnreadable;
using cli::kExitUnwritable;
using cli::kExitUsage;

inline constexpr const char* kProgram = "hygrovane-climate";

enum class Format { Text, Csv, Json };

struct CommandLine : cli::ProgramArguments {
    std::string output = "-";
    Format format = Format::Text;
    climateanalysis::ClimateSettings settings;
    // --humidity was given: a logger file must have that column (else its own is read).
    bool humidityChosen = false;
    std::vector<envelopes::Envelope> envelopes; // --envelope, each once, in the order given
    UnitOptions unit;                           // --unit, --unit-hourly
};

// The parsed command line, or a message for the user.
Expected<CommandLine, std::string> ParseCommandLine(const std::vector<std::string>& args);

std::string HelpText();
std::string VersionText();

// The program: reads the input, writes the figures, reports on err. Returns the exit status.
int RunCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

} // namespace hygrovane::climatecli
