#pragma once

// --envelope NAME[,NAME...]: the named envelopes the figures judge the records against, and
// their section in each form of the output.

#include "climateanalysis/climate_result.h"
#include "climatecli/command_line.h"
#include "envelopes/envelope.h"

#include "hygrovane/expected.h"

#include <string>
#include <vector>

namespace hygrovane::climatecli {

// Adds the listed envelopes to `into` (each once, in the order first given), or the message
// naming the unknown one with the names there are.
Expected<Done, std::string> TakeEnvelopes(const std::string& value,
                                          std::vector<envelopes::Envelope>& into);

// The figures with the envelopes' section after them in the chosen form; the figures alone when
// no envelope was asked for.
std::string WithEnvelopeFigures(std::string figures, Format format,
                                const climateanalysis::PreparedClimate& prepared,
                                const std::vector<envelopes::Envelope>& chosen);

} // namespace hygrovane::climatecli
