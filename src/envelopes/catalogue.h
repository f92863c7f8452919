#pragma once

// The named envelopes of the standards, each stamped with its edition: the names scripts and
// the command line use, in one table. The guide's chapter "Envelopes" gives each one's source.

#include "envelopes/envelope.h"

#include <optional>
#include <string_view>
#include <vector>

namespace hygrovane::envelopes {

// Every named envelope, in the order of the table in catalogue.cpp.
const std::vector<Envelope>& Catalogue();

// The envelope of that exact name, or none.
std::optional<Envelope> EnvelopeNamed(std::string_view name);

// How the data-centre envelopes read their dew-point limits below 0 degC (-12 degC, -9 degC): as
// frost points, the reading of the handbook's chart and of its dew-point relation below 0 degC.
inline constexpr DewReading kDataCentreDewReading = DewReading::OverIce;

} // namespace hygrovane::envelopes
