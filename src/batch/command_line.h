#pragma once

#include "batch/batch_run.h"
#include "batch/columns.h"
#include "cli/program_arguments.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace hygrovane::batch {

// The programs' exit statuses (cli/exit_status.h); batch's 2 also for an input without columns
// to use.
using cli::kExitDone;
using cli::kExitUnreadable;
using cli::kExitUnwritable;
using cli::kExitUsage;

// A column named on the command line: "Temp, °F:F", "#3", "3:C", "101.325:kPa".
struct ColumnOption {
    std::string named;
    std::optional<HumidityInput> humidityInput; // --humidity KIND=...
};

// The command line, parsed.
struct CommandLine : cli::ProgramArguments {
    std::string output = "-";
    std::optional<ColumnOption> temperature, humidity, pressure, altitude;
    bool british = false;
    std::vector<std::pair<std::string, std::string>> units; // --unit QUANTITY=UNIT
    Digits digits = Digits::Window;
    SatFormulation formulation = SatFormulation::IAPWS;
    bool composition = false;
    char separator = 0;         // 0: detected
    char decimalSeparator = 0;  // 0: as the file
    int threads = 0;            // 0: every core
    std::size_t headerLine = 0; // the header's line, from 1; 0: found by its names
};

// The parsed command line, or a message for the user.
Expected<CommandLine, std::string> ParseCommandLine(const std::vector<std::string>& args);

// Why a file has no settings. The exit status tells a wrong option from a file that lacks what
// the conversion needs.
enum class SettingsFailureKind {
    BadOption,   // an option names no column, or a unit its quantity does not have
    NoDryBulb,   // no dry-bulb column, and no option names one
    NoHumidity,  // no humidity column, and no option names one
    UnknownUnit, // a header names a unit that is not known, and no option names it
};

struct SettingsFailure {
    SettingsFailureKind kind = SettingsFailureKind::BadOption;
    std::string message; // for the user
};

// The settings for a file with this head: the detected columns with the options applied. Notes
// on what was found or assumed are added to notes.
Expected<Settings, SettingsFailure> SettingsFor(const CommandLine& line, const FileHead& head,
                                                std::vector<std::string>& notes);

std::string HelpText();
std::string VersionText();

// The program: reads the input, writes the output, reports on err. Returns the exit status.
// terminal: err is a terminal, where a progress line is shown for long files.
// startThread: how threads are started (tests make it fail); empty: std::thread.
int RunCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err,
                   bool terminal, const ThreadStarter& startThread = {});

// The summary of a run: rows read, computed and refused by reason, and the time taken.
std::string SummaryText(const Plan& plan, const RunOutcome& outcome);

} // namespace hygrovane::batch
