#pragma once

#include <pybind11/pybind11.h>

namespace hygrovane::python {

// A StopCheck (parallel.h) for a loop run without the GIL: takes the GIL and runs Python's signal
// handlers; true when one raised (Ctrl-C's KeyboardInterrupt), which is then Python's pending
// error for the caller to throw with pybind11::error_already_set once it holds the GIL again.
inline bool PythonSignalRaised() {
    const pybind11::gil_scoped_acquire locked;
    return PyErr_CheckSignals() != 0;
}

} // namespace hygrovane::python
