// Reading an arbitrary UNIT.json, as hygrovane-climate --unit and Python's run_unit do, and
// running what is accepted through a few hours of outdoor air.
#include "airunit/unit_hour.h"
#include "fuzz_support.h"
#include "unitfile/unit_file.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

using namespace hygrovane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > unitfile::kLargestUnitFile) {
        return 0;
    }
    std::optional<Expected<airunit::UnitSettings, unitfile::UnitTextFailure>> read;
    try {
        read = unitfile::ReadUnitText(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (...) {
        fuzz::Fail("reading a unit file let an exception out");
    }
    if (!*read) {
        if (read->error().message.empty()) {
            fuzz::Fail("a refused unit file has no reason");
        }
        return 0;
    }
    // What is written of accepted settings reads back as the same settings.
    const auto again = unitfile::ReadUnitText(unitfile::UnitText(read->value()));
    if (!again || unitfile::UnitText(*again) != unitfile::UnitText(read->value())) {
        fuzz::Fail("written unit settings do not read back as the same");
    }
    const auto unit = airunit::Prepare(read->value(), SatFormulation::IAPWS);
    if (!unit) {
        return 0;
    }
    // Cold dry, mild humid and hot humid air at a low and a normal pressure.
    for (const airunit::OutdoorAir air :
         {airunit::OutdoorAir{-30, 0.0002, 101325}, airunit::OutdoorAir{12, 0.0085, 101325},
          airunit::OutdoorAir{38, 0.02, 80000}}) {
        const auto hour = airunit::RunHour(*unit, air);
        if (hour && !(std::isfinite(hour->coolingKW) && std::isfinite(hour->heatingKW) &&
                      std::isfinite(hour->supply.dryBulb))) {
            fuzz::Fail("an hour through an accepted unit has a load that is not a number");
        }
    }
    return 0;
}
