#pragma once

// One process over arrays of entering states, flows and parameters, without Python. Each element
// goes the way the processes window takes a set: the points from their conditions (AirModel::
// Given), the flows from their unit (DryAirFlow), then ComputeProcess.

#include "parallel.h"
#include "processes/compute.h"
#include "processes/flows.h"
#include "processes/process_set.h"
#include "solve_kernel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace hygrovane::python {

struct ProcessInputs {
    processes::ProcessKind kind = processes::ProcessKind::SensibleToDryBulb;
    processes::FlowUnit flowUnit = processes::FlowUnit::KilogramsPerSecond;
    Column dryBulb, humidity, flow; // the (first) entering stream
    CodeColumn humidityInput;
    Column dryBulb2, humidity2, flow2; // mixing's second stream
    CodeColumn humidityInput2;
    Column leavingDryBulb, heatRate, apparatusDewPoint, bypassFactor, relativeHumidity,
        humidityRatio, effectiveness, steamTemperature;
    Column targetDryBulb, targetHumidity;
    CodeColumn targetInput;
    Column pressure;          // Pa, or m where pressureInput is 1
    CodeColumn pressureInput; // 0 barometric, 1 altitude
    CodeColumn formulation;   // SatFormulation's code
};

// The names of the result columns, in output order.
const std::vector<std::string>& ProcessColumnNames();

// The status of an element whose loads overflow (past processes::FailureKind + 1).
inline constexpr std::uint8_t kOverflowStatus = 7;

struct ProcessOutputs {
    std::vector<double*> columns;   // one per ProcessColumnNames(), n long
    std::uint8_t* status = nullptr; // 0 computed, else processes::FailureKind + 1, or overflow
};

// Computes elements [begin, end); failed elements are NaN in every column and add a message.
void ProcessSlice(const ProcessInputs& in, const ProcessOutputs& out, std::size_t begin,
                  std::size_t end, Messages& messages);

} // namespace hygrovane::python
