#include "array_args.h"
#include "bindings.h"
#include "column_pool.h"
#include "parallel.h"
#include "solve_kernel.h"

#include <pybind11/stl.h>

#include <algorithm>

namespace py = pybind11;

namespace hygrovane::python {

namespace {

// The column `name` of an earlier result when the caller passed one (out=), so that a repeated
// call writes into memory it already has rather than into fresh pages the system must clear;
// otherwise a new column.
template <typename T>
py::array_t<T> ColumnFrom(const py::dict& reuse, const char* name, std::size_t n) {
    if (!reuse.contains(name)) {
        if constexpr (std::is_same_v<T, double>) {
            return NewColumn(n);
        } else {
            return NewStatusColumn(n);
        }
    }
    const py::object given = reuse[name];
    if (py::isinstance<py::array_t<T>>(given)) {
        const auto column = py::reinterpret_borrow<py::array_t<T>>(given);
        if (static_cast<std::size_t>(column.size()) == n && column.writeable() &&
            (column.flags() & py::array::c_style)) {
            return column;
        }
    }
    throw std::invalid_argument(std::string("out holds no writable column ") + name + " of " +
                                std::to_string(n) + " elements");
}

py::dict SolveColumns(std::size_t n, const DoubleArray& dryBulb, const DoubleArray& humidity,
                      const DoubleArray& pressure, const CodeArray& humidityInput,
                      const CodeArray& pressureInput, const CodeArray& formulation,
                      unsigned threads, const std::vector<std::string>& wanted,
                      const py::dict& reuse) {
    SolveInputs in;
    in.dryBulb = ColumnOf(dryBulb, n, "dry_bulb");
    in.humidity = ColumnOf(humidity, n, "humidity");
    in.pressure = ColumnOf(pressure, n, "pressure");
    in.humidityInput = CodesOf(humidityInput, n, "input", 0, 7);
    in.pressureInput = CodesOf(pressureInput, n, "pressure input", 0, 1);
    in.formulation = CodesOf(formulation, n, "formulation", 1, 2);

    py::dict result;
    SolveOutputs out;
    for (const std::string& name : QuantityNames()) {
        if (!wanted.empty() && std::find(wanted.begin(), wanted.end(), name) == wanted.end()) {
            out.quantities.push_back(nullptr);
            continue;
        }
        DoubleArray column = ColumnFrom<double>(reuse, name.c_str(), n);
        out.quantities.push_back(column.mutable_data());
        result[name.c_str()] = column;
    }
    py::array_t<std::uint8_t> status = ColumnFrom<std::uint8_t>(reuse, "status", n);
    DoubleArray value = ColumnFrom<double>(reuse, "failure_value", n);
    DoubleArray minimum = ColumnFrom<double>(reuse, "failure_minimum", n);
    DoubleArray maximum = ColumnFrom<double>(reuse, "failure_maximum", n);
    out.status = status.mutable_data();
    out.failureValue = value.mutable_data();
    out.failureMinimum = minimum.mutable_data();
    out.failureMaximum = maximum.mutable_data();

    FaultDetails faults;
    {
        const py::gil_scoped_release unlocked;
        ForEachSlice(n, ThreadsFor(n, threads), [&](std::size_t begin, std::size_t end) {
            SolveSlice(in, out, begin, end, faults);
        });
    }
    result["status"] = status;
    result["failure_value"] = value;
    result["failure_minimum"] = minimum;
    result["failure_maximum"] = maximum;
    result["fault_details"] = faults.take();
    return result;
}

// One state as a tuple: the status, the quantities in QuantityNames() order, the failure's value,
// limits and detail. A scalar call spends its time in Python otherwise.
py::tuple SolveOne(double dryBulb, double humidity, double pressure, int humidityInput,
                   int pressureInput, int formulation) {
    const auto input = static_cast<std::int8_t>(humidityInput);
    const auto level = static_cast<std::int8_t>(pressureInput);
    const auto form = static_cast<std::int8_t>(formulation);
    SolveInputs in;
    in.dryBulb = {&dryBulb, 1};
    in.humidity = {&humidity, 1};
    in.pressure = {&pressure, 1};
    in.humidityInput = {&input, 1};
    in.pressureInput = {&level, 1};
    in.formulation = {&form, 1};
    if (input < 0 || input > 7 || level < 0 || level > 1 || form < 1 || form > 2) {
        throw std::invalid_argument("unknown code");
    }
    std::vector<double> values(QuantityNames().size());
    SolveOutputs out;
    for (double& value : values) {
        out.quantities.push_back(&value);
    }
    std::uint8_t status = 0;
    double failure[3];
    out.status = &status;
    out.failureValue = &failure[0];
    out.failureMinimum = &failure[1];
    out.failureMaximum = &failure[2];
    FaultDetails faults;
    SolveSlice(in, out, 0, 1, faults);
    const auto details = faults.take();
    return py::make_tuple(status, values, failure[0], failure[1], failure[2],
                          details.empty() ? std::string() : details.front().second);
}

std::string DescribeParts(int status, int humidityInput, double value, double minimum,
                          double maximum, std::string detail) {
    if (status <= 0 || status > 6 || humidityInput < 0 || humidityInput > 7) {
        throw std::invalid_argument("no failure with these codes");
    }
    return Describe(FailureOf(static_cast<Status>(status),
                              kHumidityInputs[static_cast<std::size_t>(humidityInput)], value,
                              {minimum, maximum}, std::move(detail)));
}

} // namespace

void BindSolve(py::module_& m) {
    m.def("solve_columns", &SolveColumns, py::arg("n"), py::arg("dry_bulb"), py::arg("humidity"),
          py::arg("pressure"), py::arg("humidity_input"), py::arg("pressure_input"),
          py::arg("formulation"), py::arg("threads"), py::arg("quantities"),
          py::arg("out") = py::dict(),
          "Solve over flat columns of n elements or one (internal units); quantities names the "
          "columns wanted, every one when empty.");
    m.def("solve_one", &SolveOne, py::arg("dry_bulb"), py::arg("humidity"), py::arg("pressure"),
          py::arg("humidity_input"), py::arg("pressure_input"), py::arg("formulation"),
          "Solve for one state, as a tuple (internal units).");
    m.def("quantity_names", &QuantityNames, "The names solve_columns returns, in order.");
    m.def("describe", &DescribeParts, py::arg("status"), py::arg("humidity_input"),
          py::arg("value"), py::arg("minimum"), py::arg("maximum"), py::arg("detail") = "",
          "The core's sentence on a failure given by its status code and parts.");
    m.def("pooled_bytes", &PooledBytes,
          "Bytes of dropped result columns kept for the next call's columns.");
    m.def("release_memory", &ReleasePooledMemory,
          "Gives the memory kept for the next call's columns back to the system.");
    m.def("hardware_threads", [] { return std::max(1u, std::thread::hardware_concurrency()); });
}

} // namespace hygrovane::python
