#include "cli/common_options.h"

#include "hygrovane/formulation_keys.h"

namespace hygrovane::cli {

Expected<SatFormulation, std::string> FormulationOption(const std::string& value) {
    if (const auto formulation = SatFormulationNamed(value)) {
        return *formulation;
    }
    // The short keys: the long ones are accepted, the short ones are what the help shows.
    std::string keys;
    for (const SatFormulationKey& named : kSatFormulationKeys) {
        keys += (keys.empty()                                                  ? ""
                 : named.formulation == kSatFormulationKeys.back().formulation ? " or "
                                                                               : ", ") +
                std::string(named.shortKey);
    }
    return Fail("--formulation takes " + keys);
}

} // namespace hygrovane::cli
