"""Weather files (EPW and TMY3) read by the weather-data library of the Hygrovane program.

    from hygrovane import climate
    w = climate.read_weather("chicago.epw")
    w.location["city"], w.location["elevation"]     # the header (m, degrees, hours from GMT)
    hours = w.to_frame()                             # pandas: file units (degC, %, Pa, Wh/m2...)
    s = w.states()                                   # each hour's state by the core (K, kg/kg ...)
    w.design_conditions()["cooling"][0]["dry_bulb"]  # K, exceeded by 0.4 % of the hours
    run = climate.run_unit(w, "UNIT.json")           # the year through an air-handling unit
    run.year["cooling_kwh"], run.hourly["supply_dry_bulb"], run.to_frame()

The rows keep the file's own units and mark missing values (the file's missing codes) as NaN,
never as numbers. A file that cannot be read raises ValueError with the reader's sentence
(OSError when it cannot be opened); nothing of it is kept.
"""

from __future__ import annotations

import enum
import json
import os
from typing import Any, Literal

import numpy.typing as npt

from . import _core
from ._columns import formulation_codes, threads_code
from ._types import Formulation

HumiditySource = Literal["relative_humidity", "dew_point"]
PressureSource = Literal["station", "elevation"]

__all__ = ["MissingReason", "Weather", "UnitRun", "Streams", "read_weather", "parse_weather", "run_unit",
           "streams"]


MissingReason = enum.IntEnum("MissingReason", _core.missing_reasons(), module=__name__)
MissingReason.__doc__ = """Why an hour has no state (the library's MissingReason): NONE, DRY_BULB
(the dry bulb is missing), HUMIDITY (the humidity chosen is missing), PRESSURE (the station pressure
is missing), REFUSED (the core refused the inputs)."""


_HUMIDITY = {"relative_humidity": False, "dew_point": True}
_PRESSURE = {"station": False, "elevation": True}


def _choice(table, value, what):
    if value not in table:
        raise ValueError(f"unknown {what} {value!r}; one of {', '.join(table)}")
    return table[value]


class Weather:
    """A weather file's contents: format ("EPW" or "TMY3"), header (dict), location (dict), and
    its rows by arrays(), to_frame(), states() and design_conditions()."""

    format: Literal["EPW", "TMY3"]
    header: dict[str, Any]
    location: dict[str, Any]

    def __init__(self, data: Any):
        self._data = data
        self.format = data.format
        self.header = data.header()
        self.location = self.header["location"]

    def __len__(self) -> int:
        return len(self._data)

    def __repr__(self) -> str:
        return f"<Weather {self.format} {self.location['city']!r} rows={len(self)}>"

    def arrays(self) -> dict[str, npt.NDArray[Any]]:
        """The rows as numpy arrays by name: year, month, day, hour (1-24, the hour ending at
        it), minute, weekday (0 Sunday), data_period, then every field of the EPW data
        dictionary in the file's unit (dry_bulb_temperature and dew_point_temperature degC,
        relative_humidity %, atmospheric_station_pressure Pa, radiation Wh/m2, illuminance
        lux, wind_speed m/s, ...), NaN where the file marks it missing."""
        return self._data.columns()

    def to_frame(self, text: bool = False) -> Any:
        """The rows as a pandas DataFrame (columns as arrays(); with text=True also the
        source_flags and present_weather_codes strings)."""
        import pandas as pd

        columns = self.arrays()
        if text:
            columns.update(self._data.text_columns())
        return pd.DataFrame(columns)

    def states(self, humidity: HumiditySource = "relative_humidity",
               pressure: PressureSource = "station", formulation: Formulation = "IAPWS",
               threads: int | None = None) -> dict[str, npt.NDArray[Any]]:
        """Each hour's state computed by the core, in internal units, as numpy arrays:
        dry_bulb (K), pressure (Pa), humidity_ratio (kg/kg dry air), relative_humidity
        (fraction), dew_point (K), wet_bulb (K), enthalpy (kJ/kg dry air), specific_volume
        (m^3/kg dry air), and missing (a MissingReason per hour; NaN states where not NONE).

        humidity   "relative_humidity" or "dew_point": the file's humidity the state is
                   computed from (the two disagree slightly)
        pressure   "station" (each row's) or "elevation" (the standard atmosphere at the
                   LOCATION elevation)
        """
        return self._data.states(*self._options(humidity, pressure, formulation, threads))

    def design_conditions(self, humidity: HumiditySource = "relative_humidity",
                          pressure: PressureSource = "station",
                          formulation: Formulation = "IAPWS",
                          threads: int | None = None) -> dict[str, Any]:
        """Design conditions from the file's own hours by the percentile method (a typical
        year's values differ from the header's handbook values by up to about 1 K), internal
        units: hours (N, the time the records with a state stand for), records (how many), pressure (Pa, mean), cooling (dry_bulb and mean_coincident_wet_bulb,
        K, at fractions 0.004, 0.01, 0.02), wet_bulb, dew_point (with humidity_ratio, kg/kg),
        enthalpy (kJ/kg) at the same fractions, heating (dry_bulb, K, at 0.996 and 0.99).
        Raises ValueError when no hour has a state."""
        return self._data.design_conditions(*self._options(humidity, pressure, formulation,
                                                           threads))

    @staticmethod
    def _options(humidity, pressure, formulation, threads):
        return (_choice(_HUMIDITY, humidity, "humidity"), _choice(_PRESSURE, pressure, "pressure"),
                int(formulation_codes(formulation)), threads_code(threads))


def read_weather(path: str | os.PathLike[str]) -> Weather:
    """Reads an EPW or TMY3 file (told apart by its first line)."""
    return Weather(_core.read_weather_file(os.fspath(path)))


def parse_weather(text: str) -> Weather:
    """Reads an EPW or TMY3 file's text."""
    return Weather(_core.read_weather_text(text))


class UnitRun:
    """A weather file's records through an air-handling unit (the library's run, bit for bit
    hygrovane-climate --unit's):

    settings    the unit as read (a dict of UNIT.json's schema, "format" added)
    hourly      numpy columns, one element a record: month, day, hour, minute, status (0 off,
                1 on, 2 missing), hours (the time the record stands for), pressure (Pa),
                mass_flow (kg/s of dry air), outdoor_fraction, wheel_speed (NaN while the
                recovery is off), economizer, recovery (0 off, 1 heating, 2 cooling),
                dehumidifying, each node's dry bulb (degC), humidity ratio (kg/kg) and enthalpy
                (kJ/kg) as <node>_dry_bulb ... for room, outdoor, recovered, mixed, heated,
                off_coil, reheated, supply; heating_kw, cooling_kw, cooling_sensible_kw,
                cooling_latent_kw, reheat_kw, humidifier_kw, recovered_kw, condensate_kg_per_s,
                steam_kg_per_s. NaN where a record is off or missing.
    year        the year's figures: hours_on, hours_off, hours_missing, economizer_hours,
                full_outdoor_air_hours, heating_hours, cooling_hours, dehumidifying_hours,
                reheat_hours, humidifying_hours, heating_kwh, cooling_kwh,
                cooling_sensible_kwh, cooling_latent_kwh, reheat_kwh, humidifier_kwh,
                recovered_heating_kwh, recovered_cooling_kwh, condensate_kg, steam_kg
    months      twelve such dicts, January first
    peaks       heating_kw, cooling_kw, reheat_kw, humidifier_kw: each {"value", "month",
                "day", "hour"} (the first hour of the largest load; None where it never ran)
    month_peaks twelve such dicts
    """

    def __init__(self, result: dict[str, Any]):
        self.settings: dict[str, Any] = json.loads(result["settings"])
        self.hourly: dict[str, npt.NDArray[Any]] = result["hourly"]
        self.year: dict[str, float] = result["year"]
        self.months: list[dict[str, float]] = result["months"]
        self.peaks: dict[str, dict[str, Any]] = result["peaks"]
        self.month_peaks: list[dict[str, dict[str, Any]]] = result["month_peaks"]

    def __repr__(self) -> str:
        return (f"<UnitRun records={len(self.hourly['status'])} "
                f"cooling_kwh={self.year['cooling_kwh']:.6g}>")

    def to_frame(self) -> Any:
        """The hourly columns as a pandas DataFrame."""
        import pandas as pd

        return pd.DataFrame(self.hourly)


def _unit_text(unit: Any) -> str:
    if isinstance(unit, (str, os.PathLike)):
        with open(unit, encoding="utf-8") as f:
            return f.read()
    if isinstance(unit, dict):
        return json.dumps(unit, allow_nan=False)
    raise TypeError("unit is a dict of UNIT.json's schema or the path of such a file")


def _range(value: tuple[int, int] | None, default: tuple[int, int], what: str) -> tuple[int, int]:
    if value is None:
        return default
    first, last = value
    if int(first) != first or int(last) != last:
        raise ValueError(f"{what} are whole numbers")
    return int(first), int(last)


def run_unit(weather: Weather | str | os.PathLike[str], unit: dict[str, Any] | str | os.PathLike[str],
             *, humidity: HumiditySource = "relative_humidity", pressure: PressureSource = "station",
             formulation: Formulation = "IAPWS", months: tuple[int, int] | None = None,
             hours: tuple[int, int] | None = None, threads: int | None = None) -> UnitRun:
    """Runs every record of the weather (a Weather, or the path of an EPW or TMY3 file) that the
    filter keeps and that has a state through the air-handling unit: a dict of UNIT.json's
    schema (degC, %, flow units "kg/s", "m3/h", "m3/s", "cfm"), or the path of such a file.

    months  (first, last), 1-12, first > last wrapping over the new year (default all)
    hours   (from, to) clock hours 0-24, from > to wrapping over midnight (default all)

    A unit refused (an unknown or missing key, a wrong type, a value out of range) raises
    ValueError with a message naming the key. The method is the user's guide's "An
    air-handling unit through the year"."""
    if not isinstance(weather, Weather):
        weather = read_weather(weather)
    first_month, last_month = _range(months, (1, 12), "months")
    from_hour, to_hour = _range(hours, (0, 24), "hours")
    dew_point, elevation, code, thread_code = Weather._options(humidity, pressure, formulation,
                                                                threads)
    return UnitRun(_core.run_unit(weather._data, _unit_text(unit), dew_point, elevation, code,
                                  thread_code, first_month, last_month, from_hour, to_hour))


_STREAM_NAMES = ("outdoor", "return", "mixed", "after_recovery", "supply")
# The core's humidity kinds and the factor and offset to its unit (K for a dew point).
_STREAM_HUMIDITY = {"humidity_ratio": (0, 0.0), "relative_humidity": (1, 0.0),
                    "dew_point": (2, 273.15)}


def _stream_columns(name: str, value: Any):
    import numpy as np
    if "seconds" in value:
        seconds = np.asarray(value["seconds"], dtype=float)
    elif hasattr(value, "index") and hasattr(value.index, "asi8"):
        seconds = np.asarray(value.index.asi8, dtype=float) / 1e9  # a pandas DatetimeIndex
    else:
        raise ValueError(f"stream {name}: give 'seconds' or a time index")
    kinds = [k for k in _STREAM_HUMIDITY if k in value]
    if len(kinds) != 1:
        raise ValueError(f"stream {name}: give one of {', '.join(_STREAM_HUMIDITY)}")
    code, offset = _STREAM_HUMIDITY[kinds[0]]
    pressure = value["pressure"] if "pressure" in value else 101325.0
    return (seconds, np.asarray(value["dry_bulb"], dtype=float),
            np.asarray(value[kinds[0]], dtype=float) + offset,
            np.atleast_1d(np.asarray(pressure, dtype=float)), code)


class Streams:
    """An air-handling unit's logged streams aligned and judged (the streams library's figures, bit
    for bit hygrovane-climate --stream's).

    summary  steps, hours, gap_hours by stream, outdoor_fraction_mean, outdoor_fraction_hours,
             effectiveness_sensible_mean, effectiveness_latent_mean, effectiveness_total_mean,
             effectiveness_hours, coil_sensible_kwh, coil_latent_kwh, coil_total_kwh,
             condensate_kg (NaN without a flow), fault_hours and fault_steps by fault, and
             fault_periods by fault: (start, end, hours) of each run of flagged steps
    steps    numpy columns, a value a step: seconds, hours, outdoor_fraction,
             fraction_on_humidity_ratio, fraction_on_enthalpy, effectiveness_sensible, _latent,
             _total, coil_sensible_kw, coil_latent_kw, coil_total_kw, condensate_kg_s, and a
             boolean column per fault (fractions_disagree, off_mixing_line, mixed_outside_range,
             supply_warmer_than_source, relative_humidity_above100, frozen_sensor)"""

    def __init__(self, result: dict[str, Any]) -> None:
        self.summary: dict[str, Any] = result["summary"]
        self.steps: dict[str, npt.NDArray[Any]] = result["steps"]

    def to_frame(self) -> Any:
        """The steps as a pandas DataFrame indexed by their seconds."""
        import pandas as pd
        columns = {k: v for k, v in self.steps.items() if k != "seconds"}
        return pd.DataFrame(columns, index=pd.Index(self.steps["seconds"], name="seconds"))


def streams(logged: dict[str, Any], *, align: Literal["nearest", "linear"] = "nearest",
            tolerance: float = 150, flow: float | None = None, frozen_readings: int = 12,
            fraction_tolerance: float = 0.05, heating: bool = True,
            heating_lockout: float | None = None, formulation: Formulation = "IAPWS") -> Streams:
    """Aligns and judges an air-handling unit's logged streams: `logged` maps outdoor, return,
    mixed, after_recovery (or after-recovery) and supply to a dict or a pandas DataFrame with
    "seconds" (or a DatetimeIndex), "dry_bulb" (degC), one of "humidity_ratio" (kg/kg),
    "relative_humidity" (fraction) or "dew_point" (degC), and "pressure" (Pa, default 101325).

    align      nearest reading within `tolerance` seconds, or linear between the two around a
               step no further apart than it
    flow       kg/s of dry air through the coil: its loads and condensate
    heating    False: the unit never heats; heating_lockout: not above this outdoor degC

    The method is the user's guide's "Logged air streams of an air-handling unit"."""
    if align not in ("nearest", "linear"):
        raise ValueError("align takes 'nearest' or 'linear'")
    columns: list[Any] = [None] * len(_STREAM_NAMES)
    for key, value in logged.items():
        name = key.replace("-", "_")
        if name not in _STREAM_NAMES:
            raise ValueError(f"unknown stream {key!r} (one of {', '.join(_STREAM_NAMES)})")
        columns[_STREAM_NAMES.index(name)] = _stream_columns(name, value)
    if frozen_readings < 2:
        raise ValueError("frozen_readings must be at least 2")
    return Streams(_core.streams(columns, 0 if align == "nearest" else 1, float(tolerance),
                                 int(frozen_readings), float(fraction_tolerance), flow, heating,
                                 heating_lockout, int(formulation_codes(formulation))))
