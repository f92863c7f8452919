#pragma once

#include "processes/process_kinds.h"
#include "processes/process_result.h"

#include <span>

namespace hygrovane::processes {

// One process from its entering states and their dry-air flows (kg/s, one per inlet, each
// positive) to its outlets, paths and loads. Never throws.
Outcome<ProcessResult> ComputeProcess(const AirModel& air, ProcessKind kind,
                                      const ProcessParameters& parameters,
                                      std::span<const AirState> inlets,
                                      std::span<const double> dryAirFlows);

} // namespace hygrovane::processes
