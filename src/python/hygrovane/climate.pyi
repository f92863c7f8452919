"""Type stubs of hygrovane.climate: EPW and TMY3 weather files."""

import enum
import os
from typing import Any, Literal

import numpy as np
import numpy.typing as npt

HumiditySource = Literal["relative_humidity", "dew_point"]
PressureSource = Literal["station", "elevation"]
Formulation = Literal["IAPWS", "HylandWexler"]

class MissingReason(enum.IntEnum):
    NONE = 0
    DRY_BULB = 1
    HUMIDITY = 2
    PRESSURE = 3
    REFUSED = 4

class Weather:
    format: Literal["EPW", "TMY3"]
    header: dict[str, Any]
    location: dict[str, Any]
    def __len__(self) -> int: ...
    def arrays(self) -> dict[str, npt.NDArray[Any]]: ...
    def to_frame(self, text: bool = False) -> Any: ...
    def states(
        self,
        humidity: HumiditySource = "relative_humidity",
        pressure: PressureSource = "station",
        formulation: Formulation = "IAPWS",
        threads: int | None = None,
    ) -> dict[str, npt.NDArray[Any]]: ...
    def design_conditions(
        self,
        humidity: HumiditySource = "relative_humidity",
        pressure: PressureSource = "station",
        formulation: Formulation = "IAPWS",
        threads: int | None = None,
    ) -> dict[str, Any]: ...

def read_weather(path: str | os.PathLike[str]) -> Weather: ...
def parse_weather(text: str) -> Weather: ...
