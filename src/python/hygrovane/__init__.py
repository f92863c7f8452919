"""Hygrovane: the state of moist air and air-conditioning processes over numpy arrays.

The same C++ core as the Hygrovane program, in its internal units: K, Pa, m, kg/kg dry air,
fractions, kJ/kg dry air (hygrovane.units converts from and to every unit the program offers).

    import numpy as np, hygrovane
    s = hygrovane.solve(np.array([293.15, 303.15]), 0.5, "relative_humidity", pressure=101325.0)
    s.dew_point, s.wet_bulb, s.enthalpy     # K, K, kJ/kg dry air
    s.to_frame()                            # a pandas DataFrame

solve()    the whole state from a dry bulb and one humidity quantity
process()  a process (sensible, coils, humidifiers, mixing, chains) and its loads
comfort    PMV/PPD, SET, cooling effect, adaptive models and running means (degC, m/s, met, clo)
climate    EPW and TMY3 weather files: header, hours, hourly states, design conditions

The memory of large result columns that are dropped is kept (up to 1 GiB or a sixteenth of the
machine's memory, which the system may reclaim when it runs short) for the next call's columns;
release_memory() gives it back at once.
"""

from . import climate, comfort, units
from ._columns import FORMULATIONS, HUMIDITY_INPUTS
from ._process import PROCESS_KINDS, ProcessResult, ProcessStatus, mix, process
from . import _core
from ._state import State, Status, solve
# The types the signatures use, for annotating code that calls them (the "as" re-exports them).
from ._types import ArrayLike as ArrayLike, Errors as Errors, Formulation as Formulation
from ._types import HumidityInput as HumidityInput, Values as Values

__all__ = [
    "FORMULATIONS",
    "HUMIDITY_INPUTS",
    "PROCESS_KINDS",
    "ProcessResult",
    "ProcessStatus",
    "State",
    "climate",
    "comfort",
    "Status",
    "mix",
    "process",
    "release_memory",
    "solve",
    "units",
]


def release_memory() -> None:
    """Gives the memory kept from dropped result columns back to the system at once."""
    _core.release_memory()
