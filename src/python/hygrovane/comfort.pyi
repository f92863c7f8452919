"""Type stubs of hygrovane.comfort: thermal comfort in degC, m/s, %, Pa, met and clo."""

import enum
from typing import Any, Iterator, Literal, Union

import numpy as np
import numpy.typing as npt

ArrayLike = npt.ArrayLike
# An array of the broadcast shape, or a float (bool) for a scalar call.
Values = Union[npt.NDArray[np.float64], float]
Flags = Union[npt.NDArray[np.bool_], bool]
Errors = Literal["auto", "raise", "nan"]
Standard = Literal["ISO 7730", "ASHRAE 55"]

class ComfortStatus(enum.IntEnum):
    OK = 0
    OUT_OF_RANGE = 1
    NOT_A_NUMBER = 2
    NO_SOLUTION = 3
    CORE_FAILURE = 4

class ComfortResult:
    """A comfort model's results per element; which attributes depends on the model."""
    shape: tuple[int, ...]
    status: Union[npt.NDArray[np.uint8], int]
    pmv: Values
    ppd: Values  # %
    cooling_effect: Values  # K
    set: Values  # degC
    comfort: Values  # degC
    lower_80: Values
    upper_80: Values
    lower_90: Values
    upper_90: Values
    upper_i: Values
    upper_ii: Values
    upper_iii: Values
    lower_i: Values
    lower_ii: Values
    lower_iii: Values
    allowance: Values  # K
    operative: Values  # degC
    acceptable_80: Flags
    acceptable_90: Flags
    acceptable_i: Flags
    acceptable_ii: Flags
    acceptable_iii: Flags
    @property
    def ok(self) -> Flags: ...
    def keys(self) -> list[str]: ...
    def __getitem__(self, name: str) -> Values: ...
    def __iter__(self) -> Iterator[str]: ...
    def to_dict(self) -> dict[str, Values]: ...
    def to_frame(self, index: Any = None) -> Any: ...
    def messages(self) -> npt.NDArray[np.object_]: ...
    def message(self, *index: int) -> str | None: ...

def pmv(
    air_temperature: ArrayLike,
    mean_radiant: ArrayLike,
    air_speed: ArrayLike,
    relative_humidity: ArrayLike | None = None,
    met: ArrayLike = 1.1,
    clo: ArrayLike = 0.5,
    external_work: ArrayLike = 0.0,
    *,
    vapour_pressure: ArrayLike | None = None,
    standard: Standard = "ISO 7730",
    checked: bool = True,
    occupant_control: bool = True,
    threads: int | None = None,
    errors: Errors = "auto",
) -> ComfortResult: ...
def standard_effective_temperature(
    air_temperature: ArrayLike,
    mean_radiant: ArrayLike,
    air_speed: ArrayLike,
    relative_humidity: ArrayLike | None = None,
    met: ArrayLike = 1.1,
    clo: ArrayLike = 0.5,
    external_work: ArrayLike = 0.0,
    *,
    vapour_pressure: ArrayLike | None = None,
    pressure: ArrayLike = 101325.0,
    for_cooling_effect: bool = False,
    threads: int | None = None,
    errors: Errors = "auto",
) -> ComfortResult: ...
def cooling_effect(
    air_temperature: ArrayLike,
    mean_radiant: ArrayLike,
    air_speed: ArrayLike,
    relative_humidity: ArrayLike | None = None,
    met: ArrayLike = 1.1,
    clo: ArrayLike = 0.5,
    external_work: ArrayLike = 0.0,
    *,
    vapour_pressure: ArrayLike | None = None,
    pressure: ArrayLike = 101325.0,
    threads: int | None = None,
    errors: Errors = "auto",
) -> ComfortResult: ...
def adaptive_ashrae55(
    air_temperature: ArrayLike,
    mean_radiant: ArrayLike,
    air_speed: ArrayLike,
    prevailing_mean: ArrayLike,
    *,
    threads: int | None = None,
    errors: Errors = "auto",
) -> ComfortResult: ...
def adaptive_en16798(
    air_temperature: ArrayLike,
    mean_radiant: ArrayLike,
    air_speed: ArrayLike,
    running_mean: ArrayLike,
    *,
    threads: int | None = None,
    errors: Errors = "auto",
) -> ComfortResult: ...
def operative_temperature(
    air_temperature: ArrayLike, mean_radiant: ArrayLike, air_speed: ArrayLike, *,
    threads: int | None = None
) -> Values: ...
def daily_means(hourly: ArrayLike) -> npt.NDArray[np.float64]: ...
def running_mean(
    daily: ArrayLike, alpha: float = 0.8, wrap: bool = False
) -> npt.NDArray[np.float64]: ...
def prevailing_means(
    daily: ArrayLike, days: int = 7, wrap: bool = False
) -> npt.NDArray[np.float64]: ...
