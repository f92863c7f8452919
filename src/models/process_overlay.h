#pragma once

#include "chart/overlay.h"
#include "processes/process_set.h"

namespace hygrovane::models {

// The name of the processes window's layer on the chart.
inline constexpr const char* kProcessesLayer = "processes";

// What a process set draws on the chart, in one colour: every point with a state, marked and
// named; every computed process's paths in the direction the air flows, each with an arrowhead
// at its end; a coil's guide on to its apparatus dew point dashed, and the apparatus dew point
// marked. Points and processes that could not be computed draw nothing. Each stage of a chained
// process is labelled with its own load in the set's units ("coil -24.139 kW", "reheat 9.898 kW",
// "humidifier 39.935 kg/h"), since the net of a coil and its reheat sizes neither.
chart::Overlay ProcessOverlay(const processes::ProcessSet& set,
                              const processes::LoadUnits& units = {});

// A room ratio line the processes window draws: from a point of its set (the room), at a
// sensible heat ratio. It follows the point when the point changes or the pressure does.
struct RoomRatioLineOf {
    processes::PointId room = 0;
    double shr = 1;

    friend bool operator==(const RoomRatioLineOf&, const RoomRatioLineOf&) = default;
};

// Adds each line whose room has a state to the overlay, dashed and labelled "SHR 0.75"; a line
// whose room is gone or has no state draws nothing.
void AddRoomRatioLines(chart::Overlay& overlay, const processes::ProcessSet& set,
                       const std::vector<RoomRatioLineOf>& lines);

} // namespace hygrovane::models
