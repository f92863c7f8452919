#pragma once

#include "solve_kernel.h"

#include <pybind11/numpy.h>

#include <cstdint>
#include <stdexcept>
#include <string>

namespace hygrovane::python {

// A flat float64 column as numpy hands it over: contiguous, native, converted if need be.
using DoubleArray =
    pybind11::array_t<double, pybind11::array::c_style | pybind11::array::forcecast>;
using CodeArray =
    pybind11::array_t<std::int8_t, pybind11::array::c_style | pybind11::array::forcecast>;

// Columns are n long or a single value; anything else is a caller's mistake.
inline std::size_t CheckedSize(std::size_t size, std::size_t n, const char* name) {
    if (size != n && size != 1) {
        throw std::invalid_argument(std::string(name) + " has " + std::to_string(size) +
                                    " elements where " + std::to_string(n) + " are broadcast");
    }
    return size;
}

inline Column ColumnOf(const DoubleArray& array, std::size_t n, const char* name) {
    return {array.data(), CheckedSize(static_cast<std::size_t>(array.size()), n, name)};
}

inline CodeColumn CodesOf(const CodeArray& array, std::size_t n, const char* name, int lowest,
                          int highest) {
    const auto size = CheckedSize(static_cast<std::size_t>(array.size()), n, name);
    for (std::size_t i = 0; i < size; ++i) {
        if (array.data()[i] < lowest || array.data()[i] > highest) {
            throw std::invalid_argument(std::string("unknown code in ") + name);
        }
    }
    return {array.data(), size};
}

} // namespace hygrovane::python
