#pragma once

// The streams brought to one set of steps: the readings of the stream with the most of them
// (the first in the order of StreamName on a tie). Every other stream takes at a step either
// its nearest reading within a tolerance, or the straight line between the readings around the
// step when they lie no further apart than the tolerance; otherwise the step is a gap of that
// stream. Each stream's states are computed once: humidity ratio and enthalpy from its dry bulb,
// humidity and pressure; a humidity ratio is interpolated, never a relative humidity.

#include "hygrovane/sat_formulation.h"
#include "streams/stream_series.h"

#include <array>
#include <vector>

namespace hygrovane::streams {

enum class Alignment : std::uint8_t { Nearest, Linear };

struct AlignmentSettings {
    Alignment how = Alignment::Nearest;
    // Nearest: the furthest a reading may lie from its step; Linear: the furthest apart the two
    // readings around a step may lie.
    double toleranceSeconds = 150;
    // A sensor reading the same value this many readings running is taken as frozen.
    int frozenReadings = 12;
    SatFormulation formulation = SatFormulation::IAPWS;
};

// A stream's state at one step; NaN throughout at a gap.
struct AlignedState {
    double dryBulb;       // degC
    double humidityRatio; // kg/kg dry air
    double enthalpy;      // kJ/kg dry air
    double relative;      // fraction, not capped
    double pressure;      // Pa
    bool frozen;          // built from a reading of a frozen sensor
    bool Present() const { return dryBulb == dryBulb && humidityRatio == humidityRatio; }
};

struct AlignedStreams {
    std::vector<double> seconds; // of each step
    std::vector<double> hours;   // each step stands for (the time since the step before, at
                                 // most the usual step: a gap in the steps is not credited)
    std::array<bool, kStreamCount> logged{};
    std::array<std::vector<AlignedState>, kStreamCount> states; // of logged streams, a step each
};

// The readings of each logged stream marked where a sensor (its dry bulb or its humidity)
// repeats one value for at least `readings` readings running; none marked below 2.
std::vector<bool> FrozenReadings(const StreamSeries& series, int readings);

AlignedStreams Align(const StreamSet& streams, const AlignmentSettings& settings);

// The hours each of increasing times stands for: the time since the one before, at most the
// usual (median) interval; the first takes the usual interval, a lone one an hour.
std::vector<double> StepHours(const std::vector<double>& seconds);

} // namespace hygrovane::streams
