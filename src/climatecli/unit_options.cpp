#include "climatecli/unit_options.h"

namespace hygrovane::climatecli {

// Ten options side by side are more than a table can be read by.
constexpr std::size_t kMostUnits = 10;

cli::OptionTable UnitOptionTable(UnitOptions& options) {
    using Taken = Expected<Done, std::string>;
    return {
        {{"--unit"},
         true,
         [&options](const std::string& value) -> Taken {
             if (options.files.size() == kMostUnits) {
                 return Fail("--unit is given more than " + std::to_string(kMostUnits) + " times");
             }
             options.files.push_back(value);
             return Done{};
         }},
        {{"--unit-hourly"},
         true,
         [&options](const std::string& value) -> Taken {
             if (value.empty() || value == "-") {
                 return Fail(
                     std::string("--unit-hourly takes a file name (not the standard output)"));
             }
             options.hourly = value;
             return Done{};
         }},
    };
}

Expected<Done, UnitOptionsFailure> CheckUnitOptions(const UnitOptions& options) {
    if (!options.hourly.empty() && options.files.empty()) {
        return Fail(UnitOptionsFailure{UnitOptionsFailureKind::HourlyWithoutUnit,
                                       "--unit-hourly needs a --unit"});
    }
    return Done{};
}

const char* UnitHelpText() {
    return R"help(Air-handling unit:
  --unit UNIT.json         runs every kept record with a state through the unit the file
                           describes and adds its year, months and peaks to the figures; given
                           again, the units run side by side on the same records
  --unit-hourly FILE.csv   writes every record's nodes and loads through the unit(s) to FILE
)help";
}

} // namespace hygrovane::climatecli
