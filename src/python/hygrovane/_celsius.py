"""temperature_unit="C": temperatures taken and given in degC around the core's K, through the
program's own conversion (hygrovane.units)."""

from __future__ import annotations

from typing import Any

import numpy as np

from . import units
from ._columns import HUMIDITY_INPUTS, Columns, as_numbers, input_codes

# The humidity inputs that are temperatures.
_TEMPERATURE_INPUTS = np.array([HUMIDITY_INPUTS.index("dew_point"),
                                HUMIDITY_INPUTS.index("wet_bulb")], dtype=np.int8)


def is_celsius(temperature_unit) -> bool:
    if temperature_unit not in ("K", "C"):
        raise ValueError(f"temperature_unit must be 'K' or 'C', not {temperature_unit!r}")
    return temperature_unit == "C"


def kelvin(name: str, values) -> Any:
    """degC to K: an array, or a float for a scalar."""
    return units.to_internal(as_numbers(name, values), "C", "temperature")


def kelvin_humidity(name: str, humidity, humidity_input) -> Any:
    """A humidity in K where its input is a dew point or wet bulb given in degC; else as it is."""
    is_temperature = np.isin(input_codes(humidity_input), _TEMPERATURE_INPUTS)
    if not np.any(is_temperature):
        return humidity
    numbers = as_numbers(name, humidity)
    converted = units.to_internal(numbers, "C", "temperature")
    return converted if np.all(is_temperature) else np.where(is_temperature, converted, numbers)


def show_in_celsius(result: Columns, names) -> None:
    """The result's temperatures among names in degC, in place (a scalar result's floats
    replaced)."""
    result.temperature_unit = "C"  # type: ignore[attr-defined]
    for name in names:
        if name not in result._names:
            continue
        value = getattr(result, name)
        if result.shape == ():
            setattr(result, name, units.from_internal(value, "C", "temperature"))
        else:
            value[...] = units.from_internal(value, "C", "temperature")
