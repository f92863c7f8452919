"""Thermal comfort over numpy arrays: the comfort library of the Hygrovane program.

In the units the standards state the models in (not the core's K): temperatures degC, air speed
m/s, relative humidity rh_percent in % (or relative_humidity= as a fraction, as solve() gives
it, or the water vapour pressure in Pa), metabolic rate met, clothing clo, pressure Pa. Every
argument is a scalar or an array, broadcast together as numpy broadcasts.

    from hygrovane import comfort
    r = comfort.pmv(25.0, 25.0, 0.1, 50.0, met=1.2, clo=0.5)       # ISO 7730
    r.pmv, r.ppd                                                     # -, %
    comfort.pmv(28.0, 28.0, 0.8, 50.0, 1.1, 0.5, standard="ASHRAE 55").cooling_effect  # K

An element outside a model's range of application (or missing, NaN) is NaN in every result with
its ComfortStatus and the library's sentence (message(i)); a scalar call raises ValueError with
that sentence (errors= chooses, as in hygrovane.solve).
"""

from __future__ import annotations

import enum
import warnings
from typing import Literal

import numpy as np

from . import _core
from ._columns import Columns, as_numbers, check_errors, first_failure, flatten, threads_code
from ._types import Array, ArrayLike, Errors, Flags, Values

Standard = Literal["ISO 7730", "ASHRAE 55"]

__all__ = [
    "ComfortResult",
    "ComfortStatus",
    "adaptive_ashrae55",
    "adaptive_en16798",
    "cooling_effect",
    "daily_means",
    "operative_temperature",
    "pmv",
    "prevailing_means",
    "running_mean",
    "standard_effective_temperature",
]


ComfortStatus = enum.IntEnum("ComfortStatus", _core.comfort_statuses(), module=__name__)
ComfortStatus.__doc__ = """Why an element has no result (the comfort library's ComfortFailureKind):
OK, OUT_OF_RANGE (an input outside the model's range of application), NOT_A_NUMBER (an input is
missing, NaN, or infinite), NO_SOLUTION (the model found no answer), CORE_FAILURE (the moist-air
core refused the state)."""


class ComfortResult(Columns):
    """A comfort model's results for every element: one array per result (a float for a scalar
    call), status (a ComfortStatus per element) and the sentence of each refused element."""

    # Every result of every model, for editors; a model's result holds only its own (_OUTPUTS).
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

    def __init__(self, columns, shape, names, flags=()):
        for name in flags:  # 1.0 / 0.0 from the loop; NaN (refused) is not acceptable
            columns[name] = columns[name] == 1.0
        super().__init__(columns, shape, names)
        self._messages = dict(columns["messages"])

    def _message_at(self, flat: int) -> str:
        return self._messages[flat]


_OUTPUTS = {
    "pmv_iso7730": ("pmv", "ppd"),
    "pmv_ashrae55": ("pmv", "ppd", "cooling_effect"),
    "set": ("set",),
    "cooling_effect": ("cooling_effect",),
    "adaptive_ashrae55": ("comfort", "lower_80", "upper_80", "lower_90", "upper_90", "allowance",
                          "operative", "acceptable_80", "acceptable_90"),
    "adaptive_en16798": ("comfort", "upper_i", "upper_ii", "upper_iii", "lower_i", "lower_ii",
                         "lower_iii", "allowance", "operative", "acceptable_i", "acceptable_ii",
                         "acceptable_iii"),
    "operative": ("operative",),
}


def _run(model, arguments: dict, options, threads, errors) -> ComfortResult:
    errors = check_errors(errors)
    numbers = {name: as_numbers(name, value) for name, value in arguments.items()}
    shape = np.broadcast_shapes(*(a.shape for a in numbers.values()))
    flat = flatten(numbers, shape)
    n = int(np.prod(shape))
    columns = _core.comfort_columns(model, n, list(flat.values()), options or _core.ComfortOptions(),
                                    threads_code(threads))
    names = _OUTPUTS[model]
    result = ComfortResult(columns, shape, names, [x for x in names if x.startswith("acceptable")])
    if errors == "raise" or (errors == "auto" and shape == ()):
        failed = first_failure(result)
        if failed is not None:
            raise ValueError(result._message_at(failed))
    return result


# The most a relative humidity given as a fraction can be: the air holds at most its saturation,
# a sensor overshoots by a few hundredths. Above it, relative_humidity= is a call from before it
# was a fraction, in %.
_MOST_FRACTION = 1.5


def _percent(relative_humidity):
    """relative_humidity= (a fraction, as solve() gives it) in the % the library takes; a call
    whose values can only be % (from when relative_humidity= was %) is taken as %, warned."""
    fraction = as_numbers("relative_humidity", relative_humidity)
    finite = fraction[np.isfinite(fraction)]
    if finite.size and finite.max() > _MOST_FRACTION:
        warnings.warn("relative_humidity= is a fraction (0 to 1) as in solve(); these values "
                      "were read as % as before: give % as rh_percent=", DeprecationWarning,
                      stacklevel=4)
        return fraction
    return fraction * 100.0


def _warn_if_fraction(rh_percent) -> None:
    """rh_percent of a state's relative humidity (a fraction) is nearly dry air, silently."""
    values = as_numbers("rh_percent", rh_percent)
    finite = values[np.isfinite(values)]
    if finite.size and finite.max() > 0 and finite.max() <= 1.0 and finite.min() >= 0:
        warnings.warn("every rh_percent is 1 % or less: a fraction given as %? "
                      "relative_humidity= takes a fraction", UserWarning, stacklevel=4)


def _thermal(air_temperature, mean_radiant, air_speed, rh_percent, relative_humidity,
             vapour_pressure, met, clo, external_work):
    given = [name for name, value in (("rh_percent", rh_percent),
                                      ("relative_humidity", relative_humidity),
                                      ("vapour_pressure", vapour_pressure)) if value is not None]
    if len(given) != 1:
        raise TypeError("give one of rh_percent (%), relative_humidity (fraction) or "
                        f"vapour_pressure (Pa), not {' and '.join(given) or 'none'}")
    options = _core.ComfortOptions()
    options.vapour_pressure = vapour_pressure is not None
    if rh_percent is not None:
        _warn_if_fraction(rh_percent)
        humidity = rh_percent
    elif relative_humidity is not None:
        humidity = _percent(relative_humidity)
    else:
        humidity = vapour_pressure
    return {"air_temperature": air_temperature, "mean_radiant": mean_radiant,
            "air_speed": air_speed, "humidity": humidity, "met": met, "clo": clo,
            "external_work": external_work}, options


_STANDARDS = {"iso 7730": "pmv_iso7730", "iso": "pmv_iso7730", "ashrae 55": "pmv_ashrae55",
              "ashrae": "pmv_ashrae55"}


def pmv(air_temperature: ArrayLike, mean_radiant: ArrayLike, air_speed: ArrayLike,
        rh_percent: ArrayLike | None = None, met: ArrayLike = 1.1, clo: ArrayLike = 0.5,
        external_work: ArrayLike = 0.0, *, relative_humidity: ArrayLike | None = None,
        vapour_pressure: ArrayLike | None = None,
        standard: Standard = "ISO 7730", checked: bool = True, occupant_control: bool = True,
        threads: int | None = None, errors: Errors = "auto") -> ComfortResult:
    """Predicted Mean Vote and Predicted Percentage of Dissatisfied, element by element.

    air_temperature, mean_radiant  degC
    air_speed                      m/s, relative to the body
    rh_percent                     relative humidity, %; or relative_humidity=, a fraction (0 to
                                   1, as solve() and State give it); or vapour_pressure=, Pa,
                                   the partial pressure of water. One of the three
    met, clo, external_work        met, clo, met
    standard   "ISO 7730" (ISO 7730:2005, its Annex D computation) or "ASHRAE 55"
               (ASHRAE 55-2020: above 0.1 m/s the PMV at still air, t_a and t_r lowered by
               the cooling effect of SET, which the result also holds as cooling_effect, K)
    checked    hold the inputs to the standard's range of application (ISO 7730: 10-30 degC
               air, 10-40 degC radiant, 0-1 m/s, 0.8-4 met, 0-2 clo, 0-2700 Pa; ASHRAE 55:
               10-40 degC, 0-2 m/s, 1-4 met, 0-1.5 clo); False computes outside it
    occupant_control  ASHRAE 55 only: False holds light sedentary activity to the air speed
               limits of 5.3.3.3 for spaces without local control

    Returns a ComfortResult with pmv (-3 cold .. +3 hot) and ppd (%).
    """
    model = _STANDARDS.get(str(standard).lower())
    if model is None:
        raise ValueError(f"unknown standard {standard!r}; 'ISO 7730' or 'ASHRAE 55'")
    arguments, options = _thermal(air_temperature, mean_radiant, air_speed, rh_percent,
                                  relative_humidity, vapour_pressure, met, clo, external_work)
    options.checked = bool(checked)
    options.occupant_control = bool(occupant_control)
    return _run(model, arguments, options, threads, errors)


def standard_effective_temperature(
        air_temperature: ArrayLike, mean_radiant: ArrayLike, air_speed: ArrayLike,
        rh_percent: ArrayLike | None = None, met: ArrayLike = 1.1, clo: ArrayLike = 0.5,
        external_work: ArrayLike = 0.0, *, relative_humidity: ArrayLike | None = None,
        vapour_pressure: ArrayLike | None = None, pressure: ArrayLike = 101325.0,
        for_cooling_effect: bool = False,
        threads: int | None = None, errors: Errors = "auto") -> ComfortResult:
    """SET, degC (result `set`), by the two-node model of ASHRAE 55-2020 Appendix D.

    Units as in pmv(); pressure in Pa (30-120 kPa). for_cooling_effect leaves out the
    convection the body's own movement adds above 0.85 met, as the cooling effect's computation
    does. Only inputs without physical meaning are refused (the model has no range of
    application in the standard).
    """
    arguments, options = _thermal(air_temperature, mean_radiant, air_speed, rh_percent,
                                  relative_humidity, vapour_pressure, met, clo, external_work)
    arguments["pressure"] = pressure
    options.for_cooling_effect = bool(for_cooling_effect)
    return _run("set", arguments, options, threads, errors)


def cooling_effect(air_temperature: ArrayLike, mean_radiant: ArrayLike, air_speed: ArrayLike,
                   rh_percent: ArrayLike | None = None, met: ArrayLike = 1.1,
                   clo: ArrayLike = 0.5, external_work: ArrayLike = 0.0, *,
                   relative_humidity: ArrayLike | None = None,
                   vapour_pressure: ArrayLike | None = None, pressure: ArrayLike = 101325.0,
                   threads: int | None = None, errors: Errors = "auto") -> ComfortResult:
    """The cooling effect of elevated air speed, K (result `cooling_effect`), ASHRAE 55-2020
    Appendix D: the drop of t_a and t_r at 0.1 m/s that gives the SET of the air speed given.
    0 at 0.1 m/s and below. Units as in standard_effective_temperature()."""
    arguments, options = _thermal(air_temperature, mean_radiant, air_speed, rh_percent,
                                  relative_humidity, vapour_pressure, met, clo, external_work)
    arguments["pressure"] = pressure
    return _run("cooling_effect", arguments, options, threads, errors)


def adaptive_ashrae55(air_temperature: ArrayLike, mean_radiant: ArrayLike, air_speed: ArrayLike,
                      prevailing_mean: ArrayLike, *, threads: int | None = None,
                      errors: Errors = "auto") -> ComfortResult:
    """The adaptive model of ASHRAE 55-2020 section 5.4 for naturally conditioned spaces.

    air_temperature, mean_radiant degC; air_speed m/s (0-2); prevailing_mean, the prevailing
    mean outdoor temperature, degC (10-33.5; see prevailing_means()). Results: comfort
    (t_cmf = 0.31 t_pma + 17.8, degC), lower_80, upper_80, lower_90, upper_90 (degC, the upper
    limits with the allowance for elevated air speed), allowance (K), operative (degC), and
    acceptable_80, acceptable_90 (bool).
    """
    return _run("adaptive_ashrae55", {"air_temperature": air_temperature,
                                      "mean_radiant": mean_radiant, "air_speed": air_speed,
                                      "prevailing_mean": prevailing_mean}, None, threads, errors)


def adaptive_en16798(air_temperature: ArrayLike, mean_radiant: ArrayLike, air_speed: ArrayLike,
                     running_mean: ArrayLike, *, threads: int | None = None,
                     errors: Errors = "auto") -> ComfortResult:
    """The adaptive model of EN 16798-1:2019 Annex B.

    air_temperature, mean_radiant degC; air_speed m/s (0-2); running_mean, the exponentially
    weighted running mean outdoor temperature, degC (10-30; see running_mean()). Results:
    comfort (theta_c = 0.33 theta_rm + 18.8, degC), upper_i/ii/iii and lower_i/ii/iii (degC,
    categories I-III), allowance (K), operative (degC), acceptable_i/ii/iii (bool).
    """
    return _run("adaptive_en16798", {"air_temperature": air_temperature,
                                     "mean_radiant": mean_radiant, "air_speed": air_speed,
                                     "running_mean": running_mean}, None, threads, errors)


def operative_temperature(air_temperature: ArrayLike, mean_radiant: ArrayLike,
                          air_speed: ArrayLike, *, threads: int | None = None) -> Values:
    """Operative temperature, degC, by ASHRAE 55-2020 Appendix A (the weight of the air
    temperature 0.5, 0.6 or 0.7 by air speed, m/s). An array (a float for scalars)."""
    return _run("operative", {"air_temperature": air_temperature, "mean_radiant": mean_radiant,
                              "air_speed": air_speed}, None, threads, "nan").operative


def _series(name, values) -> np.ndarray:
    array = as_numbers(name, values)
    if array.ndim != 1:
        raise ValueError(f"{name} must be one-dimensional")
    return np.ascontiguousarray(array)


def daily_means(hourly: ArrayLike) -> Array:
    """Daily means of hourly values (24 a day, in order; a last partial day is left out). A day
    with a missing hour (NaN) has a NaN mean."""
    return _core.daily_means(_series("hourly", hourly))


def running_mean(daily: ArrayLike, alpha: float = 0.8, wrap: bool = False) -> Array:
    """The exponentially weighted running mean of the days before each day, degC (EN 16798-1
    Annex B: theta_rm(d) = (1 - alpha) theta_ed(d-1) + alpha theta_rm(d-1), alpha 0.6-0.9).
    The first day is NaN unless wrap takes the series' last days as its history (a typical
    year). Raises ValueError for an alpha outside 0.6-0.9."""
    return _core.exponential_running_mean(_series("daily", daily), float(alpha), bool(wrap))


def prevailing_means(daily: ArrayLike, days: int = 7, wrap: bool = False) -> Array:
    """ASHRAE 55-2020 5.4.2.1's simple prevailing mean outdoor temperature of each day, degC:
    the mean of the daily means of the `days` days before it (7-30); NaN where too few days or
    a missing one precede it. Raises ValueError for days outside 7-30."""
    return _core.prevailing_means_simple(_series("daily", daily), int(days), bool(wrap))
