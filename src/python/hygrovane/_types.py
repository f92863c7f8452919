"""The types the public functions and results are annotated with, for editors and type checkers
(the package is typed inline, PEP 561): one definition for every module."""

from __future__ import annotations

from typing import Literal, Union

import numpy as np
import numpy.typing as npt

# A scalar or anything numpy.asarray turns into an array of real numbers.
ArrayLike = npt.ArrayLike
# An array of the broadcast shape, or a float for a scalar call.
Values = Union[npt.NDArray[np.float64], float]
# An array of flags of the broadcast shape, or a bool for a scalar call.
Flags = Union[npt.NDArray[np.bool_], bool]
# A status code per element (0 where computed), or an int for a scalar call.
Statuses = Union[npt.NDArray[np.uint8], int]
# One float64 array.
Array = npt.NDArray[np.float64]

# The humidity quantities an input can be given in, in the core's order (HumidityInput).
HumidityInput = Literal["humidity_ratio", "relative_humidity", "dew_point", "wet_bulb",
                        "absolute_humidity", "partial_pressure", "mole_fraction",
                        "mass_fraction"]
Formulation = Literal["IAPWS", "HylandWexler"]
Errors = Literal["auto", "raise", "nan"]
TemperatureUnit = Literal["K", "C"]
