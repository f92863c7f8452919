#pragma once

// A model of a domain library over flat float64 columns: every element reads one value of each
// input column (n long or a broadcast single value) and writes one value of each output column,
// or fails with a status and a sentence. The loop runs without the GIL, split over threads.

#include "array_args.h"
#include "column_pool.h"
#include "interrupt.h"
#include "parallel.h"

#include "hygrovane/expected.h"

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <array>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace hygrovane::python {

// Why one element has no result: a status code above 0 (the failure's kind, as Python reads it)
// and the library's sentence.
struct ElementFailure {
    std::uint8_t status = 1;
    std::string message;
};

// Enough for every model bound; checked where the columns are counted.
inline constexpr std::size_t kMostColumns = 16;

// model(const double* inputs, double* outputs) -> Expected<Done, ElementFailure>.
template <typename Model>
pybind11::dict
ElementwiseColumns(std::size_t n, const std::vector<DoubleArray>& inputs, std::size_t inputCount,
                   const std::vector<std::string>& outputNames, unsigned threads, Model model) {
    if (inputs.size() != inputCount || outputNames.size() > kMostColumns) {
        throw std::invalid_argument("expected " + std::to_string(inputCount) + " input columns");
    }
    std::vector<Column> in;
    for (const DoubleArray& array : inputs) {
        in.push_back(ColumnOf(array, n, "input"));
    }
    pybind11::dict result;
    std::vector<double*> out;
    for (const std::string& name : outputNames) {
        DoubleArray column = NewColumn(n);
        out.push_back(column.mutable_data());
        result[name.c_str()] = column;
    }
    pybind11::array_t<std::uint8_t> status = NewStatusColumn(n);
    std::uint8_t* const statusData = status.mutable_data();
    Messages messages;
    bool done = false;
    {
        const pybind11::gil_scoped_release unlocked;
        done = ForEachSliceGathering(
            n, ThreadsFor(n, threads),
            [&](std::size_t begin, std::size_t end, Messages& mine) {
                std::array<double, kMostColumns> args{}, values{};
                for (std::size_t i = begin; i < end; ++i) {
                    for (std::size_t c = 0; c < in.size(); ++c) {
                        args[c] = in[c][i];
                    }
                    Expected<Done, ElementFailure> element = model(args.data(), values.data());
                    std::uint8_t code = 0;
                    if (!element) {
                        values.fill(std::numeric_limits<double>::quiet_NaN());
                        code = element.error().status;
                        mine.emplace_back(i, element.error().message);
                    }
                    for (std::size_t c = 0; c < out.size(); ++c) {
                        out[c][i] = values[c];
                    }
                    statusData[i] = code;
                }
            },
            messages, PythonStopCheck());
    }
    if (!done) {
        throw pybind11::error_already_set();
    }
    result["status"] = status;
    result["messages"] = messages;
    return result;
}

} // namespace hygrovane::python
