"""One meaning per name across the package: relative_humidity is a fraction wherever it is
taken or given (% is rh_percent), and the humidity input is humidity_input (input= shadowed the
builtin). The former spellings still work, with a DeprecationWarning."""

import warnings

import numpy as np
import pytest
from conftest import same_bits

import hygrovane
from hygrovane import comfort

# 25 degC and 50 %: a state's relative humidity is the fraction 0.5.
STATE = hygrovane.solve(298.15, 0.5)

# model, positional arguments before the humidity, keywords after it
COMFORT_MODELS = [
    ("pmv ISO 7730", comfort.pmv, (25.0, 25.0, 0.1), dict(met=1.2, clo=0.5)),
    ("pmv ASHRAE 55", comfort.pmv, (26.0, 26.0, 0.6), dict(met=1.2, clo=0.5,
                                                           standard="ASHRAE 55")),
    ("SET", comfort.standard_effective_temperature, (25.0, 25.0, 0.3), dict(met=1.2, clo=0.5)),
    ("cooling effect", comfort.cooling_effect, (26.0, 26.0, 0.8), dict(met=1.2, clo=0.5)),
]
IDS = [m[0] for m in COMFORT_MODELS]


def results(r):
    return {name: getattr(r, name) for name in r.keys()}


@pytest.mark.parametrize("name,model,front,keywords", COMFORT_MODELS, ids=IDS)
def test_a_states_relative_humidity_gives_the_percent_forms_answer(name, model, front,
                                                                   keywords):
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        from_state = model(*front, relative_humidity=STATE.relative_humidity, **keywords)
        percent = model(*front, rh_percent=50.0, **keywords)
        positional = model(*front, 50.0, **keywords)
    for key, value in results(percent).items():
        assert from_state[key] == pytest.approx(value, rel=1e-12), key
        assert same_bits(positional[key], value), key
    # Not the answer at 0.5 %, which the fraction read as % gave.
    with pytest.warns(UserWarning):
        dry = model(*front, rh_percent=0.5, **keywords)
    assert any(dry[key] != value for key, value in results(percent).items())


def test_relative_humidity_arrays_of_fractions_broadcast_like_solve():
    states = hygrovane.solve(298.15, np.array([0.2, 0.5, 0.8]))
    r = comfort.pmv(25.0, 25.0, 0.1, relative_humidity=states.relative_humidity)
    assert np.allclose(r.pmv, comfort.pmv(25.0, 25.0, 0.1, [20.0, 50.0, 80.0]).pmv, rtol=1e-12)


@pytest.mark.parametrize("name,model,front,keywords", COMFORT_MODELS, ids=IDS)
def test_a_former_percent_keyword_call_still_works_with_a_warning(name, model, front,
                                                                  keywords):
    with pytest.warns(DeprecationWarning, match="rh_percent"):
        former = model(*front, relative_humidity=50.0, **keywords)
    now = model(*front, rh_percent=50.0, **keywords)
    assert all(same_bits(former[key], value) for key, value in results(now).items())


def test_a_fraction_given_as_percent_is_warned_about():
    with pytest.warns(UserWarning, match="relative_humidity= takes a fraction"):
        comfort.pmv(25.0, 25.0, 0.1, STATE.relative_humidity)
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        comfort.pmv(25.0, 25.0, 0.1, 0.0)  # dry air is 0 either way
        comfort.pmv(25.0, 25.0, 0.1, [0.5, 40.0])


@pytest.mark.parametrize("humidities", [
    dict(), dict(rh_percent=50.0, relative_humidity=0.5),
    dict(relative_humidity=0.5, vapour_pressure=1500.0)], ids=["none", "% and fraction",
                                                               "fraction and pressure"])
def test_exactly_one_humidity_is_taken(humidities):
    with pytest.raises(TypeError, match="one of rh_percent"):
        comfort.pmv(25.0, 25.0, 0.1, **humidities)


def test_every_relative_humidity_result_is_a_fraction(chicago_epw):
    # Each result the package names relative_humidity, at 50 %.
    coil = hygrovane.process("sensible-to-dry-bulb", 298.15, 0.5, leaving_dry_bulb=298.15)
    hours = hygrovane.climate.read_weather(chicago_epw).states()["relative_humidity"]
    assert STATE.relative_humidity == pytest.approx(0.5)
    assert coil.relative_humidity == pytest.approx(0.5)
    assert np.nanmax(hours) <= 1.0 and np.nanmax(hours) > 0.9


# call(humidity input keyword) for every function that takes a humidity input
INPUT_CALLS = [
    ("solve", lambda **k: hygrovane.solve(np.array([293.15, 300.0]), 285.0, **k).enthalpy),
    ("process", lambda **k: hygrovane.process("sensible-to-dry-bulb", 293.15, 285.0,
                                              leaving_dry_bulb=300.0, **k).total),
    ("mix", lambda **k: hygrovane.mix(293.15, 285.0, 1.0, 303.15, 290.0, 2.0, **k).dry_bulb),
]


@pytest.mark.parametrize("name,call", INPUT_CALLS, ids=[c[0] for c in INPUT_CALLS])
def test_the_humidity_input_under_its_new_and_former_names(name, call):
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        now = call(humidity_input="dew_point")
    with pytest.warns(DeprecationWarning, match="input= is now called humidity_input="):
        former = call(input="dew_point")
    assert same_bits(former, now)
    with pytest.raises(TypeError, match="former name"):
        call(input="dew_point", humidity_input="dew_point")
