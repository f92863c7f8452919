"""process(): one air-conditioning process and its loads over numpy arrays."""

from __future__ import annotations

import enum
from typing import Any

import numpy as np

from . import _core
from ._columns import (
    Columns,
    ambient_column,
    as_numbers,
    check_errors,
    first_failure,
    flatten,
    formulation_codes,
    input_codes,
    threads_code,
    warn_unit_slips,
)
from ._celsius import is_celsius, kelvin, kelvin_humidity, show_in_celsius
from ._renamed import renamed
from ._types import ArrayLike, Errors, Formulation, HumidityInput, TemperatureUnit, Values

# Every process kind by its key (as process-set files name it) and its number of inlets.
PROCESS_KINDS: dict[str, int] = dict(_core.process_kinds())
FLOW_UNITS: tuple[str, ...] = tuple(_core.flow_units())
# The parameters each kind reads: none has a default, as none has a value that fits every case.
_KIND_ARGUMENTS: dict[str, tuple[str, ...]] = {
    key: tuple(names) for key, names in _core.process_arguments()}


ProcessStatus = enum.IntEnum("ProcessStatus", _core.process_statuses(), module=__name__)
ProcessStatus.__doc__ = """Why an element has no process (the processes' FailureKind): OK,
NO_APPARATUS_DEW_POINT, FOG, CONDENSATION, OUT_OF_RANGE, BAD_PARAMETER, NO_INPUT, and OVERFLOW where
the loads are beyond the largest number (an air flow or heat rate too large)."""


class ProcessResult(Columns):
    """A process for every element of a process() call, in internal units.

    The leaving air: dry_bulb (K), humidity_ratio (kg/kg dry air), enthalpy (kJ/kg dry air),
    specific_volume (m^3/kg dry air), wet_bulb (K), relative_humidity (fraction), dew_point
    (K); a two-stage process's intermediate_dry_bulb (K), intermediate_humidity_ratio (kg/kg),
    intermediate_enthalpy (kJ/kg), NaN for one stage. The loads of the whole process:
    dry_air_flow (kg/s), sensible, latent, total and equipment_heat (kW, negative when the
    air loses heat), sensible_heat_ratio (NaN when total is 0), water (kg/s added, negative
    when removed), water_enthalpy (kJ/kg), enthalpy_difference (kJ/kg dry air),
    humidity_ratio_difference (kg/kg). A coil's apparatus_dew_point (K) and bypass_factor.

    status holds a ProcessStatus per element; failed elements are NaN everywhere and
    message(i) / messages() give the processes' sentence.
    """

    # Every result, for editors (a test holds the list to process_column_names()).
    dry_bulb: Values
    humidity_ratio: Values
    enthalpy: Values
    specific_volume: Values
    wet_bulb: Values
    relative_humidity: Values
    dew_point: Values
    intermediate_dry_bulb: Values
    intermediate_humidity_ratio: Values
    intermediate_enthalpy: Values
    dry_air_flow: Values
    sensible: Values
    latent: Values
    total: Values
    sensible_heat_ratio: Values
    water: Values
    water_enthalpy: Values
    equipment_heat: Values
    enthalpy_difference: Values
    humidity_ratio_difference: Values
    apparatus_dew_point: Values
    bypass_factor: Values

    _names = tuple(_core.process_column_names())
    # "C" where process() was called with temperature_unit="C": its temperatures are in degC.
    temperature_unit = "K"

    def __init__(self, columns, shape):
        super().__init__(columns, shape)
        self._messages = dict(columns["messages"])

    def _message_at(self, flat: int) -> str:
        return self._messages[flat]


# The result's temperatures, in degC where the call asks for it.
_TEMPERATURES = ("dry_bulb", "wet_bulb", "dew_point", "intermediate_dry_bulb",
                 "apparatus_dew_point")


@renamed(input="humidity_input")
def process(kind: str, dry_bulb: ArrayLike, humidity: ArrayLike,
            humidity_input: HumidityInput | ArrayLike = "relative_humidity", *,
            flow: ArrayLike = 1.0, flow_unit: str = "kg/s",
            leaving_dry_bulb: ArrayLike | None = None, heat_rate: ArrayLike | None = None,
            apparatus_dew_point: ArrayLike | None = None, bypass_factor: ArrayLike | None = None,
            relative_humidity: ArrayLike | None = None,
            humidity_ratio: ArrayLike | None = None, effectiveness: ArrayLike | None = None,
            steam_temperature: ArrayLike | None = None, target_dry_bulb: ArrayLike | None = None,
            target_humidity: ArrayLike | None = None,
            target_input: HumidityInput | ArrayLike = "relative_humidity",
            second_dry_bulb: ArrayLike | None = None, second_humidity: ArrayLike = 0.5,
            second_input: HumidityInput | ArrayLike = "relative_humidity",
            second_flow: ArrayLike = 1.0, pressure: ArrayLike | None = None,
            altitude: ArrayLike | None = None, formulation: Formulation | ArrayLike = "IAPWS",
            threads: int | None = None, errors: Errors = "auto",
            temperature_unit: TemperatureUnit = "K") -> ProcessResult:
    """One process of the processes window, element by element, with its loads.

    kind is a key of PROCESS_KINDS (underscores may stand for hyphens), e.g.
    "sensible-to-dry-bulb", "coil-apparatus-dew-point", "mixing", "steam-to-humidity-ratio",
    "cooling-then-reheat". The entering air is dry_bulb (K) with humidity in the unit of
    humidity_input (see solve(); its former name input= still works, with a
    DeprecationWarning), its air flow flow in flow_unit (one of FLOW_UNITS: a volume flow is
    measured at the entering state, a mass flow is of dry air). Mixing takes a second stream
    second_dry_bulb (298.15 K when not given), second_humidity (second_input), second_flow.

    The parameters each kind reads, in internal units: leaving_dry_bulb (K), heat_rate (W,
    positive heats the air), apparatus_dew_point (K), bypass_factor (fraction),
    relative_humidity (fraction), humidity_ratio (kg/kg), effectiveness (fraction),
    steam_temperature (K), and a target state target_dry_bulb (K), target_humidity
    (target_input). pressure (Pa) or altitude (m) and formulation as in solve(). A parameter
    the kind reads has no default (but steam_temperature, 373.15 K): a missing one raises
    TypeError naming it; those the kind does not read are ignored.

    temperature_unit="C" takes every temperature above (and a humidity given as a dew point
    or wet bulb) in degC, and gives the result's temperatures (dry_bulb, wet_bulb, dew_point,
    intermediate_dry_bulb, apparatus_dew_point) in degC; the rest stays in internal units.

    Every numeric argument and input name is a scalar or an array, broadcast together.
    errors as in solve(): a failed element is NaN with its ProcessStatus, and raises
    ValueError with the processes' sentence for a scalar call. Loads beyond the largest number
    (a flow of 1e308) are NaN with ProcessStatus.OVERFLOW. Inputs are checked as in solve().
    """
    errors = check_errors(errors)
    celsius = is_celsius(temperature_unit)
    if celsius:
        dry_bulb, second_dry_bulb, leaving_dry_bulb, apparatus_dew_point, steam_temperature, \
            target_dry_bulb = (None if value is None else kelvin(name, value) for name, value in (
                ("dry_bulb", dry_bulb), ("second_dry_bulb", second_dry_bulb),
                ("leaving_dry_bulb", leaving_dry_bulb),
                ("apparatus_dew_point", apparatus_dew_point),
                ("steam_temperature", steam_temperature), ("target_dry_bulb", target_dry_bulb)))
        humidity = kelvin_humidity("humidity", humidity, humidity_input)
        second_humidity = kelvin_humidity("second_humidity", second_humidity, second_input)
        if target_humidity is not None:
            target_humidity = kelvin_humidity("target_humidity", target_humidity, target_input)
    steam_temperature = 373.15 if steam_temperature is None else steam_temperature  # K
    second_dry_bulb = 298.15 if second_dry_bulb is None else second_dry_bulb  # K
    key = str(kind).replace("_", "-")
    if key not in PROCESS_KINDS:
        raise ValueError(f"unknown process kind {kind!r}; one of {', '.join(PROCESS_KINDS)}")
    if flow_unit not in FLOW_UNITS:
        raise ValueError(f"unknown flow unit {flow_unit!r}; one of {', '.join(FLOW_UNITS)}")
    ambient, pressure_code = ambient_column(pressure, altitude)
    given = {"leaving_dry_bulb": leaving_dry_bulb, "heat_rate": heat_rate,
             "apparatus_dew_point": apparatus_dew_point, "bypass_factor": bypass_factor,
             "relative_humidity": relative_humidity, "humidity_ratio": humidity_ratio,
             "effectiveness": effectiveness, "steam_temperature": steam_temperature,
             "target_dry_bulb": target_dry_bulb, "target_humidity": target_humidity}
    missing = [name for name in _KIND_ARGUMENTS[key] if given[name] is None]
    if missing:
        raise TypeError(f"process {key!r} needs {' and '.join(missing)}")
    # Those the kind does not read: any value, never seen by it.
    unread = {name: 0.0 for name, value in given.items() if value is None}
    leaving_dry_bulb, heat_rate, apparatus_dew_point, bypass_factor, relative_humidity, \
        humidity_ratio, effectiveness, steam_temperature, target_dry_bulb, target_humidity = (
            unread.get(name, value) for name, value in given.items())
    values = {
        "dry_bulb": dry_bulb, "humidity": humidity, "flow": flow,
        "dry_bulb2": second_dry_bulb, "humidity2": second_humidity, "flow2": second_flow,
        "leaving_dry_bulb": leaving_dry_bulb, "heat_rate": heat_rate,
        "apparatus_dew_point": apparatus_dew_point, "bypass_factor": bypass_factor,
        "relative_humidity": relative_humidity, "humidity_ratio": humidity_ratio,
        "effectiveness": effectiveness, "steam_temperature": steam_temperature,
        "target_dry_bulb": target_dry_bulb, "target_humidity": target_humidity,
        "pressure": ambient,
    }
    numbers = {name: as_numbers(name, value) for name, value in values.items()}
    codes = {
        "input": input_codes(humidity_input),
        "input2": input_codes(second_input),
        "target_input": input_codes(target_input),
        "formulation": formulation_codes(formulation),
    }
    shape = np.broadcast_shapes(*(a.shape for a in numbers.values()),
                                *(c.shape for c in codes.values()))
    flat = flatten({**numbers, **codes}, shape)
    flat_codes = {name: flat.pop(name) for name in codes}
    flat_codes["pressure_input"] = np.array([pressure_code], dtype=np.int8)
    n = int(np.prod(shape))
    columns = _core.process_columns(n, key, flow_unit, flat, flat_codes, threads_code(threads))
    result = ProcessResult(columns, shape)
    if errors == "raise" or (errors == "auto" and shape == ()):
        failed = first_failure(result)
        if failed is not None:
            raise ValueError(result._message_at(failed))
    warn_unit_slips(columns["status"], dry_bulb=(numbers["dry_bulb"], None),
                    humidity=(numbers["humidity"],
                              humidity_input if isinstance(humidity_input, str) else None),
                    **({} if pressure_code else {"pressure": (numbers["pressure"], None)}))
    if celsius:
        show_in_celsius(result, _TEMPERATURES)
    return result


@renamed(input="humidity_input")
def mix(dry_bulb_a: ArrayLike, humidity_a: ArrayLike, flow_a: ArrayLike, dry_bulb_b: ArrayLike,
        humidity_b: ArrayLike, flow_b: ArrayLike,
        humidity_input: HumidityInput | ArrayLike = "relative_humidity",
        **options: Any) -> ProcessResult:
    """Adiabatic mixing of stream a with stream b: process("mixing", ...) with the streams given
    side by side (dry bulbs K, or degC with temperature_unit="C"; humidities in the unit of
    humidity_input; flows in flow_unit)."""
    return process("mixing", dry_bulb_a, humidity_a, humidity_input, flow=flow_a,
                   second_dry_bulb=dry_bulb_b, second_humidity=humidity_b,
                   second_input=humidity_input,
                   second_flow=flow_b, **options)
