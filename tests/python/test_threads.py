"""The work split over threads gives the same bits whatever the number of threads."""

import numpy as np
import pytest
from conftest import same_bits

import hygrovane


@pytest.fixture(scope="module")
def arguments():
    rng = np.random.default_rng(3)
    n = 30011  # not a multiple of any thread count, so the slices differ in length
    rh = rng.uniform(0.05, 1.0, n)
    rh[::97] = 1.3  # failures spread over every slice
    return rng.uniform(233.15, 323.15, n), rh, rng.uniform(80000, 101325, n)


@pytest.mark.parametrize("threads", [2, 3, 7, None])
def test_any_thread_count_equals_one_thread(arguments, threads):
    one = hygrovane.solve(*arguments[:2], pressure=arguments[2], threads=1)
    many = hygrovane.solve(*arguments[:2], pressure=arguments[2], threads=threads)
    for field in one.keys():
        assert same_bits(getattr(one, field), getattr(many, field)), field
    assert np.array_equal(one.status, many.status)
    failed = np.flatnonzero(one.status)
    assert [one.message(i) for i in failed[:5]] == [many.message(i) for i in failed[:5]]


def test_processes_split_the_same_way(arguments):
    t, rh, p = (a[:6000] for a in arguments)
    one = hygrovane.process("sensible-to-dry-bulb", t, np.minimum(rh, 1.0), pressure=p,
                            leaving_dry_bulb=t + 5, threads=1)
    many = hygrovane.process("sensible-to-dry-bulb", t, np.minimum(rh, 1.0), pressure=p,
                             leaving_dry_bulb=t + 5, threads=4)
    for field in one.keys():
        assert same_bits(getattr(one, field), getattr(many, field)), field


# Sizes around the 64-element blocks and cache-line granules the slices are cut at.
SIZES = [1, 63, 64, 65, 2 * 2048 + 37, 3 * 2048 + 64]


@pytest.mark.parametrize("n", SIZES)
def test_block_and_slice_edges_equal_a_scalar_loop(arguments, n):
    t, rh, p = (a[:n] for a in arguments)
    rh = rh.copy()
    rh[-1] = -0.5  # the last element of the last block fails
    every = hygrovane.solve(t, rh, pressure=p, threads=3)
    for i in sorted({0, n // 2, max(n - 2, 0), n - 1}):
        one = hygrovane.solve(float(t[i]), float(rh[i]), pressure=float(p[i]), errors="nan")
        assert every.status[i] == one.status, i
        assert every.message(i) == one.message(), i
        assert all(same_bits(every[name][i], one[name]) for name in every.keys()), i
    assert np.count_nonzero(every.status) == np.count_nonzero((rh > 1) | (rh < 0))


def test_out_reuses_the_arrays_of_an_earlier_result_and_gives_the_same_bits(arguments):
    t, rh, p = (a[:5000] for a in arguments)
    first = hygrovane.solve(t[::-1], rh[::-1], pressure=p, threads=2)
    kept = first.enthalpy
    again = hygrovane.solve(t, rh, pressure=p, out=first, threads=2)
    fresh = hygrovane.solve(t, rh, pressure=p, threads=1)
    assert again.enthalpy is not kept and np.shares_memory(again.enthalpy, kept)
    for field in fresh.keys():
        assert same_bits(getattr(again, field), getattr(fresh, field)), field
    assert np.array_equal(again.status, fresh.status)
    failed = np.flatnonzero(fresh.status)
    assert [again.message(i) for i in failed] == [fresh.message(i) for i in failed]


@pytest.mark.parametrize("out,error", [
    (lambda s: hygrovane.solve(np.zeros(3) + 293.15, 0.5), ValueError),  # another shape
    (lambda s: hygrovane.solve(s, 0.5, quantities=["enthalpy"]), ValueError),  # other columns
    (lambda s: {"enthalpy": np.zeros(4)}, TypeError),  # not a State
], ids=["another shape", "other quantities", "not a State"])
def test_out_that_does_not_fit_is_refused_and_nothing_is_written(out, error):
    t = np.full(4, 293.15)
    target = out(t)
    before = {k: np.array(v, copy=True) for k, v in getattr(target, "to_dict", lambda: target)().items()}
    with pytest.raises(error):
        hygrovane.solve(t, 0.5, out=target)
    after = getattr(target, "to_dict", lambda: target)()
    assert all(same_bits(after[k], before[k]) for k in before)
