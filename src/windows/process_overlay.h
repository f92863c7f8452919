#pragma once

#include "chart/overlay.h"
#include "processes/process_set.h"

namespace hygrovane::forms {

// The name of the processes window's layer on the chart.
inline constexpr const char* kProcessesLayer = "processes";

// What a process set draws on the chart, in one colour: every point with a state, marked and
// named; every computed process's paths in the direction the air flows, each with an arrowhead
// at its end; a coil's guide on to its apparatus dew point dashed, and the apparatus dew point
// marked. Points and processes that could not be computed draw nothing.
chart::Overlay ProcessOverlay(const processes::ProcessSet& set);

} // namespace hygrovane::forms
