// The names the package gives the compiled module's codes: its statuses, humidity inputs and
// formulations, read by the Python package from here rather than copied into it by hand. Each
// table is a switch without a default, so an enumerator added to a library fails the build
// (-Wswitch) until it is named here, and the codes come from the enumerators themselves.
#include "bindings.h"
#include "process_kernel.h"
#include "solve_kernel.h"

#include "climate/hourly_states.h"
#include "comfort/comfort_error.h"
#include "processes/outcome.h"

#include <pybind11/stl.h>

#include <string>
#include <utility>
#include <vector>

namespace py = pybind11;

namespace hygrovane::python {

namespace {

using Names = std::vector<std::pair<std::string, int>>;

const char* NameOf(Status status) {
    switch (status) {
    case Status::Ok:
        return "OK";
    case Status::DryBulbOutOfRange:
        return "DRY_BULB_OUT_OF_RANGE";
    case Status::PressureOutOfRange:
        return "PRESSURE_OUT_OF_RANGE";
    case Status::AltitudeOutOfRange:
        return "ALTITUDE_OUT_OF_RANGE";
    case Status::HumidityOutOfRange:
        return "HUMIDITY_OUT_OF_RANGE";
    case Status::PressureTooLow:
        return "PRESSURE_TOO_LOW";
    case Status::ArithmeticFault:
        return "ARITHMETIC_FAULT";
    case Status::Interrupted:
        return "INTERRUPTED";
    }
    return nullptr;
}

const char* NameOf(processes::FailureKind kind) {
    using processes::FailureKind;
    switch (kind) {
    case FailureKind::NoApparatusDewPoint:
        return "NO_APPARATUS_DEW_POINT";
    case FailureKind::Fog:
        return "FOG";
    case FailureKind::Condensation:
        return "CONDENSATION";
    case FailureKind::OutOfRange:
        return "OUT_OF_RANGE";
    case FailureKind::BadParameter:
        return "BAD_PARAMETER";
    case FailureKind::NoInput:
        return "NO_INPUT";
    }
    return nullptr;
}

const char* NameOf(comfort::ComfortFailureKind kind) {
    using comfort::ComfortFailureKind;
    switch (kind) {
    case ComfortFailureKind::OutOfRange:
        return "OUT_OF_RANGE";
    case ComfortFailureKind::NotANumber:
        return "NOT_A_NUMBER";
    case ComfortFailureKind::NoSolution:
        return "NO_SOLUTION";
    case ComfortFailureKind::CoreFailure:
        return "CORE_FAILURE";
    }
    return nullptr;
}

const char* NameOf(climate::MissingReason reason) {
    using climate::MissingReason;
    switch (reason) {
    case MissingReason::None:
        return "NONE";
    case MissingReason::DryBulb:
        return "DRY_BULB";
    case MissingReason::Humidity:
        return "HUMIDITY";
    case MissingReason::Pressure:
        return "PRESSURE";
    case MissingReason::Refused:
        return "REFUSED";
    }
    return nullptr;
}

const char* NameOf(SatFormulation formulation) {
    switch (formulation) {
    case SatFormulation::IAPWS:
        return "IAPWS";
    case SatFormulation::HylandWexler:
        return "HylandWexler";
    }
    return nullptr;
}

// Every enumerator from `first` on, in order, with its code shifted by `offset` (the libraries'
// failure kinds start at 0, their statuses at 1 where 0 is a result).
template <typename Enum> Names Enumerators(int first, int offset) {
    Names names;
    for (int i = first; const char* name = NameOf(static_cast<Enum>(i)); ++i) {
        names.emplace_back(name, i + offset);
    }
    return names;
}

Names ProcessStatuses() {
    Names names{{"OK", 0}};
    for (auto& named : Enumerators<processes::FailureKind>(0, 1)) {
        names.push_back(std::move(named));
    }
    names.emplace_back("OVERFLOW", kOverflowStatus);
    return names;
}

Names ComfortStatuses() {
    Names names{{"OK", 0}};
    for (auto& named : Enumerators<comfort::ComfortFailureKind>(0, 1)) {
        names.push_back(std::move(named));
    }
    return names;
}

} // namespace

void BindNames(py::module_& m) {
    m.def(
        "solve_statuses", [] { return Enumerators<Status>(0, 0); },
        "The name and code of every status of solve_columns.");
    m.def("process_statuses", &ProcessStatuses,
          "The name and code of every status of process_columns.");
    m.def("comfort_statuses", &ComfortStatuses,
          "The name and code of every status of comfort_columns.");
    m.def(
        "missing_reasons", [] { return Enumerators<climate::MissingReason>(0, 0); },
        "The name and code of every reason an hour of WeatherData.states has no state.");
    m.def(
        "formulations", [] { return Enumerators<SatFormulation>(1, 0); },
        "The name and code of every saturation formulation.");
    m.def("humidity_inputs", &HumidityInputNames,
          "The humidity inputs by name, in the order of their codes.");
}

} // namespace hygrovane::python
