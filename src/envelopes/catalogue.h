#pragma once

// The named envelopes of the standards, each stamped with its edition: the names scripts and
// the command line use, in one table. The guide's chapter "Envelopes" gives each one's source.

#include "envelopes/envelope.h"
#include "hygrovane/expected.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrovane::envelopes {

// Every named envelope, in the order of the table in catalogue.cpp.
const std::vector<Envelope>& Catalogue();

// The envelope of that exact name, or none.
std::optional<Envelope> EnvelopeNamed(std::string_view name);

// A name of the catalogue, one of ASHRAE 55's comfort envelopes with its inputs after it
// (comfort_envelopes.h) or a collection class with its (collections.h); otherwise the message
// says why, listing the names.
Expected<Envelope, std::string> EnvelopeFromText(std::string_view text);

// How the data-centre envelopes read their dew-point limits below 0 degC (-12 degC, -9 degC): as
// frost points, the reading of the handbook's chart and of its dew-point relation below 0 degC.
inline constexpr DewReading kDataCentreDewReading = DewReading::OverIce;

} // namespace hygrovane::envelopes
