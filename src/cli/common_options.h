#pragma once

// Options more than one program takes, spelt and refused the same way in each.

#include "hygrovane/expected.h"
#include "hygrovane/sat_formulation.h"

#include <string>

namespace hygrovane::cli {

// --formulation: a key of kSatFormulationKeys (hygrovane/formulation_keys.h), or the message.
Expected<SatFormulation, std::string> FormulationOption(const std::string& value);

} // namespace hygrovane::cli
