#pragma once

// The collection classes of the ASHRAE Handbook's chapter on museums, galleries, archives and
// libraries (AA, A in its As and A1 variants, B, C, D), judged on a series: each reading against
// the set point in use then (the mean of the readings over the short-term window before it), and
// that set point against the set point of the year (its average, or one chosen) moved by no more
// than the seasonal adjustments. C and D are fixed limits, edges like any envelope's.
// Named "ashrae-collections-aa", "-a" (As), "-a1", "-b", "-c", "-d", with inputs after the name
// ("ashrae-collections-a:rh=50:t=21:window=24"): the set point's relative humidity (%) and dry
// bulb (degC), each the series' time-weighted average when left out, and the short-term window
// in hours (24 when left out).

#include "envelopes/envelope.h"

#include "hygrovane/expected.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hygrovane::envelopes {

struct Sample;

// The envelope of a name with its inputs; none for a name that is not a collection class.
std::optional<Expected<Envelope, std::string>> CollectionEnvelopeNamed(std::string_view text);

// The names without inputs, AA first.
std::vector<std::string> CollectionNames();

// Each reading's judgement under the envelope's collection rule (its edges first), in the
// samples' order. Needs the envelope's `collection`.
std::vector<Judgement> JudgeCollection(const Judge& judge, std::span<const Sample> samples);

} // namespace hygrovane::envelopes
