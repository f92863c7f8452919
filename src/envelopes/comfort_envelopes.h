#pragma once

// ASHRAE 55-2020's comfort zones as envelopes, from the comfort library: the PMV zone for a
// clothing, metabolic rate and air speed, and the adaptive model's 80 % and 90 % acceptability
// bands for a prevailing mean outdoor temperature. Named "ashrae-55-2020-pmv",
// "ashrae-55-2020-adaptive-80" and "-90", with their inputs after the name, each as ":key=value"
// ("ashrae-55-2020-pmv:clo=1.0:met=1.2:v=0.15", "ashrae-55-2020-adaptive-80:tpma=18"); inputs
// left out take the defaults below.

#include "envelopes/envelope.h"

#include "hygrovane/expected.h"

#include <optional>
#include <string>
#include <string_view>

namespace hygrovane::envelopes {

inline constexpr std::string_view kAshrae55Pmv = "ashrae-55-2020-pmv";
inline constexpr std::string_view kAshrae55Adaptive80 = "ashrae-55-2020-adaptive-80";
inline constexpr std::string_view kAshrae55Adaptive90 = "ashrae-55-2020-adaptive-90";

struct AdaptiveInputs {
    double prevailingMean = 20; // degC, t_pma(out); the model holds from 10 to 33.5 degC
    double airSpeed = 0.1;      // m/s; from 0.6 m/s the upper limit widens
};

// The PMV zone's envelope (Envelope::pmv set, no edges); refused for inputs out of the model's
// reach.
Expected<Envelope, std::string> Ashrae55Pmv(const PmvInputs& inputs, std::string name);
// The adaptive band as two dry-bulb edges (the operative temperature taken as the air's):
// acceptability 80 or 90; refused outside the model's range of prevailing means.
Expected<Envelope, std::string> Ashrae55Adaptive(int acceptability, const AdaptiveInputs& inputs,
                                                 std::string name);

// The envelope a name with its inputs gives; none for a name that is not one of the three;
// refused for an input it does not take or cannot read.
std::optional<Expected<Envelope, std::string>> ComfortEnvelopeNamed(std::string_view text);

} // namespace hygrovane::envelopes
