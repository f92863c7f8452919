"""Type stubs of hygrovane.units: the program's unit catalogue."""

from typing import overload

import numpy as np
import numpy.typing as npt

def catalogue() -> dict[str, list[str]]: ...
def quantities_of(unit: str) -> list[str]: ...
@overload
def convert(values: float, from_unit: str, to_unit: str, quantity: str | None = None) -> float: ...
@overload
def convert(
    values: npt.ArrayLike, from_unit: str, to_unit: str, quantity: str | None = None
) -> npt.NDArray[np.float64]: ...
def to_internal(
    values: npt.ArrayLike, unit: str, quantity: str | None = None
) -> float | npt.NDArray[np.float64]: ...
def from_internal(
    values: npt.ArrayLike, unit: str, quantity: str | None = None
) -> float | npt.NDArray[np.float64]: ...
