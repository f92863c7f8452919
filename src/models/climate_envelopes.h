#pragma once

// The envelopes the Climate window draws over the hours and counts: which there are to choose,
// their outlines on the chart, and the user's own typed one a line.

#include "chart/overlay.h"
#include "climateanalysis/envelope_figures.h"
#include "envelopes/envelope.h"
#include "envelopes/outline.h"

#include "hygrovane/expected.h"

#include <string>
#include <vector>

namespace hygrovane::models {

// Every named envelope the window offers, in its list's order: the catalogue's, then the
// collection classes with their set points the year's averages.
std::vector<envelopes::Envelope> OfferedEnvelopes();

// Each judged envelope's outline, traced from its edges at the pressure the hours are drawn at,
// with its name and the share of the filtered hours inside.
std::vector<chart::OverlayZone>
EnvelopeZones(const std::vector<climateanalysis::EnvelopeFigures>& figures, double pressure,
              SatFormulation formulation, const envelopes::OutlineBounds& bounds);

// User envelopes typed one a line, "Name: db 18..27; rh 30..60": two quantities of db (dry bulb,
// degC), dp (dew point, degC, a frost point below 0 degC), rh (%), w (g/kg) and h (kJ/kg), each
// with its lowest and highest value, either of which may be left out ("dp ..15"). Blank lines are
// skipped; a line that cannot be read is refused with its number.
Expected<std::vector<envelopes::Envelope>, std::string> ParseUserEnvelopes(const std::string& text);

} // namespace hygrovane::models
