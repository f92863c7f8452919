#include "array_args.h"
#include "bindings.h"
#include "column_pool.h"
#include "interrupt.h"
#include "parallel.h"
#include "solve_kernel.h"

#include <pybind11/stl.h>

#include <algorithm>
#include <iterator>
#include <limits>
#include <mutex>

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

// The failures as arrays for Python: element, value, limits, and the arithmetic faults' details.
void PutFailures(py::dict& result, FailureRecords failures) {
    std::vector<FailureRecord>& records = failures.records;
    std::sort(records.begin(), records.end(),
              [](const FailureRecord& a, const FailureRecord& b) { return a.index < b.index; });
    const auto count = static_cast<py::ssize_t>(records.size());
    py::array_t<std::int64_t> index(count);
    DoubleArray value(count), minimum(count), maximum(count);
    for (std::size_t k = 0; k < records.size(); ++k) {
        index.mutable_data()[k] = static_cast<std::int64_t>(records[k].index);
        value.mutable_data()[k] = records[k].value;
        minimum.mutable_data()[k] = records[k].minimum;
        maximum.mutable_data()[k] = records[k].maximum;
    }
    std::vector<FailureRecord>().swap(records);
    result["failure_index"] = index;
    result["failure_value"] = value;
    result["failure_minimum"] = minimum;
    result["failure_maximum"] = maximum;
    result["fault_details"] = failures.details;
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
    std::vector<py::array_t<double>> columns;
    for (const std::string& name : QuantityNames()) {
        if (!wanted.empty() && std::find(wanted.begin(), wanted.end(), name) == wanted.end()) {
            out.quantities.push_back(nullptr);
            continue;
        }
        columns.push_back(ColumnFrom<double>(reuse, name.c_str(), n));
        out.quantities.push_back(columns.back().mutable_data());
        result[name.c_str()] = columns.back();
    }
    py::array_t<std::uint8_t> status = ColumnFrom<std::uint8_t>(reuse, "status", n);
    out.status = status.mutable_data();

    FailureRecords failures;
    bool done = false;
    {
        const py::gil_scoped_release unlocked;
        std::mutex mutex;
        done = ForEachSlice(
            n, ThreadsFor(n, threads),
            [&](std::size_t begin, std::size_t end) {
                FailureRecords mine;
                SolveSlice(in, out, begin, end, mine);
                const std::lock_guard lock(mutex);
                failures.records.insert(failures.records.end(), mine.records.begin(),
                                        mine.records.end());
                std::move(mine.details.begin(), mine.details.end(),
                          std::back_inserter(failures.details));
            },
            PythonStopCheck());
        if (!done && !reuse.empty()) {
            // An earlier result written into is not left half new, half old: every element
            // says it was not computed.
            for (double* column : out.quantities) {
                if (column) {
                    std::fill(column, column + n, std::numeric_limits<double>::quiet_NaN());
                }
            }
            std::fill(out.status, out.status + n, static_cast<std::uint8_t>(Status::Interrupted));
        }
    }
    if (!done) {
        throw py::error_already_set();
    }
    result["status"] = status;
    PutFailures(result, std::move(failures));
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
    out.status = &status;
    FailureRecords failures;
    SolveSlice(in, out, 0, 1, failures);
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    const FailureRecord failure =
        failures.records.empty() ? FailureRecord{0, kNaN, kNaN, kNaN} : failures.records.front();
    return py::make_tuple(status, values, failure.value, failure.minimum, failure.maximum,
                          failures.details.empty() ? std::string()
                                                   : failures.details.front().second);
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
    m.def("pool_settings", [] {
        const PoolSettings s = PoolSettingsNow();
        return py::make_tuple(s.mostBytes, s.idleSeconds);
    });
    m.def(
        "set_pool_settings",
        [](std::size_t mostBytes, double idleSeconds) {
            SetPoolSettings({mostBytes, idleSeconds});
        },
        py::arg("most_bytes"), py::arg("idle_seconds"));
    m.def("default_pool_bytes", &DefaultMostPooledBytes);
    m.def("size_class_bytes", &SizeClassBytes, py::arg("bytes"));
    m.def("cgroup_memory_limit", &CgroupMemoryLimit, py::arg("root"), py::arg("self_cgroup"));
    m.def("hardware_threads", &UsableThreads, "The CPUs this process may run on.");
    m.def("threads_for", &ThreadsFor, py::arg("n"), py::arg("wanted"),
          "The threads a call of n elements runs on when `wanted` are asked for (0: every CPU).");
}

} // namespace hygrovane::python
