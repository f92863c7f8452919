"""Elements the core refuses are NaN in every quantity with their status and the core's
sentence; an array call never raises for them, a scalar call does."""

import numpy as np
import pytest

import hygrovane
from hygrovane import Status

FAILURES = [
    # name, call arguments, status, sentence
    ("dry bulb above its limits", dict(dry_bulb=400.0, humidity=0.5),
     Status.DRY_BULB_OUT_OF_RANGE,
     "The dry bulb (K) 400 lies outside its limits 173.15 to 373.15."),
    ("pressure below its limits", dict(dry_bulb=293.15, humidity=0.5, pressure=1000.0),
     Status.PRESSURE_OUT_OF_RANGE,
     "The pressure (Pa) 1000 lies outside its limits 5000 to 1000000."),
    ("altitude above its limits", dict(dry_bulb=293.15, humidity=0.5, altitude=20000.0),
     Status.ALTITUDE_OUT_OF_RANGE,
     "The altitude (m) 20000 lies outside its limits -5000 to 11000."),
    ("relative humidity above 1", dict(dry_bulb=293.15, humidity=1.01),
     Status.HUMIDITY_OUT_OF_RANGE,
     "The relative humidity (fraction) 1.01 lies outside its limits 0 to 1."),
    ("negative humidity ratio",
     dict(dry_bulb=293.15, humidity=-0.001, humidity_input="humidity_ratio"),
     Status.HUMIDITY_OUT_OF_RANGE, None),
    ("dew point above the dry bulb",
     dict(dry_bulb=293.15, humidity=300.0, humidity_input="dew_point"),
     Status.HUMIDITY_OUT_OF_RANGE, None),
    ("boiling at the ambient pressure", dict(dry_bulb=370.0, humidity=0.1, pressure=6000.0),
     Status.PRESSURE_TOO_LOW, None),
    ("NaN dry bulb", dict(dry_bulb=float("nan"), humidity=0.5), Status.DRY_BULB_OUT_OF_RANGE,
     "The dry bulb (K) nan lies outside its limits 173.15 to 373.15."),
]
IDS = [f[0] for f in FAILURES]


@pytest.mark.parametrize("name,kwargs,status,sentence", FAILURES, ids=IDS)
def test_scalar_call_raises_the_core_sentence(name, kwargs, status, sentence):
    with pytest.raises(ValueError) as raised:
        hygrovane.solve(**kwargs)
    if sentence is not None:
        assert str(raised.value) == sentence
    quiet = hygrovane.solve(**kwargs, errors="nan")
    assert quiet.status == status
    assert quiet.message() == str(raised.value)


@pytest.mark.parametrize("name,kwargs,status,sentence", FAILURES, ids=IDS)
def test_array_call_gives_nan_and_status_beside_good_elements(name, kwargs, status, sentence):
    args = {k: np.array([v, v]) if k in ("dry_bulb", "humidity") else v
            for k, v in kwargs.items()}
    # A good element given in the same humidity input.
    good_humidity = getattr(hygrovane.solve(293.15, 0.5),
                            kwargs.get("humidity_input", "relative_humidity"))
    good = dict(dry_bulb=np.array([293.15, 293.15]), humidity=np.full(2, good_humidity))
    mixed = {k: np.array([good[k][0], args[k][0]]) if k in good else v for k, v in args.items()}
    if "pressure" in kwargs or "altitude" in kwargs:
        level = "pressure" if "pressure" in kwargs else "altitude"
        mixed[level] = np.array([{"pressure": 101325.0, "altitude": 0.0}[level], kwargs[level]])
    state = hygrovane.solve(**mixed)  # never raises
    assert list(state.status) == [Status.OK, status]
    assert list(state.ok) == [True, False]
    for field in state.keys():
        value = getattr(state, field)
        assert np.isnan(value[1]), f"{field} of the failed element"
    assert state.messages()[0] is None
    assert state.message(1) == hygrovane.solve(**kwargs, errors="nan").message()


def test_errors_raise_on_an_array_names_the_first_failure():
    with pytest.raises(ValueError, match="relative humidity .* 1.5 "):
        hygrovane.solve(np.full(3, 293.15), np.array([0.5, 1.5, 2.0]), errors="raise")


def test_dew_point_below_its_minimum_is_nan_in_a_computed_state():
    state = hygrovane.solve(200.0, 0.001, pressure=101325.0)
    assert state.status == Status.OK
    assert np.isnan(state.dew_point) and state.humidity_ratio > 0


def test_failure_sentences_in_a_frame_row_order():
    state = hygrovane.solve(np.array([[293.15, 500.0], [100.0, 300.0]]), 0.5)
    sentences = state.messages()
    assert sentences.shape == (2, 2)
    assert sentences[0, 0] is None and sentences[1, 1] is None
    assert "500" in sentences[0, 1] and "100" in sentences[1, 0]
    assert state.message(1, 0) == sentences[1, 0]
    frame = state.to_frame()
    assert list(frame["status"]) == [0, 1, 1, 0]
