#include "array_args.h"
#include "bindings.h"
#include "column_pool.h"
#include "interrupt.h"
#include "parallel.h"
#include "process_kernel.h"

#include <pybind11/stl.h>

namespace py = pybind11;

namespace hygrovane::python {

namespace {

using namespace processes;

// Keeps the arrays alive while their columns are read without the GIL.
struct Arguments {
    const py::dict& values;
    const py::dict& codes;
    std::size_t n;
    std::vector<DoubleArray> kept;
    std::vector<CodeArray> keptCodes;

    Column column(const char* name) {
        kept.push_back(values[name].cast<DoubleArray>());
        return ColumnOf(kept.back(), n, name);
    }
    CodeColumn code(const char* name, int lowest, int highest) {
        keptCodes.push_back(codes[name].cast<CodeArray>());
        return CodesOf(keptCodes.back(), n, name, lowest, highest);
    }
};

py::dict ProcessColumns(std::size_t n, const std::string& kindKey, const std::string& flowUnit,
                        const py::dict& values, const py::dict& codes, unsigned threads) {
    const std::optional<ProcessKind> kind = KindWithKey(kindKey);
    if (!kind) {
        throw std::invalid_argument("unknown process kind: " + kindKey);
    }
    const std::optional<FlowUnit> unit = FlowUnitNamed(flowUnit);
    if (!unit || *unit == FlowUnit::Upstream) {
        throw std::invalid_argument("unknown flow unit: " + flowUnit);
    }
    Arguments a{values, codes, n, {}, {}};
    a.kept.reserve(32);
    a.keptCodes.reserve(8);
    ProcessInputs in;
    in.kind = *kind;
    in.flowUnit = *unit;
    in.dryBulb = a.column("dry_bulb");
    in.humidity = a.column("humidity");
    in.flow = a.column("flow");
    in.humidityInput = a.code("input", 0, 7);
    in.dryBulb2 = a.column("dry_bulb2");
    in.humidity2 = a.column("humidity2");
    in.flow2 = a.column("flow2");
    in.humidityInput2 = a.code("input2", 0, 7);
    in.leavingDryBulb = a.column("leaving_dry_bulb");
    in.heatRate = a.column("heat_rate");
    in.apparatusDewPoint = a.column("apparatus_dew_point");
    in.bypassFactor = a.column("bypass_factor");
    in.relativeHumidity = a.column("relative_humidity");
    in.humidityRatio = a.column("humidity_ratio");
    in.effectiveness = a.column("effectiveness");
    in.steamTemperature = a.column("steam_temperature");
    in.targetDryBulb = a.column("target_dry_bulb");
    in.targetHumidity = a.column("target_humidity");
    in.targetInput = a.code("target_input", 0, 7);
    in.pressure = a.column("pressure");
    in.pressureInput = a.code("pressure_input", 0, 1);
    in.formulation = a.code("formulation", 1, 2);

    py::dict result;
    ProcessOutputs out;
    for (const std::string& name : ProcessColumnNames()) {
        DoubleArray column = NewColumn(n);
        out.columns.push_back(column.mutable_data());
        result[name.c_str()] = column;
    }
    py::array_t<std::uint8_t> status = NewStatusColumn(n);
    out.status = status.mutable_data();
    Messages messages;
    bool done = false;
    {
        const py::gil_scoped_release unlocked;
        done = ForEachSliceGathering(
            n, ThreadsFor(n, threads),
            [&](std::size_t begin, std::size_t end, Messages& mine) {
                ProcessSlice(in, out, begin, end, mine);
            },
            messages, PythonStopCheck());
    }
    if (!done) {
        throw py::error_already_set();
    }
    result["status"] = status;
    result["messages"] = messages;
    return result;
}

std::vector<std::pair<std::string, int>> KindKeys() {
    std::vector<std::pair<std::string, int>> keys;
    for (const KindInfo& info : Kinds()) {
        keys.emplace_back(std::string(info.key), info.inlets);
    }
    return keys;
}

// The arguments of process() each kind reads, by its key: a missing one is named rather than
// taken as 0.
std::vector<std::pair<std::string, std::vector<std::string>>> KindArguments() {
    std::vector<std::pair<std::string, std::vector<std::string>>> kinds;
    for (const KindInfo& info : Kinds()) {
        std::vector<std::string> names;
        for (const Parameter parameter : info.parameters) {
            switch (parameter) {
            case Parameter::LeavingDryBulb:
                names.emplace_back("leaving_dry_bulb");
                break;
            case Parameter::HeatRate:
                names.emplace_back("heat_rate");
                break;
            case Parameter::ApparatusDewPoint:
                names.emplace_back("apparatus_dew_point");
                break;
            case Parameter::BypassFactor:
                names.emplace_back("bypass_factor");
                break;
            case Parameter::RelativeHumidity:
                names.emplace_back("relative_humidity");
                break;
            case Parameter::HumidityRatio:
                names.emplace_back("humidity_ratio");
                break;
            case Parameter::Effectiveness:
                names.emplace_back("effectiveness");
                break;
            case Parameter::SteamTemperature:
                names.emplace_back("steam_temperature");
                break;
            case Parameter::Target:
                names.emplace_back("target_dry_bulb");
                names.emplace_back("target_humidity");
                break;
            }
        }
        kinds.emplace_back(std::string(info.key), std::move(names));
    }
    return kinds;
}

std::vector<std::string> FlowUnitNames() {
    std::vector<std::string> names;
    for (FlowUnit unit : kFlowUnits) {
        if (unit != FlowUnit::Upstream) {
            names.emplace_back(NameOf(unit));
        }
    }
    return names;
}

} // namespace

void BindProcesses(py::module_& m) {
    m.def("process_columns", &ProcessColumns, py::arg("n"), py::arg("kind"), py::arg("flow_unit"),
          py::arg("values"), py::arg("codes"), py::arg("threads"));
    m.def("process_column_names", &ProcessColumnNames);
    m.def("process_kinds", &KindKeys, "Each process kind's key and its number of inlets.");
    m.def("flow_units", &FlowUnitNames);
    m.def("process_arguments", &KindArguments,
          "The parameters each process kind reads, by the names process() takes them.");
}

} // namespace hygrovane::python
