"""The envelopes of the standards and the user's, judged over numpy arrays and time series.

    from hygrovane import envelopes
    envelopes.NAMES                                    # "ashrae-tc99-2021-a1", ...
    a1 = envelopes.envelope("ashrae-tc99-2021-a1")     # its edition and edges
    envelopes.inside(a1, dry_bulb, humidity_ratio, pressure)       # bool array, broadcast
    envelopes.compliance(a1, t, w, p, times=index)     # hours inside, excursions, months

Readings are in the core's internal units: dry bulb in K, humidity ratio in kg/kg dry air,
pressure in Pa (solve() gives them from any humidity). An envelope is its edges: limits on the
dry bulb (K), the dew point (K, over water or over ice as the edge says), the relative humidity
(fraction), the humidity ratio (kg/kg) or the enthalpy (kJ/kg dry air), every limit included,
so it holds at any pressure. A reading that is NaN, or not air the core accepts (above
saturation, out of its ranges), is never inside.
"""

from __future__ import annotations

from dataclasses import dataclass
from typing import Any, Literal, Union

import numpy as np
import numpy.typing as npt

from . import _core
from ._columns import formulation_codes
from ._types import ArrayLike, Flags, Formulation

__all__ = ["NAMES", "QUANTITIES", "VERDICTS", "Edge", "Envelope", "envelope", "user_envelope",
           "en16798_humidity", "inside", "judge", "compliance"]

Quantity = Literal["dry_bulb", "dew_point", "relative_humidity", "humidity_ratio", "enthalpy"]
Side = Literal["lowest", "highest"]
Reading = Literal["water", "ice"]

# The quantities, sides and dew-point readings in the order of the library's codes.
QUANTITIES: tuple[str, ...] = ("dry_bulb", "dew_point", "relative_humidity", "humidity_ratio",
                               "enthalpy")
_SIDES = ("lowest", "highest")
_READINGS = ("water", "ice")
# What judge() says of a reading, by its code.
VERDICTS: tuple[str, ...] = ("inside", "outside", "invalid")


@dataclass(frozen=True)
class Edge:
    """One limit: quantity >= value ("lowest") or <= value ("highest"), in internal units; a dew
    point read over supercooled water or over ice (a frost point) below 0 degC."""

    quantity: str
    side: str
    value: float
    reading: str = "ice"


@dataclass(frozen=True)
class Envelope:
    """A named, edition-stamped envelope and its edges."""

    name: str
    edition: str
    title: str
    edges: tuple[Edge, ...]

    def _tuple(self) -> tuple:
        return (self.name, self.edition, self.title,
                [(QUANTITIES.index(e.quantity), _SIDES.index(e.side), float(e.value),
                  _READINGS.index(e.reading)) for e in self.edges])


def _from_tuple(t: tuple) -> Envelope:
    name, edition, title, edges = t
    return Envelope(name, edition, title, tuple(
        Edge(QUANTITIES[q], _SIDES[s], v, _READINGS[r]) for q, s, v, r in edges))


_CATALOGUE = {e.name: e for e in map(_from_tuple, _core.envelope_catalogue())}
# The names of the standards' envelopes, as hygrovane-climate --envelope takes them.
NAMES: tuple[str, ...] = tuple(_CATALOGUE)


def envelope(name: str) -> Envelope:
    """The named envelope (one of NAMES), or one of ASHRAE 55's with its inputs after the name
    ("ashrae-55-2020-pmv:clo=1.0:met=1.2:v=0.15", "ashrae-55-2020-adaptive-80:tpma=18:v=0.1");
    ValueError names the others for an unknown name or an input the model refuses. The PMV
    zone has no edges: its name carries its inputs."""
    if name in _CATALOGUE:
        return _CATALOGUE[name]
    return _from_tuple(_core.envelope_from_text(name))


Limits = Union[tuple[str, Union[float, None], Union[float, None]],
               tuple[str, Union[float, None], Union[float, None], str]]


def _limits(limits: Limits) -> tuple[int, Any, Any, int]:
    quantity, lowest, highest = limits[0], limits[1], limits[2]
    reading = limits[3] if len(limits) > 3 else "ice"
    if quantity not in QUANTITIES:
        raise ValueError(f"unknown quantity {quantity!r}; one of {', '.join(QUANTITIES)}")
    if reading not in _READINGS:
        raise ValueError(f"unknown dew-point reading {reading!r}; water or ice")
    return (QUANTITIES.index(quantity), None if lowest is None else float(lowest),
            None if highest is None else float(highest), _READINGS.index(reading))


def user_envelope(name: str, first: Limits, second: Limits) -> Envelope:
    """An envelope of limits on two quantities, each (quantity, lowest, highest[, reading]) in
    internal units with None for an open end: ("dry_bulb", 293.15, 297.15), ("humidity_ratio",
    None, 0.010). ValueError for the same quantity twice, no limit, or a lowest above a highest."""
    return _from_tuple(_core.user_envelope(name, *_limits(first), *_limits(second)))


def en16798_humidity(category: int, humidification: float, dehumidification: float) -> Envelope:
    """EN 16798-1's humidity category (1-3) with a national annex's design relative humidities,
    in %: named "en16798-1-humidity-...-national-annex"."""
    return _from_tuple(_core.en16798_humidity(category, humidification, dehumidification))


def _resolved(which: Union[str, Envelope]) -> Envelope:
    return envelope(which) if isinstance(which, str) else which


def _columns(dry_bulb, humidity_ratio, pressure):
    arrays = np.broadcast_arrays(*(np.asarray(a, dtype=np.float64)
                                   for a in (dry_bulb, humidity_ratio, pressure)))
    shape = arrays[0].shape
    return shape, [np.ascontiguousarray(a).ravel() for a in arrays]


def _formulation(formulation: str) -> int:
    return int(formulation_codes(formulation))


def judge(which: Union[str, Envelope], dry_bulb: ArrayLike, humidity_ratio: ArrayLike,
          pressure: ArrayLike = 101325.0, formulation: Formulation = "IAPWS"
          ) -> tuple[npt.NDArray[np.int8], npt.NDArray[np.float64]]:
    """Each reading's verdict (codes of VERDICTS: 0 inside, 1 outside, 2 invalid) and, outside,
    how far beyond in K: the larger of the dry bulb's distance beyond the dry-bulb edges and the
    dew point's beyond the dew points the other edges allow at that dry bulb. dry_bulb in K,
    humidity_ratio in kg/kg, pressure in Pa, broadcast together."""
    shape, (t, w, p) = _columns(dry_bulb, humidity_ratio, pressure)
    verdicts, beyond = _core.envelope_judge(_resolved(which)._tuple(), t, w, p,
                                            _formulation(formulation))
    return verdicts.reshape(shape), beyond.reshape(shape)


def inside(which: Union[str, Envelope], dry_bulb: ArrayLike, humidity_ratio: ArrayLike,
           pressure: ArrayLike = 101325.0, formulation: Formulation = "IAPWS") -> Flags:
    """Whether each reading lies inside the envelope (every limit included): dry_bulb in K,
    humidity_ratio in kg/kg, pressure in Pa, broadcast together; a bool for scalars."""
    verdicts, _ = judge(which, dry_bulb, humidity_ratio, pressure, formulation)
    flags = verdicts == 0
    return bool(flags) if flags.ndim == 0 else flags


def _seconds(times: Any) -> npt.NDArray[np.int64]:
    index = getattr(times, "index", None) if not hasattr(times, "dtype") else None
    values = times if index is None else index
    tz = getattr(values, "tz", None)
    if tz is not None:
        values = values.tz_localize(None)  # the wall clock, as a logger file writes it
    stamps = np.asarray(values, dtype="datetime64[s]")
    return stamps.astype(np.int64)


def _durations(seconds: npt.NDArray[np.int64]) -> npt.NDArray[np.float64]:
    """The time each reading stands for, as hygrovane-climate reads a logger: the time since the
    reading before, at most the usual (median) interval; the first the usual one; one alone an
    hour."""
    order = np.argsort(seconds, kind="stable")
    ordered = seconds[order].astype(np.float64)
    gaps = np.diff(ordered)
    usual = float(np.median(gaps)) if gaps.size else 3600.0
    ordered_hours = np.empty_like(ordered)
    if ordered.size:
        ordered_hours[0] = usual
        ordered_hours[1:] = np.minimum(gaps, usual)
    hours = np.empty_like(ordered_hours)
    hours[order] = ordered_hours / 3600
    return hours


def compliance(which: Union[str, Envelope], dry_bulb: ArrayLike, humidity_ratio: ArrayLike,
               pressure: ArrayLike = 101325.0, *, times: Any = None, hours: ArrayLike | None = None,
               formulation: Formulation = "IAPWS") -> dict[str, Any]:
    """How long a series of readings stays inside the envelope, weighted by time.

    dry_bulb (K), humidity_ratio (kg/kg) and pressure (Pa) are 1-D arrays or pandas Series;
    times are the readings' times (datetime64 values or a pandas DatetimeIndex; by default the
    index of dry_bulb), each reading ending there. hours is the time each stands for (by default
    the time since the reading before, at most the series' median interval). Readings may come
    in any order. Returns name, edition, hours, hours_inside, percent_inside, hours_outside,
    hours_missing (NaN readings and air the core refuses: never inside), excursions (count,
    longest_hours, total_hours, degree_hours in K h, gram_hours in g/kg h beyond the
    humidity-ratio and dew-point edges, percent_hours in %RH h beyond the relative-humidity
    edges), worst (start and end as datetime64, hours, degree_hours, gram_hours, percent_hours;
    None without an excursion), twelve months and 24 hours_of_day (hours,
    hours_inside, percent_inside; a reading at hh:mm in the clock hour hh). An excursion is a run of readings outside: a reading inside, a missing one
    or an unlogged gap ends it."""
    chosen = _resolved(which)
    if times is None:
        times = getattr(dry_bulb, "index", None)
        if times is None:
            raise TypeError("compliance needs times= (or dry_bulb as a pandas Series with times)")
    _, (t, w, p) = _columns(dry_bulb, humidity_ratio, pressure)
    end = _seconds(times).ravel()
    if end.size != t.size:
        raise ValueError(f"{end.size} times for {t.size} readings")
    duration = _durations(end) if hours is None else np.broadcast_to(
        np.asarray(hours, dtype=np.float64), end.shape)
    start = end - np.rint(duration * 3600).astype(np.int64)
    stamps = end.astype("datetime64[s]")
    month = (stamps.astype("datetime64[M]").astype(np.int64) % 12 + 1).astype(np.int8)
    hour = (end // 3600 % 24).astype(np.int8)  # a reading at hh:mm lies in the clock hour hh
    figures = _core.envelope_compliance(chosen._tuple(), start, end, month, hour, t, w, p,
                                        _formulation(formulation))
    if figures["worst"] is not None:
        figures["worst"]["start"] = np.datetime64(figures["worst"]["start"], "s")
        figures["worst"]["end"] = np.datetime64(figures["worst"]["end"], "s")
    return {"name": chosen.name, "edition": chosen.edition, **figures}
