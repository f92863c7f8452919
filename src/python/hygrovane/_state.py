"""solve(): the core's Solve over numpy arrays."""

from __future__ import annotations

import enum
from typing import Sequence

import numpy as np

from . import _core
from ._celsius import is_celsius, kelvin, kelvin_humidity, show_in_celsius
from ._columns import (
    Columns,
    ambient_column,
    apart_from,
    as_numbers,
    check_errors,
    describe,
    first_failure,
    flatten,
    formulation_codes,
    input_codes,
    threads_code,
    warn_unit_slips,
)
from ._renamed import renamed
from ._types import ArrayLike, Errors, Formulation, HumidityInput, TemperatureUnit, Values

_INTERRUPTED = "The call was interrupted before this element was computed."


Status = enum.IntEnum("Status", _core.solve_statuses(), module=__name__)
Status.__doc__ = """Why an element has no state (the core's FailureKind and InputField together):
OK, DRY_BULB_OUT_OF_RANGE, PRESSURE_OUT_OF_RANGE, ALTITUDE_OUT_OF_RANGE, HUMIDITY_OUT_OF_RANGE,
PRESSURE_TOO_LOW, ARITHMETIC_FAULT, and INTERRUPTED for an out= result whose call was interrupted
(Ctrl-C): nothing computed."""


class State(Columns):
    """The state of moist air for every element of a solve() call, in internal units.

    Each attribute is an array of the broadcast shape (a float for a scalar call):

    dry_bulb (K, as given), pressure (Pa), altitude (m),
    humidity_ratio (kg/kg dry air), relative_humidity (fraction), dew_point (K; NaN below
    173.15 K), wet_bulb (K), partial_pressure (Pa), mole_fraction and mass_fraction (of water),
    absolute_humidity (kg/m^3), molecular_weight (kg/kmol), gas_constant (J/(kg K)),
    density (kg/m^3), specific_volume (m^3/kg dry air), enthalpy (kJ/kg dry air),
    by_volume_* and by_mass_* (n2, o2, ar, co2, h2o; fractions), the saturated air's
    saturation_pressure (Pa), saturation_humidity_ratio (kg/kg), saturation_mole_fraction,
    saturation_absolute_humidity (kg/m^3), saturation_molecular_weight (kg/kmol),
    saturation_mass_fraction, dry_air_wet_bulb (K), and for every humidity input its limits
    <input>_minimum and <input>_maximum in that input's unit.

    status holds a Status per element; failed elements are NaN in every quantity and
    message(i) / messages() give the core's sentence (hygrovane::Describe).
    """

    # Every quantity, for editors (the values are set from _core's columns; a test holds the
    # list to quantity_names()).
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

    _names = tuple(_core.quantity_names())
    # "C" where solve() was called with temperature_unit="C": its temperatures are in degC.
    temperature_unit = "K"

    def __init__(self, columns, shape, input_code, names=None):
        super().__init__(columns, shape, names)
        self._columns = columns
        self._adopt_failures(columns, input_code)

    def _adopt_failures(self, columns, input_code):
        """The parts of the failures' sentences: the failed elements in order, their refused
        value and limits, and the arithmetic faults' details."""
        self._failure_index = columns["failure_index"]
        self._failure_value = columns["failure_value"]
        self._failure_minimum = columns["failure_minimum"]
        self._failure_maximum = columns["failure_maximum"]
        self._input_code = input_code
        self._details = dict(columns["fault_details"])

    @classmethod
    def _one(cls, answer, input_code):
        """A scalar result from _core.solve_one's tuple, without arrays."""
        status, values, value, minimum, maximum, detail = answer
        state = cls.__new__(cls)
        state.__dict__.update(zip(cls._names, values))
        state.shape = ()
        state.status = status
        failed = 1 if status else 0
        state._failure_index = np.zeros(failed, dtype=np.int64)
        state._failure_value = np.array([value][:failed])
        state._failure_minimum = np.array([minimum][:failed])
        state._failure_maximum = np.array([maximum][:failed])
        state._input_code = np.array([input_code], dtype=np.int8)
        state._details = {0: detail} if detail else {}
        return state

    def _message_at(self, flat: int) -> str:
        status = np.ravel(self.status)[flat]
        if status == Status.INTERRUPTED:
            return _INTERRUPTED
        k = int(np.searchsorted(self._failure_index, flat))
        code = self._input_code[0 if self._input_code.size == 1 else flat]
        return describe(status, code, self._failure_value[k], self._failure_minimum[k],
                        self._failure_maximum[k], self._details.get(flat, ""))


_SCALARS = (float, int, np.floating, np.integer)


def _plain_scalars(*values) -> bool:
    return all(isinstance(v, _SCALARS) and not isinstance(v, bool) for v in values)


def _wanted(quantities) -> tuple:
    if quantities is None:
        return State._names
    names = (quantities,) if isinstance(quantities, str) else tuple(quantities)
    unknown = [name for name in names if name not in State._names]
    if unknown or not names:
        raise ValueError(f"unknown quantities {unknown}; from {', '.join(State._names)}")
    return tuple(name for name in State._names if name in names)


def _reusable(out, shape, names) -> dict:
    """The flat arrays of an earlier State to write into, checked to fit this call."""
    if out is None:
        return {}
    if not isinstance(out, State) or not hasattr(out, "_columns"):
        raise TypeError("out must be the State of an earlier array call of solve()")
    if tuple(out.shape) != tuple(shape) or tuple(out._names) != tuple(names):
        raise ValueError(f"out holds shape {out.shape} and {len(out._names)} quantities; this "
                         f"call gives shape {tuple(shape)} and {len(names)}")
    for name in (*names, "status"):
        shown = getattr(out, name)
        if not (isinstance(shown, np.ndarray) and shown.flags.writeable
                and out._columns[name].flags.writeable):
            raise ValueError(f"out's {name} is read-only; a read-only column is not written")
    return out._columns


# The state's temperatures but the dry bulb, which is given back as given.
_TEMPERATURES = ("dew_point", "wet_bulb", "dry_air_wet_bulb", "dew_point_minimum",
                 "dew_point_maximum", "wet_bulb_minimum", "wet_bulb_maximum")


def _in_celsius(state: State, dry_bulb) -> State:
    """The state's temperatures in degC, the dry bulb as given (NaN where refused)."""
    show_in_celsius(state, _TEMPERATURES)
    if "dry_bulb" in state._names:
        given = np.where(np.asarray(state.status) == 0, as_numbers("dry_bulb", dry_bulb), np.nan)
        if state.shape == ():
            state.dry_bulb = float(given)
        else:
            state.dry_bulb[...] = given
    return state


@renamed(input="humidity_input")
def solve(dry_bulb: ArrayLike, humidity: ArrayLike,
          humidity_input: HumidityInput | ArrayLike = "relative_humidity", *,
          pressure: ArrayLike | None = None, altitude: ArrayLike | None = None,
          formulation: Formulation | ArrayLike = "IAPWS", threads: int | None = None,
          errors: Errors = "auto", quantities: Sequence[str] | str | None = None,
          out: State | None = None, temperature_unit: TemperatureUnit = "K") -> State:
    """The whole state of moist air, element by element, as the C++ core's Solve gives it.

    Every argument is a scalar or a numpy array (or anything numpy.asarray takes); they are
    broadcast together as numpy broadcasts. Units are the core's internal units:

    dry_bulb     K
    humidity     in the unit of `humidity_input`: humidity_ratio kg/kg dry air,
                 relative_humidity fraction (0 to 1), dew_point K, wet_bulb K,
                 absolute_humidity kg/m^3, partial_pressure Pa, mole_fraction and
                 mass_fraction fractions of water
    humidity_input  the humidity quantity given, by name (or an array of names; one of
                 HUMIDITY_INPUTS). Its former name input= still works, with a
                 DeprecationWarning
    pressure     Pa (default 101325 when no altitude is given)
    altitude     m above sea level, standard atmosphere; instead of pressure
    formulation  "IAPWS" or "HylandWexler" (or an array of these)
    threads      threads to split the work over; None uses every core the process may use,
                 and more than those run on those. Fewer when the system will not start
                 more. The results do not depend on it.
    quantities   the names of the quantities wanted (default: every one); fewer columns
                 write less memory, which counts over hundreds of millions of states
    out          a State of an earlier array call of the same shape and quantities: its arrays
                 are overwritten rather than new ones made (no fresh memory for the system to
                 clear, which is most of the binding's cost per state); that earlier State
                 then is this call's result. Inputs that share memory with it are copied
                 first. A read-only column of it is refused. An interrupted call (Ctrl-C)
                 leaves no mixture in it: every element NaN with status INTERRUPTED
    temperature_unit  "K" (default) or "C": "C" takes dry_bulb, and a humidity given as
                 dew_point or wet_bulb, in degC, and gives the state's temperatures
                 (dry_bulb, dew_point, wet_bulb, dry_air_wet_bulb and their limits) in degC;
                 the rest stays in internal units, the core's sentences in K
    errors       "raise": a failed element raises ValueError with the core's sentence;
                 "nan": failed elements are NaN with their status; "auto" (default) raises
                 for a scalar call and gives NaN for an array call.

    Booleans are refused; masked elements of a numpy masked array and missing values of a
    pandas array (pd.NA) are NaN with a status. A call whose every element fails while an input
    looks given in another unit (degC for K, kPa for Pa, % for a fraction) warns once.
    Ctrl-C stops a long call within a fraction of a second (KeyboardInterrupt).

    Returns a State: one array per quantity (K, Pa, m, kg/kg, fractions, kJ/kg dry air) of
    the broadcast shape, the limits of every humidity input, and status. Use
    hygrovane.units.convert for other units, State.to_frame() for pandas.

    >>> s = hygrovane.solve(303.15, 0.40, "relative_humidity", pressure=95000.0)
    >>> float(s.dew_point)  # K
    """
    errors = check_errors(errors)
    celsius, given_dry_bulb = is_celsius(temperature_unit), dry_bulb
    if celsius:
        dry_bulb = kelvin("dry_bulb", dry_bulb)
        humidity = kelvin_humidity("humidity", humidity, humidity_input)
    ambient, pressure_code = ambient_column(pressure, altitude)
    names = _wanted(quantities)
    if (_plain_scalars(dry_bulb, humidity, ambient) and isinstance(humidity_input, str)
            and isinstance(formulation, str) and quantities is None and out is None):
        threads_code(threads)
        input_code = int(input_codes(humidity_input))
        state = State._one(_core.solve_one(float(dry_bulb), float(humidity), float(ambient),
                                           input_code, int(pressure_code),
                                           int(formulation_codes(formulation))), input_code)
        if state.status != 0 and errors != "nan":
            raise ValueError(state._message_at(0))
        warn_unit_slips(state.status, dry_bulb=(dry_bulb, None),
                        humidity=(humidity, humidity_input),
                        **({} if pressure_code else {"pressure": (ambient, None)}))
        return _in_celsius(state, given_dry_bulb) if celsius else state
    numbers = {
        "dry_bulb": as_numbers("dry_bulb", dry_bulb),
        "humidity": as_numbers("humidity", humidity),
        "pressure": as_numbers("altitude" if pressure_code else "pressure", ambient),
    }
    input_code = input_codes(humidity_input)
    formulation_code = formulation_codes(formulation)
    shape = np.broadcast_shapes(*(a.shape for a in numbers.values()), input_code.shape,
                                formulation_code.shape)
    flat = flatten({**numbers, "input": input_code, "formulation": formulation_code}, shape)
    n = int(np.prod(shape))
    reuse = _reusable(out, shape, names)
    if reuse:
        flat = apart_from(flat, reuse.values())
    try:
        columns = _core.solve_columns(n, flat["dry_bulb"], flat["humidity"], flat["pressure"],
                                      flat["input"], np.array([pressure_code], dtype=np.int8),
                                      flat["formulation"], threads_code(threads), list(names),
                                      reuse)
    except KeyboardInterrupt:
        if out is not None:  # every element of out now says it was interrupted
            out._adopt_failures({"failure_index": np.zeros(0, dtype=np.int64),
                                 "failure_value": np.zeros(0), "failure_minimum": np.zeros(0),
                                 "failure_maximum": np.zeros(0), "fault_details": []},
                                flat["input"])
        raise
    state = State(columns, shape, flat["input"], names)
    if out is not None:
        out._adopt_failures(columns, flat["input"])
    if errors == "raise" or (errors == "auto" and shape == ()):
        failed = first_failure(state)
        if failed is not None:
            raise ValueError(state._message_at(failed))
    warn_unit_slips(columns["status"], dry_bulb=(numbers["dry_bulb"], None),
                    humidity=(numbers["humidity"],
                              humidity_input if isinstance(humidity_input, str) else None),
                    **({} if pressure_code else {"pressure": (numbers["pressure"], None)}))
    return _in_celsius(state, given_dry_bulb) if celsius else state
