#pragma once

// The logged air streams of an air-handling unit, each a series of readings at increasing times,
// as a reader hands them over: dry bulb, one humidity quantity in the core's units, pressure.

#include "hygrovane/conditions.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace hygrovane::streams {

// The streams in the order the air passes them (return air joins at the mixing box).
enum class StreamName : std::uint8_t { Outdoor, Return, Mixed, AfterRecovery, Supply };
inline constexpr std::size_t kStreamCount = 5;
inline constexpr std::array<StreamName, kStreamCount> kStreamNames = {
    StreamName::Outdoor, StreamName::Return, StreamName::Mixed, StreamName::AfterRecovery,
    StreamName::Supply};

// "outdoor", "return", "mixed", "after-recovery", "supply": options and files depend on them.
const char* KeyOf(StreamName name);
std::optional<StreamName> StreamNamed(std::string_view key);

// One stream's readings. Times in seconds (any origin shared by the streams), increasing; a value
// that could not be read is NaN (its reading is a gap).
struct StreamSeries {
    HumidityInput humidityInput = HumidityInput::HumidityRatio;
    std::vector<double> seconds;
    std::vector<double> dryBulb;  // degC
    std::vector<double> humidity; // in the core's unit of humidityInput (K, fraction, kg/kg...)
    std::vector<double> pressure; // Pa
};

// The streams that were logged, by name; an absent one is not judged on.
using StreamSet = std::array<std::optional<StreamSeries>, kStreamCount>;

inline std::size_t IndexOf(StreamName name) {
    return static_cast<std::size_t>(name);
}

} // namespace hygrovane::streams
