#pragma once

// The envelope figures in the three forms of hygrovane-climate's output, to follow the zone
// figures: a section of text, CSV rows (section "envelopes") and the JSON member "envelopes".
// Hours as the other figures write them; degree-hours in K h, gram-hours in g/kg h and
// percent-hours in %RH h whatever the units.

#include "climateanalysis/envelope_figures.h"

#include <string>
#include <vector>

namespace hygrovane::climateanalysis {

std::string EnvelopesText(const std::vector<EnvelopeFigures>& figures);
// Rows of the CSV layout section,period,item,measure,value,unit, without its header.
std::string EnvelopesCsv(const std::vector<EnvelopeFigures>& figures);
// The list, one object per envelope.
std::string EnvelopesJson(const std::vector<EnvelopeFigures>& figures);
// The JSON object `json` (as ResultJson writes it) with the member "envelopes" added last.
std::string WithEnvelopesMember(const std::string& json,
                                const std::vector<EnvelopeFigures>& figures);

} // namespace hygrovane::climateanalysis
