"""Type stubs of hygrovane: the state of moist air and processes over numpy arrays, in the
core's internal units (K, Pa, m, kg/kg dry air, fractions, kJ/kg dry air)."""

import enum
from typing import Any, Iterator, Literal, Sequence, Union

import numpy as np
import numpy.typing as npt

from . import climate as climate
from . import comfort as comfort
from . import units as units

# A scalar or anything numpy.asarray turns into an array of real numbers.
ArrayLike = npt.ArrayLike
# An array of the broadcast shape, or a float for a scalar call.
Values = Union[npt.NDArray[np.float64], float]
HumidityInput = Literal["humidity_ratio", "relative_humidity", "dew_point", "wet_bulb",
                        "absolute_humidity", "partial_pressure", "mole_fraction",
                        "mass_fraction"]
Formulation = Literal["IAPWS", "HylandWexler"]
Errors = Literal["auto", "raise", "nan"]

HUMIDITY_INPUTS: tuple[str, ...]
FORMULATIONS: dict[str, int]
PROCESS_KINDS: dict[str, int]

class Status(enum.IntEnum):
    OK = 0
    DRY_BULB_OUT_OF_RANGE = 1
    PRESSURE_OUT_OF_RANGE = 2
    ALTITUDE_OUT_OF_RANGE = 3
    HUMIDITY_OUT_OF_RANGE = 4
    PRESSURE_TOO_LOW = 5
    ARITHMETIC_FAULT = 6

class ProcessStatus(enum.IntEnum):
    OK = 0
    NO_APPARATUS_DEW_POINT = 1
    FOG = 2
    CONDENSATION = 3
    OUT_OF_RANGE = 4
    BAD_PARAMETER = 5
    NO_INPUT = 6

class _Columns:
    shape: tuple[int, ...]
    status: Union[npt.NDArray[np.uint8], int]
    @property
    def ok(self) -> Union[npt.NDArray[np.bool_], bool]: ...
    def keys(self) -> list[str]: ...
    def __getitem__(self, name: str) -> Values: ...
    def __iter__(self) -> Iterator[str]: ...
    def to_dict(self) -> dict[str, Values]: ...
    def to_frame(self, index: Any = None) -> Any: ...
    def messages(self) -> npt.NDArray[np.object_]: ...
    def message(self, *index: int) -> str | None: ...

class State(_Columns):
    """The state of moist air per element, internal units (see solve)."""
    dry_bulb: Values
    pressure: Values
    altitude: Values
    humidity_ratio: Values
    relative_humidity: Values
    dew_point: Values
    wet_bulb: Values
    partial_pressure: Values
    mole_fraction: Values
    mass_fraction: Values
    absolute_humidity: Values
    molecular_weight: Values
    gas_constant: Values
    density: Values
    specific_volume: Values
    enthalpy: Values
    by_volume_n2: Values
    by_volume_o2: Values
    by_volume_ar: Values
    by_volume_co2: Values
    by_volume_h2o: Values
    by_mass_n2: Values
    by_mass_o2: Values
    by_mass_ar: Values
    by_mass_co2: Values
    by_mass_h2o: Values
    saturation_pressure: Values
    saturation_humidity_ratio: Values
    saturation_mole_fraction: Values
    saturation_absolute_humidity: Values
    saturation_molecular_weight: Values
    saturation_mass_fraction: Values
    dry_air_wet_bulb: Values
    humidity_ratio_minimum: Values
    humidity_ratio_maximum: Values
    relative_humidity_minimum: Values
    relative_humidity_maximum: Values
    dew_point_minimum: Values
    dew_point_maximum: Values
    wet_bulb_minimum: Values
    wet_bulb_maximum: Values
    absolute_humidity_minimum: Values
    absolute_humidity_maximum: Values
    partial_pressure_minimum: Values
    partial_pressure_maximum: Values
    mole_fraction_minimum: Values
    mole_fraction_maximum: Values
    mass_fraction_minimum: Values
    mass_fraction_maximum: Values

class ProcessResult(_Columns):
    """A process per element: its leaving air and loads (see process)."""
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

def solve(
    dry_bulb: ArrayLike,
    humidity: ArrayLike,
    input: HumidityInput | ArrayLike = "relative_humidity",
    *,
    pressure: ArrayLike | None = None,
    altitude: ArrayLike | None = None,
    formulation: Formulation | ArrayLike = "IAPWS",
    threads: int | None = None,
    errors: Errors = "auto",
    quantities: Sequence[str] | str | None = None,
    out: State | None = None,
) -> State:
    """The whole state: dry_bulb K, humidity in input's unit, pressure Pa or altitude m."""

def process(
    kind: str,
    dry_bulb: ArrayLike,
    humidity: ArrayLike,
    input: HumidityInput | ArrayLike = "relative_humidity",
    *,
    flow: ArrayLike = 1.0,
    flow_unit: str = "kg/s",
    leaving_dry_bulb: ArrayLike = 0.0,
    heat_rate: ArrayLike = 0.0,
    apparatus_dew_point: ArrayLike = 0.0,
    bypass_factor: ArrayLike = 0.0,
    relative_humidity: ArrayLike = 0.0,
    humidity_ratio: ArrayLike = 0.0,
    effectiveness: ArrayLike = 0.0,
    steam_temperature: ArrayLike = 373.15,
    target_dry_bulb: ArrayLike = 298.15,
    target_humidity: ArrayLike = 0.5,
    target_input: HumidityInput | ArrayLike = "relative_humidity",
    second_dry_bulb: ArrayLike = 298.15,
    second_humidity: ArrayLike = 0.5,
    second_input: HumidityInput | ArrayLike = "relative_humidity",
    second_flow: ArrayLike = 1.0,
    pressure: ArrayLike | None = None,
    altitude: ArrayLike | None = None,
    formulation: Formulation | ArrayLike = "IAPWS",
    threads: int | None = None,
    errors: Errors = "auto",
) -> ProcessResult:
    """One process and its loads: temperatures K, heat rate W, loads kW, flows kg/s."""

def mix(
    dry_bulb_a: ArrayLike,
    humidity_a: ArrayLike,
    flow_a: ArrayLike,
    dry_bulb_b: ArrayLike,
    humidity_b: ArrayLike,
    flow_b: ArrayLike,
    input: HumidityInput | ArrayLike = "relative_humidity",
    **options: Any,
) -> ProcessResult:
    """Adiabatic mixing of two streams."""

def release_memory() -> None:
    """Gives the memory kept from dropped result columns back to the system."""
