"""The program's unit catalogue: every unit name its windows offer, for every quantity.

    hygrovane.units.convert(values, "C", "F")
    hygrovane.units.convert(values, "kPa", "psi")
    hygrovane.units.catalogue()["humidity_ratio"]

The internal units are K, Pa, m, kg/kg dry air, kg/m^3, fractions, J/(kg K), kg/kmol,
m^3/kg dry air and kJ/kg dry air; each conversion goes through them, digit for digit as the
program converts.
"""

from __future__ import annotations

import numpy as np

from . import _core
from ._types import ArrayLike, Values

_CATALOGUE = {name: tuple(units) for name, units in _core.unit_catalogue()}
_QUANTITIES = tuple(_CATALOGUE)


def catalogue() -> dict[str, list[str]]:
    """Every quantity's unit names, in the order the windows list them."""
    return {name: list(units) for name, units in _CATALOGUE.items()}


def quantities_of(unit: str) -> list[str]:
    """The quantities that offer a unit name."""
    return [name for name, units in _CATALOGUE.items() if unit in units]


def _unit_named(quantity: str, unit: str) -> str:
    """The catalogue's name of a unit: exact, or the one name that matches ignoring case."""
    units = _CATALOGUE[quantity]
    if unit in units:
        return unit
    matches = [name for name in units if name.lower() == unit.lower()]
    if len(matches) != 1:
        raise ValueError(f"{quantity} has no unit {unit!r}; one of {', '.join(units)}")
    return matches[0]


def _quantity_for(units: tuple, quantity):
    if quantity is not None:
        if quantity not in _CATALOGUE:
            raise ValueError(f"unknown quantity {quantity!r}; one of {', '.join(_QUANTITIES)}")
        return quantity
    for name in _QUANTITIES:
        try:
            [_unit_named(name, unit) for unit in units]
            return name
        except ValueError:
            continue
    raise ValueError(f"no quantity offers the unit(s) {', '.join(map(repr, units))}")


def _run(values: ArrayLike, quantity: str, from_unit: str, to_unit: str) -> Values:
    array = np.asarray(values)
    if array.dtype.kind not in "biuf":
        raise TypeError(f"values must be real numbers, not {array.dtype}")
    flat = np.ascontiguousarray(array, dtype=np.float64).reshape(-1)
    result = _core.convert_units(flat, _QUANTITIES.index(quantity), from_unit, to_unit)
    result = result.reshape(array.shape)
    return float(result) if array.ndim == 0 else result


def convert(values: ArrayLike, from_unit: str, to_unit: str,
            quantity: str | None = None) -> Values:
    """values in from_unit converted to to_unit (a scalar gives a float, an array an array of
    its shape), through the internal unit as the program converts. Both names come from the
    catalogue (e.g. "C", "F", "K", "kPa", "PSI", "(kg moisture)/(kg dry air)"; a name that
    matches one unit ignoring case is taken, so "psi" is "PSI"). quantity (a key of
    catalogue()) chooses between quantities that share a name such as "%", otherwise the
    first quantity that offers both is used."""
    quantity = _quantity_for((from_unit, to_unit), quantity)
    return _run(values, quantity, _unit_named(quantity, from_unit), _unit_named(quantity, to_unit))


def to_internal(values: ArrayLike, unit: str, quantity: str | None = None) -> Values:
    """values in unit converted to the quantity's internal unit (K, Pa, m, kg/kg, kg/m^3,
    fraction, J/(kg K), kg/kmol, kg/m^3, m^3/kg, kJ/kg): what solve() takes. Relative
    humidity in "%" becomes a fraction."""
    quantity = _quantity_for((unit,), quantity)
    return _run(values, quantity, _unit_named(quantity, unit), "")


def from_internal(values: ArrayLike, unit: str, quantity: str | None = None) -> Values:
    """values in the quantity's internal unit (what solve() returns) converted to unit."""
    quantity = _quantity_for((unit,), quantity)
    return _run(values, quantity, "", _unit_named(quantity, unit))
