"""solve() over arrays gives, element for element and bit for bit, what a scalar call and the
C++ core's Solve give: every humidity input, both formulations, by pressure and by altitude."""

import itertools

import numpy as np
import pytest
from conftest import STATE_FIELDS, same_bits

import hygrovane

FORMULATIONS = hygrovane.FORMULATIONS
AMBIENTS = ("pressure", "altitude")


def grid(input_name, formulation, ambient, n=60, seed=21):
    """Random states given in input_name's terms, with a tenth pushed beyond their limits."""
    rng = np.random.default_rng(seed)
    dry_bulb = rng.uniform(233.15, 323.15, n)
    if ambient == "pressure":
        level = {"pressure": rng.uniform(80000, 101325, n)}
    else:
        level = {"altitude": rng.uniform(-400, 4000, n)}
    seed_state = hygrovane.solve(dry_bulb, rng.uniform(0.05, 1.0, n), "relative_humidity",
                                 formulation=formulation, **level)
    humidity = np.array(getattr(seed_state, input_name))
    beyond = rng.random(n) < 0.1
    humidity[beyond] *= 1.5
    return dry_bulb, humidity, level


CASES = list(itertools.product(hygrovane.HUMIDITY_INPUTS, FORMULATIONS, AMBIENTS))


@pytest.mark.parametrize("input_name,formulation,ambient", CASES)
def test_array_equals_core_bit_for_bit(reference, input_name, formulation, ambient):
    dry_bulb, humidity, level = grid(input_name, formulation, ambient)
    state = hygrovane.solve(dry_bulb, humidity, input_name, formulation=formulation, **level)
    (name, values), = level.items()
    rows = [(t, h, hygrovane.HUMIDITY_INPUTS.index(input_name), int(name == "altitude"), p,
             FORMULATIONS[formulation]) for t, h, p in zip(dry_bulb, humidity, values)]
    answers = reference.solve(rows)
    for i, answer in enumerate(answers):
        if isinstance(answer, str):
            assert state.status[i] != 0, f"element {i}: the core refused: {answer}"
            assert state.message(i) == answer
            assert all(np.isnan(getattr(state, f)[i]) for f in STATE_FIELDS)
        else:
            assert state.status[i] == 0, f"element {i}: {state.message(i)}"
            got = [getattr(state, f)[i] for f in STATE_FIELDS]
            # The dry bulb comes back as given; the core holds it in 32 bits.
            answer = [dry_bulb[i], *answer[1:]]
            mismatched = [f for f, g, c in zip(STATE_FIELDS, got, answer) if not same_bits(g, c)]
            assert not mismatched, f"element {i} differs from the core in {mismatched}"
    assert (state.status != 0).any() and (state.status == 0).any(), "the grid covers both"


@pytest.mark.parametrize("input_name,formulation,ambient", CASES[::5])
def test_array_equals_scalar_loop(input_name, formulation, ambient):
    dry_bulb, humidity, level = grid(input_name, formulation, ambient, n=25, seed=7)
    state = hygrovane.solve(dry_bulb, humidity, input_name, formulation=formulation, **level)
    (name, values), = level.items()
    for i in range(len(dry_bulb)):
        one = hygrovane.solve(float(dry_bulb[i]), float(humidity[i]), input_name,
                              formulation=formulation, errors="nan", **{name: float(values[i])})
        assert one.status == state.status[i]
        assert one.message() == state.message(i)
        for field in state.keys():
            assert same_bits(getattr(one, field), getattr(state, field)[i]), (i, field)


def test_limits_of_every_input_bound_the_state():
    state = hygrovane.solve(np.linspace(250, 320, 8), 0.6, pressure=90000.0)
    for name in hygrovane.HUMIDITY_INPUTS:
        value = getattr(state, name)
        assert np.all(getattr(state, name + "_minimum") <= value), name
        assert np.all(value <= getattr(state, name + "_maximum")), name
    assert np.array_equal(state.relative_humidity_maximum, np.ones(8))
