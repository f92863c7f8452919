"""Arguments of any shape, layout, byte order and number type broadcast as numpy broadcasts,
and give the values the same states give as native float64 scalars."""

import numpy as np
import pytest
from conftest import same_bits

import hygrovane

T = np.array([263.15, 283.15, 293.15, 303.15, 313.15, 323.15])
RH = np.array([0.2, 0.35, 0.5, 0.65, 0.8, 0.95])


def expected(dry_bulb, humidity, pressure):
    """The scalar call for every element of the broadcast arguments."""
    t, h, p = np.broadcast_arrays(np.asarray(dry_bulb, dtype=np.float64),
                                  np.asarray(humidity, dtype=np.float64),
                                  np.asarray(pressure, dtype=np.float64))
    out = np.empty(t.shape)
    for index in np.ndindex(t.shape):
        out[index] = hygrovane.solve(float(t[index]), float(h[index]),
                                     pressure=float(p[index])).enthalpy
    return out


CASES = [
    # name, dry_bulb, humidity, pressure, shape
    ("scalar pressure with array temperatures", T, 0.5, 101325.0, (6,)),
    ("every argument an array", T, RH, np.full(6, 95000.0), (6,)),
    ("2-D from a column and a row", T.reshape(6, 1), RH.reshape(1, 6), 90000.0, (6, 6)),
    ("2-D arrays of one shape", T.reshape(2, 3), RH.reshape(2, 3), 85000.0, (2, 3)),
    ("3-D against a 1-D pressure", T.reshape(3, 2, 1), RH[:2], np.array([80000.0]), (3, 2, 2)),
    ("non-contiguous slices", np.repeat(T, 2)[::2], np.repeat(RH, 3)[::3], 101325.0, (6,)),
    ("transposed (Fortran order)", np.asfortranarray(np.tile(T, (2, 1))).T,
     np.tile(RH, (2, 1)).T, 101325.0, (6, 2)),
    ("big-endian", T.astype(">f8"), RH.astype(">f8"), np.array(99000.0, dtype=">f8"), (6,)),
    ("integer temperatures and pressure", np.arange(260, 320, 10), 0.5, 100000, (6,)),
    ("float32", T.astype(np.float32), RH.astype(np.float32), np.float32(97000.0), (6,)),
    ("lists", T.tolist(), RH.tolist(), 101325.0, (6,)),
    ("a 1-element array is a scalar", np.array([293.15]), RH, 101325.0, (6,)),
]


@pytest.mark.parametrize("name,dry_bulb,humidity,pressure,shape", CASES,
                         ids=[c[0] for c in CASES])
def test_broadcast_equals_scalar_calls(name, dry_bulb, humidity, pressure, shape):
    state = hygrovane.solve(dry_bulb, humidity, pressure=pressure)
    assert state.enthalpy.shape == shape
    assert state.status.shape == shape
    assert same_bits(state.enthalpy, expected(dry_bulb, humidity, pressure))


@pytest.mark.parametrize("shape", [(0,), (0, 3), (3, 0)])
def test_empty_arrays_give_empty_results(shape):
    state = hygrovane.solve(np.empty(shape), 0.5)
    assert state.dew_point.shape == shape and state.status.shape == shape
    assert state.to_frame().shape[0] == 0
    assert state.messages().shape == shape


@pytest.mark.parametrize("dry_bulb", [293.15, np.float32(293.15), np.array(293.15), 293],
                         ids=["float", "numpy float32", "0-d array", "int"])
def test_scalar_calls_give_python_numbers(dry_bulb):
    state = hygrovane.solve(dry_bulb, 0.5)
    assert state.shape == ()
    assert type(state.enthalpy) is float and type(state.status) is int
    assert state.enthalpy == hygrovane.solve(np.array([dry_bulb]), 0.5).enthalpy[0]


def test_inputs_and_formulations_as_arrays_of_names():
    names = np.array(["relative_humidity", "humidity_ratio"])
    forms = np.array([["IAPWS"], ["HylandWexler"]])
    state = hygrovane.solve(293.15, np.array([0.5, 0.008]), names, formulation=forms)
    assert state.enthalpy.shape == (2, 2)
    for (i, j), h in np.ndenumerate(state.enthalpy):
        one = hygrovane.solve(293.15, [0.5, 0.008][j], names[j], formulation=forms[i, 0])
        assert same_bits(h, one.enthalpy)


def test_altitude_broadcasts_like_pressure():
    state = hygrovane.solve(T, 0.5, altitude=np.array([[0.0], [1500.0]]))
    assert state.pressure.shape == (2, 6)
    assert np.all(state.pressure[1] < state.pressure[0])
    assert np.all(state.altitude[0] == 0)


BAD_CALLS = [
    ("shapes that do not broadcast", dict(dry_bulb=np.ones(3), humidity=np.ones(4)), ValueError),
    ("strings for numbers", dict(dry_bulb="293", humidity=0.5), TypeError),
    ("complex numbers", dict(dry_bulb=293 + 1j, humidity=0.5), TypeError),
    ("unknown input", dict(dry_bulb=293.0, humidity=0.5, humidity_input="moisture"), ValueError),
    ("unknown formulation", dict(dry_bulb=293.0, humidity=0.5, formulation="X"), ValueError),
    ("pressure and altitude", dict(dry_bulb=293.0, humidity=0.5, pressure=1e5, altitude=0.0),
     TypeError),
    ("zero threads", dict(dry_bulb=293.0, humidity=0.5, threads=0), ValueError),
    ("unknown errors", dict(dry_bulb=293.0, humidity=0.5, errors="ignore"), ValueError),
]


@pytest.mark.parametrize("name,kwargs,error", BAD_CALLS, ids=[c[0] for c in BAD_CALLS])
def test_bad_arguments_are_refused_before_any_work(name, kwargs, error):
    with pytest.raises(error):
        hygrovane.solve(**kwargs)


def test_a_narrower_result_holds_the_same_bits():
    full = hygrovane.solve(T, RH, pressure=90000.0)
    some = hygrovane.solve(T, RH, pressure=90000.0, quantities=["enthalpy", "dew_point_maximum"])
    assert some.keys() == ["enthalpy", "dew_point_maximum"]
    assert same_bits(some.enthalpy, full.enthalpy)
    assert same_bits(some.dew_point_maximum, full.dew_point_maximum)
    assert not hasattr(some, "wet_bulb")
    assert list(some.to_frame().columns) == ["enthalpy", "dew_point_maximum", "status"]
    with pytest.raises(ValueError):
        hygrovane.solve(T, RH, quantities=["colour"])
