"""Large result columns reuse the memory of dropped ones: a kept result is never written over, and
a result in reused memory has the same bits as one in fresh memory."""

import gc

import numpy as np
from conftest import same_bits

import hygrovane

N = 200_003  # 1.6 MB a column: above the size whose memory is kept


def states(seed):
    rng = np.random.default_rng(seed)
    rh = rng.uniform(0.05, 1.0, N)
    rh[::101] = 1.4  # failures write NaN and their limits in reused memory too
    return rng.uniform(233.15, 323.15, N), rh, rng.uniform(80000, 101325, N)


def copy(result):
    return {field: np.array(getattr(result, field)) for field in result.keys()} | {
        "status": np.array(result.status)}


def test_kept_results_and_views_are_never_written_over():
    hygrovane.release_memory()
    first = hygrovane.solve(*states(1)[:2], pressure=states(1)[2])
    before = copy(first)
    view = first.enthalpy[::3]
    view_before = view.copy()
    del first
    gc.collect()
    # The view holds the enthalpy column; the other columns are free to be reused.
    for seed in (2, 3):
        t, rh, p = states(seed)
        hygrovane.solve(t, rh, pressure=p, threads=2)
    assert same_bits(view, view_before)
    assert same_bits(before["enthalpy"][::3], view)


def test_reused_memory_gives_the_bits_of_fresh_memory():
    hygrovane.release_memory()
    t, rh, p = states(4)
    fresh = copy(hygrovane.solve(t, rh, pressure=p))
    gc.collect()
    assert hygrovane._core.pooled_bytes() >= len(fresh) * N
    reused = hygrovane.solve(t, rh, pressure=p, threads=2)
    assert hygrovane._core.pooled_bytes() == 0  # every kept column was taken again
    for field, values in fresh.items():
        assert same_bits(getattr(reused, field), values), field
    process = hygrovane.process("sensible-to-dry-bulb", t, np.minimum(rh, 1.0), pressure=p,
                                leaving_dry_bulb=t + 5)
    again = copy(process)
    del process
    gc.collect()
    process = hygrovane.process("sensible-to-dry-bulb", t, np.minimum(rh, 1.0), pressure=p,
                                leaving_dry_bulb=t + 5)
    for field, values in again.items():
        assert same_bits(getattr(process, field), values), field


def test_release_gives_the_kept_memory_back():
    t, rh, p = states(5)
    hygrovane.solve(t, rh, pressure=p)
    gc.collect()
    assert hygrovane._core.pooled_bytes() > 0
    hygrovane.release_memory()
    assert hygrovane._core.pooled_bytes() == 0
