"""What a careless caller passes: booleans, missing and masked values, units off by a factor,
out= sharing memory with an input or made read-only, a parameter left out, a number too large.
Each is refused with the module's sentence or gives NaN with a status; none gives a wrong value
with status OK."""

import warnings

import numpy as np
import pandas as pd
import pytest
from conftest import same_bits

import hygrovane
from hygrovane import ProcessStatus, Status, comfort

T = np.linspace(283.15, 303.15, 100_000)


@pytest.mark.parametrize("call", [
    lambda: hygrovane.solve(293.15, True),
    lambda: hygrovane.solve(np.array([293.15]), np.array([True])),
    lambda: hygrovane.solve(True, 0.5),
    lambda: hygrovane.process("sensible-to-dry-bulb", 293.15, 0.5, leaving_dry_bulb=True),
    lambda: comfort.pmv(25.0, 25.0, 0.1, True, 1.2, 0.5),
    lambda: hygrovane.solve(293.15, pd.Series([True, False], dtype="boolean")),
], ids=["scalar humidity", "array humidity", "dry bulb", "process parameter", "comfort",
        "pandas boolean"])
def test_booleans_are_refused(call):
    with pytest.raises(TypeError, match="not booleans"):
        call()


@pytest.mark.parametrize("make", [
    lambda v: np.ma.masked_array(v, mask=[False, True, False]),
    lambda v: pd.array([v[0], pd.NA, v[2]], dtype="Float64"),
    lambda v: pd.Series([v[0], None, v[2]], dtype="Float64"),
], ids=["numpy masked array", "pandas Float64 array with NA", "pandas Float64 series"])
@pytest.mark.parametrize("argument", ["dry_bulb", "humidity"])
def test_masked_and_missing_elements_are_nan_with_a_status(make, argument):
    given = {"dry_bulb": np.array([293.15, 298.15, 303.15]), "humidity": np.array([0.3, 0.5, 0.7])}
    whole = hygrovane.solve(given["dry_bulb"], given["humidity"])
    state = hygrovane.solve(**{**given, argument: make(given[argument])})
    assert list(state.status == 0) == [True, False, True]
    assert np.isnan(state.enthalpy[1]) and state.message(1)
    assert same_bits(state.enthalpy[[0, 2]], whole.enthalpy[[0, 2]])
    result = comfort.pmv(make(np.array([25.0, 26.0, 27.0])), 25.0, 0.1, 50.0, 1.2, 0.5)
    assert list(result.status == 0) == [True, False, True]


def test_a_process_whose_loads_overflow_has_the_overflow_status():
    result = hygrovane.process("sensible-to-dry-bulb", np.array([293.15, 293.15]), 0.5,
                               flow=np.array([1e308, 1.0]), leaving_dry_bulb=303.15)
    assert list(result.status) == [ProcessStatus.OVERFLOW, ProcessStatus.OK]
    assert np.isnan(result.total[0]) and np.isfinite(result.total[1])
    assert "overflow" in result.message(0)
    # The processes library refuses this one itself, before any load is summed.
    with pytest.raises(ValueError, match="beyond any number"):
        hygrovane.process("sensible-by-heat-rate", 293.15, 0.5, flow=1e-300, heat_rate=1e300)


@pytest.mark.parametrize("kind,given,missing", [
    ("sensible-to-dry-bulb", {}, "leaving_dry_bulb"),
    ("coil-apparatus-dew-point", {"apparatus_dew_point": 283.15}, "bypass_factor"),
    ("evaporative-by-effectiveness", {}, "effectiveness"),
    ("cooling-then-reheat", {"bypass_factor": 0.1}, "target_dry_bulb and target_humidity"),
])
@pytest.mark.parametrize("shape", ["scalar", "array"])
def test_a_parameter_left_out_is_named(kind, given, missing, shape):
    t = 303.15 if shape == "scalar" else np.full(3, 303.15)
    with pytest.raises(TypeError, match=f"needs {missing}$"):
        hygrovane.process(kind, t, 0.5, **given)


def test_parameters_a_kind_does_not_read_are_not_needed():
    result = hygrovane.process("mixing", np.full(2, 293.15), 0.5, second_dry_bulb=303.15)
    assert np.all(result.ok)


@pytest.mark.parametrize("t", [293.15, np.array([293.15, 300.123456789])],
                         ids=["scalar", "array"])
def test_the_dry_bulb_comes_back_as_given(t):
    assert same_bits(hygrovane.solve(t, 0.5).dry_bulb, t)


# An input of the out= result fed back into it, and the quantities it overwrites.
OVERLAPS = [
    ("a broadcast element", lambda s: (T, s.wet_bulb[:1], "dew_point"), ["dew_point", "wet_bulb"]),
    ("a whole column", lambda s: (s.dry_bulb, s.relative_humidity, "relative_humidity"),
     ["dry_bulb", "relative_humidity", "enthalpy"]),
    ("a reversed view", lambda s: (s.dry_bulb[::-1], 0.5, "relative_humidity"),
     ["dry_bulb", "enthalpy"]),
]


@pytest.mark.parametrize("name,arguments,quantities", OVERLAPS, ids=[o[0] for o in OVERLAPS])
def test_out_overlapping_an_input_gives_the_values_of_fresh_memory(name, arguments, quantities):
    s = hygrovane.solve(T, 0.5, quantities=quantities, threads=2)
    dry_bulb, humidity, given = (np.array(a, copy=True) if isinstance(a, np.ndarray) else a
                                 for a in arguments(s))
    fresh = hygrovane.solve(dry_bulb, humidity, given, quantities=quantities)
    again = hygrovane.solve(*arguments(s), quantities=quantities, out=s, threads=2)
    assert np.all(again.ok)
    for field in quantities:
        assert same_bits(getattr(again, field), getattr(fresh, field)), field


def test_out_with_a_read_only_column_is_refused_and_not_written():
    s = hygrovane.solve(T[:10], 0.5)
    s.enthalpy.flags.writeable = False
    before = s.enthalpy.copy()
    with pytest.raises(ValueError, match="enthalpy is read-only"):
        hygrovane.solve(T[:10] + 5, 0.5, out=s)
    assert same_bits(s.enthalpy, before)


# Calls where every element fails on a unit slip, and the unit the warning names.
SLIPS = [
    ("degC for K", lambda: hygrovane.solve(np.array([20.0, 25.0]), 0.5), "degC"),
    ("kPa for Pa", lambda: hygrovane.solve(np.array([293.15, 298.15]), 0.5, pressure=101.325),
     "kPa"),
    ("% for a fraction", lambda: hygrovane.solve(np.array([293.15, 298.15]), 50.0), "%"),
    ("a scalar call", lambda: hygrovane.solve(20.0, 0.5, errors="nan"), "degC"),
    ("a process", lambda: hygrovane.process("sensible-to-dry-bulb", np.array([20.0, 21.0]), 0.5,
                                            leaving_dry_bulb=30.0), "degC"),
]


@pytest.mark.parametrize("name,call,unit", SLIPS, ids=[s[0] for s in SLIPS])
def test_a_call_failing_wholly_on_a_unit_slip_warns_once(name, call, unit):
    with pytest.warns(UserWarning) as caught:
        result = call()
    assert not np.any(np.asarray(result.status) == 0)
    assert len(caught) == 1 and unit in str(caught[0].message)


@pytest.mark.parametrize("call", [
    lambda: hygrovane.solve(np.array([20.0, 293.15]), 0.5),  # one element computed
    lambda: hygrovane.solve(np.array([400.0, 500.0]), 0.5),  # failed, but no unit explains it
])
def test_no_warning_where_no_unit_slip_explains_the_failures(call):
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        call()
