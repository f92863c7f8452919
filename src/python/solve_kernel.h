#pragma once

// The core's Solve over arrays of conditions, without Python: the loop the module runs with the
// GIL released. Every input column has n elements or one (a broadcast scalar).

#include "hygrovane/moist_air.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace hygrovane::python {

// Per element: what failed, in the order the core checks. 0 is a computed state.
enum class Status : std::uint8_t {
    Ok = 0,
    DryBulbOutOfRange = 1,
    PressureOutOfRange = 2,
    AltitudeOutOfRange = 3,
    HumidityOutOfRange = 4,
    PressureTooLow = 5,
    ArithmeticFault = 6,
    // Not computed: the call was interrupted (an out= result whose call stopped).
    Interrupted = 7,
};

Status StatusOf(const SolveFailure& failure);
// The failure again from its parts, so that Describe gives the core's own sentence.
SolveFailure FailureOf(Status status, HumidityInput input, double value, Range allowed,
                       std::string detail);

// One column of doubles, n long or a single broadcast value.
struct Column {
    const double* data = nullptr;
    std::size_t size = 0;
    double operator[](std::size_t i) const { return data[size == 1 ? 0 : i]; }
};
struct CodeColumn {
    const std::int8_t* data = nullptr;
    std::size_t size = 0;
    std::int8_t operator[](std::size_t i) const { return data[size == 1 ? 0 : i]; }
};

struct SolveInputs {
    Column dryBulb;           // K
    Column humidity;          // in the unit of the humidity input
    Column pressure;          // Pa, or m of altitude where pressureInput is 1
    CodeColumn humidityInput; // HumidityInput's position in kHumidityInputs
    CodeColumn pressureInput; // 0 barometric, 1 altitude
    CodeColumn formulation;   // SatFormulation's code
};

// The names of the state's quantities, in output order: the state, its ambient and saturation,
// the compositions, and the limits of every humidity input.
const std::vector<std::string>& QuantityNames();
// The humidity inputs by name (snake case), in the order of kHumidityInputs: their codes.
const std::vector<std::string>& HumidityInputNames();

// Where the results go: one pointer per name of QuantityNames(), each n long (null for a quantity
// not asked for: a narrower result writes less memory, and an input's limits none of whose two
// columns is asked are not computed), then the status.
struct SolveOutputs {
    std::vector<double*> quantities;
    std::uint8_t* status = nullptr;
};

// A failed element's parts for its sentence: the refused value and its limits (NaN for an
// arithmetic fault, whose detail is kept apart). Failures are few, so they are kept as lists
// (32 bytes a failure) rather than as three more columns of n.
struct FailureRecord {
    std::size_t index = 0;
    double value = 0;
    double minimum = 0;
    double maximum = 0;
};
struct FailureRecords {
    std::vector<FailureRecord> records;
    std::vector<std::pair<std::size_t, std::string>> details; // the arithmetic faults'
};

// Element i's pressure (or altitude, where pressureInput is 1) and formulation, set on a target
// that has them: the core's Conditions or the processes' ProcessAmbient.
template <typename Target>
void SetAmbientAt(Target& target, const Column& pressure, const CodeColumn& pressureInput,
                  const CodeColumn& formulation, std::size_t i) {
    if (pressureInput[i] == 1) {
        target.pressureInput = PressureInput::Altitude;
        target.altitude = pressure[i];
    } else {
        target.pressure = pressure[i];
    }
    target.formulation = static_cast<SatFormulation>(formulation[i]);
}

// The Conditions of element i.
Conditions ConditionsAt(const SolveInputs& inputs, std::size_t i);

// Solves elements [begin, end), adding the failed ones to `failures` in element order.
void SolveSlice(const SolveInputs& inputs, const SolveOutputs& outputs, std::size_t begin,
                std::size_t end, FailureRecords& failures);

} // namespace hygrovane::python
