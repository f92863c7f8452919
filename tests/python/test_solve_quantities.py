"""solve(quantities=[...]) computes only the columns asked (an input's limits are skipped unless
one of them is asked), and every column it gives is the full solve's, bit for bit."""

import numpy as np
import pytest

import hygrovane

PSYCHROLIB_FIVE = ["humidity_ratio", "dew_point", "wet_bulb", "enthalpy", "specific_volume"]
SUBSETS = {
    "PsychroLib's five": PSYCHROLIB_FIVE,
    "one column": ["wet_bulb"],
    "one limit of one input": ["dew_point_maximum"],
    "the other limit of another": ["wet_bulb_minimum", "relative_humidity"],
    "both limits of the last input": ["mass_fraction_minimum", "mass_fraction_maximum"],
    "every limit, no state": [n for n in hygrovane.State._names if n.endswith(("_minimum",
                                                                              "_maximum"))],
    "state and saturation": ["dry_bulb", "saturation_pressure", "dry_air_wet_bulb", "density"],
}

# Every humidity input, a spread of states, and elements the core refuses (too humid, too
# hot), so that NaN rows and statuses are compared too.
rng = np.random.default_rng(29)
N = 2000
DRY_BULB = np.concatenate([rng.uniform(233.15, 373.15, N - 2), [300.0, 700.0]])
RH = np.concatenate([rng.uniform(0.0, 1.0, N - 2), [1.5, 0.5]])
PRESSURE = rng.uniform(60000.0, 110000.0, N)


def bits(array):
    return np.ascontiguousarray(array, dtype=np.float64).view(np.int64)


@pytest.fixture(scope="module", params=["IAPWS", "HylandWexler"])
def full(request):
    state = hygrovane.solve(DRY_BULB, RH, "relative_humidity", pressure=PRESSURE,
                            formulation=request.param)
    return request.param, state


@pytest.mark.parametrize("subset", sorted(SUBSETS))
def test_asked_columns_are_the_full_solves_bit_for_bit(full, subset):
    formulation, state = full
    names = SUBSETS[subset]
    narrow = hygrovane.solve(DRY_BULB, RH, "relative_humidity", pressure=PRESSURE,
                             formulation=formulation, quantities=names, threads=2)
    assert tuple(narrow._names) == tuple(n for n in hygrovane.State._names if n in names)
    for name in names:
        assert np.array_equal(bits(getattr(narrow, name)), bits(getattr(state, name))), name
    for name in set(hygrovane.State._names) - set(names):
        assert not hasattr(narrow, name), f"{name} was not asked for"
    assert np.array_equal(narrow.status, state.status)
    assert narrow._message_at(N - 1) == state._message_at(N - 1)


@pytest.mark.parametrize("given", hygrovane.HUMIDITY_INPUTS)
def test_every_humidity_input_gives_the_full_solves_five(given):
    # The value of `given` at the reference states, fed back in as the input.
    reference = hygrovane.solve(DRY_BULB[:-2], RH[:-2], pressure=PRESSURE[:-2])
    value = getattr(reference, given)
    keep = np.isfinite(value)
    args = (DRY_BULB[:-2][keep], value[keep], given)
    state = hygrovane.solve(*args, pressure=PRESSURE[:-2][keep])
    narrow = hygrovane.solve(*args, pressure=PRESSURE[:-2][keep],
                             quantities=PSYCHROLIB_FIVE + [f"{given}_maximum"])
    for name in PSYCHROLIB_FIVE + [f"{given}_maximum"]:
        assert np.array_equal(bits(getattr(narrow, name)), bits(getattr(state, name))), name


def test_the_default_is_every_quantity():
    default = hygrovane.solve(DRY_BULB, RH, pressure=PRESSURE)
    listed = hygrovane.solve(DRY_BULB, RH, pressure=PRESSURE,
                             quantities=list(hygrovane.State._names))
    assert tuple(default._names) == tuple(hygrovane.State._names) == tuple(listed._names)
    for name in hygrovane.State._names:
        assert np.array_equal(bits(getattr(default, name)), bits(getattr(listed, name))), name


@pytest.mark.parametrize("quantities, named", [
    (["enthalpy", "enthalpie"], "enthalpie"),
    ("dewpoint", "dewpoint"),
    (["Humidity_Ratio"], "Humidity_Ratio"),
    ([], "[]"),
])
def test_unknown_names_are_refused_naming_them(quantities, named):
    with pytest.raises(ValueError, match="unknown quantities") as refused:
        hygrovane.solve(DRY_BULB, RH, quantities=quantities)
    assert named in str(refused.value) and "humidity_ratio" in str(refused.value)
