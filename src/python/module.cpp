// hygrovane._core: the moist-air core, its units, its processes, comfort and weather data over
// numpy arrays. The
// Python package hygrovane broadcasts the arguments and names the results; this module only
// loops the core's functions over flat float64 columns.
#include "bindings.h"
#include "interrupt.h"

#include <pythread.h>

namespace hygrovane::python {

namespace {
unsigned long mainThread = 0;
} // namespace

void RememberPythonsMainThread() {
    mainThread = pybind11::module_::import("threading")
                     .attr("main_thread")()
                     .attr("ident")
                     .cast<unsigned long>();
}

bool OnPythonsMainThread() {
    return PyThread_get_thread_ident() == mainThread;
}

} // namespace hygrovane::python

PYBIND11_MODULE(_core, module) {
    module.doc() = "The compiled loops of hygrovane; use the hygrovane package instead.";
    hygrovane::python::RememberPythonsMainThread();
    hygrovane::python::BindSolve(module);
    hygrovane::python::BindUnits(module);
    hygrovane::python::BindProcesses(module);
    hygrovane::python::BindComfort(module);
    hygrovane::python::BindClimate(module);
    hygrovane::python::BindNames(module);
    hygrovane::python::BindEnvelopes(module);
    hygrovane::python::BindUnit(module);
    hygrovane::python::BindStreams(module);
}
