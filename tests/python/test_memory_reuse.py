"""Large result columns reuse the memory of dropped ones: a kept result is never written over, and
a result in reused memory has the same bits as one in fresh memory. What is kept stays bounded:
by size class, by the memory limit and a setting, and only while it is used."""

import gc
import os
import time

import numpy as np
import pytest
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


@pytest.fixture
def default_reuse():
    """Each test's settings go back to the module's defaults after it."""
    hygrovane.release_memory()
    settings = hygrovane.memory_reuse()
    yield
    hygrovane.memory_reuse(settings["most_bytes"], settings["idle_seconds"])
    hygrovane.release_memory()


def test_calls_of_varying_size_reuse_one_set_of_columns(default_reuse):
    # 14 calls of 300,000 to 313,000 states, each result dropped: one call's memory is kept.
    one_call = None
    for n in range(300_000, 314_000, 1000):
        t = np.full(n, 500.0)  # refused at once: the columns are the cost
        hygrovane.solve(t, 0.5)
        gc.collect()
        one_call = one_call or hygrovane._core.pooled_bytes()
        assert hygrovane._core.pooled_bytes() <= one_call * 1.3, n
    assert one_call >= 49 * 8 * 300_000


@pytest.mark.parametrize("quantities,bytes_per_state", [
    (["enthalpy"], 9),  # one double and the status: no columns for the failures
    (["enthalpy", "dew_point"], 17),
])
def test_only_the_columns_asked_for_are_allocated(default_reuse, quantities, bytes_per_state):
    n = 1_200_000  # the status column is large enough to be kept too
    hygrovane.solve(np.full(n, 500.0), 0.5, quantities=quantities)
    gc.collect()
    kept = hygrovane._core.pooled_bytes()
    assert bytes_per_state * n <= kept <= bytes_per_state * n * 1.1


def test_idle_kept_memory_goes_back_without_another_call(default_reuse):
    hygrovane.memory_reuse(idle_seconds=0.2)
    hygrovane.solve(np.full(300_000, 500.0), 0.5)
    gc.collect()
    assert hygrovane._core.pooled_bytes() > 0
    time.sleep(1.0)
    assert hygrovane._core.pooled_bytes() == 0


@pytest.mark.parametrize("most_bytes,kept", [(0, 0), (4 << 20, 4 << 20)])
def test_the_most_kept_is_a_module_setting(default_reuse, most_bytes, kept):
    hygrovane.memory_reuse(most_bytes=most_bytes)
    hygrovane.solve(np.full(300_000, 500.0), 0.5)
    gc.collect()
    assert hygrovane._core.pooled_bytes() <= kept
    with pytest.raises(ValueError):
        hygrovane.memory_reuse(most_bytes=-1)


CGROUPS = [
    # name, /proc/self/cgroup, files under the root, the limit found
    ("v2 group", "0::/worker\n", {"worker/memory.max": "2147483648\n"}, 2147483648),
    ("v2 group not visible: the root's file", "0::/hidden\n", {"memory.max": "1073741824\n"},
     1073741824),
    ("v2 unlimited", "0::/\n", {"memory.max": "max\n"}, None),
    ("v1 memory controller", "4:memory:/job\n3:cpu:/\n",
     {"memory/job/memory.limit_in_bytes": "536870912\n"}, 536870912),
    ("v1 unlimited", "4:cpu,memory:/\n",
     {"memory/memory.limit_in_bytes": "9223372036854771712\n"}, None),
    ("no memory controller", "3:cpu:/\n", {}, None),
]


@pytest.mark.parametrize("name,self_cgroup,files,limit", CGROUPS, ids=[c[0] for c in CGROUPS])
def test_the_control_groups_memory_limit_is_read(tmp_path, name, self_cgroup, files, limit):
    for path, text in files.items():
        (tmp_path / path).parent.mkdir(parents=True, exist_ok=True)
        (tmp_path / path).write_text(text)
    assert hygrovane._core.cgroup_memory_limit(str(tmp_path), self_cgroup) == limit


def test_the_default_most_kept_is_a_sixteenth_of_the_memory_limit():
    with open("/proc/self/cgroup") as f:
        limit = hygrovane._core.cgroup_memory_limit("/sys/fs/cgroup", f.read())
    physical = os.sysconf("SC_PHYS_PAGES") * os.sysconf("SC_PAGE_SIZE")
    expected = min(1 << 30, physical // 16, (limit or physical) // 16)
    assert hygrovane._core.default_pool_bytes() == expected
