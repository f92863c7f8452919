#pragma once

// hygrovane-climate's options of the air-handling unit: --unit UNIT.json (again for options side
// by side) and --unit-hourly FILE.csv, kept apart from the climate's options.

#include "cli/program_arguments.h"
#include "hygrovane/expected.h"

#include <optional>
#include <string>
#include <vector>

namespace hygrovane::climatecli {

struct UnitOptions {
    std::vector<std::string> files; // --unit, in the order given
    std::string hourly;             // --unit-hourly; empty when not asked
};

// The table rows of --unit and --unit-hourly, read into options.
cli::OptionTable UnitOptionTable(UnitOptions& options);
enum class UnitOptionsFailureKind {
    HourlyWithoutUnit, // --unit-hourly with no --unit to run
};

struct UnitOptionsFailure {
    UnitOptionsFailureKind kind = UnitOptionsFailureKind::HourlyWithoutUnit;
    std::string message; // for the user
};

// Refuses options that do not go together, once all are read.
Expected<Done, UnitOptionsFailure> CheckUnitOptions(const UnitOptions& options);

// The lines of the help text on them.
const char* UnitHelpText();

} // namespace hygrovane::climatecli
