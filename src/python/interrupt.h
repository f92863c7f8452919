#pragma once

#include "parallel.h"

#include <pybind11/pybind11.h>

namespace hygrovane::python {

// Python runs signal handlers on its main thread only; on any other (a Dask worker's) taking the
// GIL every few milliseconds to ask would only slow the loop. Set when the module is loaded.
void RememberPythonsMainThread();
bool OnPythonsMainThread();

// Takes the GIL and runs Python's signal handlers; true when one raised (Ctrl-C's
// KeyboardInterrupt), which is then Python's pending error for the caller to throw with
// pybind11::error_already_set once it holds the GIL again.
inline bool PythonSignalRaised() {
    const pybind11::gil_scoped_acquire locked;
    return PyErr_CheckSignals() != 0;
}

// The StopCheck (parallel.h) for a loop run without the GIL, called with the GIL held: Ctrl-C on
// the main thread, nothing elsewhere.
inline StopCheck PythonStopCheck() {
    return OnPythonsMainThread() ? StopCheck(PythonSignalRaised) : StopCheck();
}

} // namespace hygrovane::python
