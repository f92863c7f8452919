"""Hygrovane: the state of moist air and air-conditioning processes over numpy arrays.

The same C++ core as the Hygrovane program, in its internal units: K, Pa, m, kg/kg dry air,
fractions, kJ/kg dry air (hygrovane.units converts from and to every unit the program offers;
solve() and process() take and give temperatures in degC with temperature_unit="C").
relative_humidity is a fraction wherever the package takes or gives it; in % it is rh_percent.

    import numpy as np, hygrovane
    s = hygrovane.solve(np.array([293.15, 303.15]), 0.5, "relative_humidity", pressure=101325.0)
    s.dew_point, s.wet_bulb, s.enthalpy     # K, K, kJ/kg dry air
    s.to_frame()                            # a pandas DataFrame

solve()    the whole state from a dry bulb and one humidity quantity
process()  a process (sensible, coils, humidifiers, mixing, chains) and its loads
comfort    PMV/PPD, SET, cooling effect, adaptive models and running means (degC, m/s, met, clo)
climate    EPW and TMY3 weather files: header, hours, hourly states, design conditions
envelopes  the standards' envelopes (data halls, ventilation, EN 16798-1) over arrays and series

The memory of large result columns that are dropped is kept for the next call's columns of a
similar size (up to 1 GiB, or a sixteenth of the machine's memory or of the control group's
limit; the system may reclaim it when it runs short) and goes back after 10 s unused;
release_memory() gives it back at once, memory_reuse() sets the most kept and the idle time.
"""

from . import climate, comfort, envelopes, units
from ._columns import FORMULATIONS, HUMIDITY_INPUTS
from ._process import PROCESS_KINDS, ProcessResult, ProcessStatus, mix, process
from . import _core
from ._state import State, Status, solve
# The types the signatures use, for annotating code that calls them (the "as" re-exports them).
from ._types import ArrayLike as ArrayLike, Errors as Errors, Formulation as Formulation
from ._types import HumidityInput as HumidityInput, TemperatureUnit as TemperatureUnit
from ._types import Values as Values

__all__ = [
    "FORMULATIONS",
    "HUMIDITY_INPUTS",
    "PROCESS_KINDS",
    "ProcessResult",
    "ProcessStatus",
    "State",
    "climate",
    "comfort",
    "envelopes",
    "Status",
    "memory_reuse",
    "mix",
    "process",
    "release_memory",
    "solve",
    "units",
]


def release_memory() -> None:
    """Gives the memory kept from dropped result columns back to the system at once."""
    _core.release_memory()


def memory_reuse(most_bytes: int | None = None, idle_seconds: float | None = None) -> dict:
    """Sets how much memory of dropped result columns is kept for the next calls (most_bytes; 0
    keeps none: a Dask worker may set a share of its own limit) and how long a kept block may
    stay unused before it goes back (idle_seconds). Returns the settings and the bytes kept now."""
    most, idle = _core.pool_settings()
    if most_bytes is not None:
        if isinstance(most_bytes, bool) or int(most_bytes) != most_bytes or most_bytes < 0:
            raise ValueError(f"most_bytes must be a whole number of bytes, not {most_bytes!r}")
        most = int(most_bytes)
    if idle_seconds is not None:
        if isinstance(idle_seconds, bool) or not idle_seconds >= 0:
            raise ValueError(f"idle_seconds must be 0 or more, not {idle_seconds!r}")
        idle = float(idle_seconds)
    _core.set_pool_settings(most, idle)
    return {"most_bytes": most, "idle_seconds": idle, "kept_bytes": _core.pooled_bytes()}
