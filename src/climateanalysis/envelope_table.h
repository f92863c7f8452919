#pragma once

// The envelope figures as a section of the one results table, for the Climate window's figures,
// its exports and its design report.

#include "climateanalysis/envelope_figures.h"
#include "tables/table.h"

#include <string_view>
#include <vector>

namespace hygrovane::climateanalysis {

inline constexpr std::string_view kEnvelopesSection = "envelopes";

// One row per envelope: hours and share inside, hours outside and missing, the excursions (count,
// longest, K h, g/kg h, %RH h) and the worst one's start and end. Keyed by the envelope's name.
tables::Section EnvelopeSection(const std::vector<EnvelopeFigures>& figures);

} // namespace hygrovane::climateanalysis
