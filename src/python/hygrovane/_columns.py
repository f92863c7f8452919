"""Broadcasting of the arguments and the result objects shared by solve() and process()."""

from __future__ import annotations

import warnings
from typing import Any, Iterator

import numpy as np

from . import _core
from ._types import Flags, Statuses, Values

# The humidity inputs in the order of their codes, and the saturation formulations by their codes
# (SatFormulation), as the compiled module names them.
HUMIDITY_INPUTS: tuple[str, ...] = tuple(_core.humidity_inputs())
FORMULATIONS: dict[str, int] = dict(_core.formulations())
# Other spellings a caller may use (lower case: names are looked up as given, then lowered).
_FORMULATION_SPELLINGS = {"hyland-wexler": "HylandWexler", "hyland_wexler": "HylandWexler",
                          "hw": "HylandWexler"}


def _code_table(names, extra=None):
    table = {name: code for code, name in enumerate(names)}
    table.update(extra or {})
    return table


_INPUT_CODES = _code_table(HUMIDITY_INPUTS)


def codes(value, table: dict, what: str) -> np.ndarray:
    """Names (a string or an array of strings) to the core's int8 codes."""
    if isinstance(value, str):
        code = table.get(value, table.get(value.lower()))
        if code is None:
            raise ValueError(f"unknown {what} {value!r}; one of {', '.join(table)}")
        return np.asarray(code, dtype=np.int8)
    names = np.asarray(value)
    if names.dtype.kind not in "UO":
        raise TypeError(f"{what} takes names ({', '.join(map(repr, table))}), not {names.dtype}")
    unique, inverse = np.unique(names, return_inverse=True)
    looked_up = []
    for name in unique:
        code = table.get(str(name), table.get(str(name).lower()))
        if code is None:
            raise ValueError(f"unknown {what} {str(name)!r}; one of {', '.join(table)}")
        looked_up.append(code)
    return np.asarray(looked_up, dtype=np.int8)[inverse].reshape(names.shape)


def input_codes(value) -> np.ndarray:
    return codes(value, _INPUT_CODES, "humidity input")


_FORMULATION_CODES = {
    **FORMULATIONS,
    **{name.lower(): code for name, code in FORMULATIONS.items()},
    **{other: FORMULATIONS[name] for other, name in _FORMULATION_SPELLINGS.items()},
}


def formulation_codes(value) -> np.ndarray:
    return codes(value, _FORMULATION_CODES, "formulation")


def ambient_column(pressure, altitude):
    """The pressure (Pa) or altitude (m) column and its code: 0 barometric, 1 altitude."""
    if pressure is not None and altitude is not None:
        raise TypeError("give pressure or altitude, not both")
    if altitude is not None:
        return altitude, np.int8(1)
    return (101325.0 if pressure is None else pressure), np.int8(0)


# The most threads= passed on: the loop uses no more than the CPUs the process may use anyway.
_MOST_THREADS = 1 << 16


def threads_code(threads) -> int:
    """0 asks for every core; more than the CPUs the process may use run on those."""
    if threads is None:
        return 0
    if isinstance(threads, bool) or not isinstance(threads, (int, np.integer)) or threads < 1:
        raise ValueError(f"threads must be a positive integer or None, not {threads!r}")
    return int(min(int(threads), _MOST_THREADS))


def _without_missing(name, value):
    """A masked array or a pandas array with missing values (pd.NA) as floats with NaN where a
    value is missing, so that each missing element gets its status like a NaN; else the value."""
    if isinstance(value, np.ma.MaskedArray):
        if value.dtype.kind == "b":
            raise TypeError(f"{name} must be real numbers, not booleans")
        if value.dtype.kind not in "iuf":
            raise TypeError(f"{name} must be real numbers, not {value.dtype}")
        return value.astype(np.float64).filled(np.nan)
    dtype = getattr(value, "dtype", None)
    if dtype is not None and not isinstance(dtype, np.dtype) and hasattr(value, "to_numpy"):
        kind = getattr(dtype, "kind", "O")
        if kind == "b":
            raise TypeError(f"{name} must be real numbers, not booleans")
        if kind in "iuf":
            return value.to_numpy(dtype=np.float64, na_value=np.nan)
    return value


def as_numbers(name, value) -> np.ndarray:
    """Any real scalar or array as native float64 (big-endian, integer and float32 converted);
    masked and missing (pd.NA) elements as NaN. Booleans are refused: True is no humidity."""
    array = np.asarray(_without_missing(name, value))
    if array.dtype.kind == "b":
        raise TypeError(f"{name} must be real numbers, not booleans ({value!r:.40})")
    if array.dtype.kind not in "iuf":
        raise TypeError(f"{name} must be real numbers, not {array.dtype}")
    return array.astype(np.float64, copy=False)


def apart_from(flat: dict, columns) -> dict:
    """The flat inputs, each copied where it may share memory with a column about to be written
    (out=), so that no element reads a value an earlier element already overwrote."""
    targets = [c for c in columns if isinstance(c, np.ndarray)]
    return {name: (array.copy() if any(np.may_share_memory(array, t) for t in targets)
                   else array) for name, array in flat.items()}


# Where every element of a call fails, inputs whose values all lie where a unit slip puts them:
# (argument, the input it applies to or None, lowest, highest, what to say).
_UNIT_SLIPS = (
    ("dry_bulb", None, -90.0, 100.0, "dry_bulb looks like degC; it is in K (add 273.15)"),
    ("pressure", None, 5.0, 1100.0, "pressure looks like kPa or hPa; it is in Pa"),
    ("humidity", "relative_humidity", 2.0, 100.0,
     "the relative humidity looks like %; it is a fraction (divide by 100)"),
)


def warn_unit_slips(status, stacklevel=3, **inputs) -> None:
    """One warning when every element failed and an input looks given in another unit: an
    all-NaN result is otherwise silent. inputs: name=(values, humidity input name or None)."""
    status = np.asarray(status)
    if status.size == 0 or np.any(status == 0):
        return
    likely = []
    for name, applies_to, low, high, sentence in _UNIT_SLIPS:
        if name not in inputs:
            continue
        values, given = inputs[name]
        values = np.asarray(values, dtype=np.float64)
        if applies_to is not None and given != applies_to:
            continue
        finite = values[np.isfinite(values)]
        if finite.size and np.all((finite >= low) & (finite <= high)):
            likely.append(sentence)
    if likely:
        warnings.warn(f"every element failed: {'; '.join(likely)}", UserWarning,
                      stacklevel=stacklevel)


def flatten(arguments: dict, shape) -> dict:
    """Each argument flat and contiguous: n long, or one element when it is the same for all."""
    flat = {}
    for name, array in arguments.items():
        if array.size == 1:
            flat[name] = np.ascontiguousarray(array.reshape(1))
        else:
            flat[name] = np.ascontiguousarray(np.broadcast_to(array, shape)).reshape(-1)
    return flat


def check_errors(errors: str) -> str:
    if errors not in ("auto", "raise", "nan"):
        raise ValueError(f"errors must be 'auto', 'raise' or 'nan', not {errors!r}")
    return errors


class Columns:
    """Named result arrays of one shape, with a status per element (0 where computed)."""

    _names: tuple[str, ...] = ()
    shape: tuple[int, ...]
    status: Statuses

    def __init__(self, columns: dict, shape: tuple, names=None):
        if names is not None:
            self._names = tuple(names)
        self.shape = tuple(shape)
        for name in self._names:
            setattr(self, name, _shaped(columns[name], self.shape))
        self.status = _shaped(columns["status"], self.shape)

    @property
    def ok(self) -> Flags:
        """True where the element was computed."""
        return self.status == 0

    def keys(self) -> list[str]:
        """The quantities' names, in order."""
        return list(self._names)

    def __getitem__(self, name: str) -> Values:
        if name not in self._names and name != "status":
            raise KeyError(name)
        return getattr(self, name)

    def __iter__(self) -> Iterator[str]:
        return iter(self._names)

    def to_dict(self) -> dict[str, Values]:
        """Every quantity and the status, by name."""
        return {**{name: getattr(self, name) for name in self._names}, "status": self.status}

    def to_frame(self, index: Any = None) -> Any:
        """A pandas DataFrame: one column per quantity (internal units) and the status, one row
        per element (a multi-dimensional result is flattened in C order)."""
        import pandas as pd

        data = {name: np.ravel(value) for name, value in self.to_dict().items()}
        return pd.DataFrame(data, index=index)

    def messages(self) -> np.ndarray:
        """The failure sentence of every element (None where computed), in the result's shape."""
        flat = np.full(int(np.prod(self.shape)), None, dtype=object)
        for i in np.flatnonzero(np.ravel(self.status) != 0):
            flat[i] = self._message_at(int(i))
        return flat.reshape(self.shape)

    def message(self, *index: int) -> str | None:
        """The failure sentence of one element (no index for a scalar result), or None."""
        flat = int(np.ravel_multi_index(index, self.shape)) if index else 0
        if np.ravel(self.status)[flat] == 0:
            return None
        return self._message_at(flat)

    def __repr__(self) -> str:
        failed = int(np.count_nonzero(~np.asarray(self.ok)))
        return f"<{type(self).__name__} shape={self.shape} failed={failed}>"


def _shaped(column: np.ndarray, shape):
    """An array of the shape, or a Python number for a scalar call."""
    column = column.reshape(shape)
    return column.item() if shape == () else column


def first_failure(result: Columns):
    """The flat index of the first failed element, or None."""
    failed = np.flatnonzero(np.ravel(result.status) != 0)
    return int(failed[0]) if failed.size else None


def describe(status, input_code, value, minimum, maximum, detail="") -> str:
    return _core.describe(int(status), int(input_code), float(value), float(minimum),
                          float(maximum), detail)
