#pragma once

#include <pybind11/pybind11.h>

namespace hygrovane::python {

// Each adds its functions to the module hygrovane._core; the Python package wraps them.
void BindSolve(pybind11::module_& module);
void BindUnits(pybind11::module_& module);
void BindProcesses(pybind11::module_& module);
void BindComfort(pybind11::module_& module);
void BindClimate(pybind11::module_& module);
void BindNames(pybind11::module_& module);
void BindEnvelopes(pybind11::module_& module);
void BindUnit(pybind11::module_& module);
void BindStreams(pybind11::module_& module);

} // namespace hygrovane::python
