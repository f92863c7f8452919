"""The work split over threads gives the same bits whatever the number of threads."""

import os
import signal
import subprocess
import sys
import time

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


# A child interpreter that runs `call` under a limit on threads, so that a thread that cannot
# start is met; it prints the bits of its results.
LIMITED = r"""
import os, resource, sys
import numpy as np
import hygrovane
from hygrovane import comfort
rng = np.random.default_rng(11)
n = 200_000
t = rng.uniform(253.15, 313.15, n); rh = rng.uniform(0.1, 0.9, n)
calls = {
    "solve": lambda threads, out=None: hygrovane.solve(t, rh, threads=threads, out=out,
                                                       quantities=["enthalpy"]).enthalpy,
    "comfort.pmv": lambda threads, out=None: comfort.pmv(t - 273.15, t - 273.15, 0.1, rh * 100,
                                                         1.2, 0.5, threads=threads).pmv,
    "process": lambda threads, out=None: hygrovane.process(
        "sensible-to-dry-bulb", t, rh, leaving_dry_bulb=t + 3.0, threads=threads).total,
}
call, limit = sys.argv[1], sys.argv[2]
one = calls[call](1)
out = hygrovane.solve(t, rh, quantities=["enthalpy"]) if call == "solve" else None
if limit == "processes":
    if os.geteuid() == 0:  # the process limit binds no root: run as nobody
        os.setgid(65534); os.setuid(65534)
    resource.setrlimit(resource.RLIMIT_NPROC, (1, 1))
else:  # an address space with no room for a thread's stack (out= needs no new memory)
    with open("/proc/self/status") as status:
        size = next(int(l.split()[1]) * 1024 for l in status if l.startswith("VmSize"))
    resource.setrlimit(resource.RLIMIT_AS, (size + (4 << 20), resource.RLIM_INFINITY))
many = calls[call](32, out)
print(np.array_equal(one.view(np.uint64), np.asarray(many).view(np.uint64)))
"""


@pytest.mark.parametrize("call,limit", [
    ("solve", "processes"), ("comfort.pmv", "processes"), ("process", "processes"),
    ("solve", "address space"),
])
def test_threads_that_cannot_start_leave_fewer_threads_and_the_same_bits(call, limit):
    done = subprocess.run([sys.executable, "-c", LIMITED, call, limit], capture_output=True,
                          text=True, timeout=120)
    assert done.returncode == 0, f"exit {done.returncode}: {done.stderr[-400:]}"
    assert done.stdout.strip() == "True"


@pytest.mark.parametrize("n,wanted,expected", [
    (2_000_000, 10**6, "cpus"),  # never more than the CPUs the process may use
    (2_000_000, 0, "cpus"),  # None: every one of them
    (2_000_000, 1, 1),
    (4095, 32, 1),  # a thread costs more than it saves below 2048 elements each
])
def test_threads_are_capped_at_the_cpus_the_process_may_use(n, wanted, expected):
    cpus = len(os.sched_getaffinity(0))
    want = min(cpus, max(1, n // 2048)) if expected == "cpus" else expected
    assert hygrovane._core.threads_for(n, wanted) == want
    assert hygrovane._core.hardware_threads() == cpus
    # A process bound to one CPU runs on one thread, whatever it asks.
    one = subprocess.run([sys.executable, "-c",
                          "import os, hygrovane; os.sched_setaffinity(0, {min(os.sched_getaffinity(0))});"
                          f"print(hygrovane._core.threads_for({n}, {wanted}))"],
                         capture_output=True, text=True, timeout=60)
    assert one.stdout.strip() == "1", one.stderr[-300:]


@pytest.mark.parametrize("threads", [2**32, 2**64, np.uint64(2**63)])
def test_any_large_thread_count_runs_on_the_cpus(threads):
    t = np.full(5000, 293.15)
    assert np.array_equal(hygrovane.solve(t, 0.5, threads=threads).enthalpy,
                          hygrovane.solve(t, 0.5, threads=1).enthalpy)


# A child that starts a long call and reports how it ended after Ctrl-C.
INTERRUPTED = r"""
import sys, time
import numpy as np
import hygrovane
from hygrovane import comfort
n = int(sys.argv[2])
t = np.linspace(253.15, 313.15, n)
out = None
if sys.argv[1] == "solve into out":
    out = hygrovane.solve(t, 0.5, quantities=["enthalpy"])
calls = {
    "solve": lambda: hygrovane.solve(t, 0.5, quantities=["enthalpy"]),
    "solve into out": lambda: hygrovane.solve(t, 0.5, quantities=["enthalpy"], out=out,
                                              threads=1),
    "comfort.set": lambda: comfort.standard_effective_temperature(
        t - 273.15, t - 273.15, 0.1, 50.0, 1.2, 0.5),
    "process": lambda: hygrovane.process("sensible-to-dry-bulb", t, 0.5, leaving_dry_bulb=t + 3),
}
print("started", flush=True)
try:
    calls[sys.argv[1]]()
    print("finished", flush=True)
except KeyboardInterrupt:
    stopped = time.monotonic()
    if out is not None:
        status = np.asarray(out.status)
        whole = bool(np.all(status == hygrovane.Status.INTERRUPTED) and np.all(np.isnan(out.enthalpy)))
        print("out", whole, out.message(0) or "", flush=True)
    print("interrupted", stopped, flush=True)
"""


@pytest.mark.parametrize("call,n", [
    ("solve", 10_000_000), ("solve into out", 2_000_000), ("comfort.set", 3_000_000),
    ("process", 10_000_000),
])
def test_ctrl_c_stops_a_long_call_within_a_second(call, n):
    child = subprocess.Popen([sys.executable, "-c", INTERRUPTED, call, str(n)],
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    try:
        assert child.stdout.readline().strip() == "started", child.stderr.read()[-400:]
        time.sleep(0.3)
        sent = time.monotonic()
        child.send_signal(signal.SIGINT)
        lines = child.communicate(timeout=60)[0].split("\n")
    finally:
        child.kill()
    ended = [line for line in lines if line.startswith("interrupted")]
    assert ended, f"the call was not interrupted: {lines}"
    assert float(ended[0].split()[1]) - sent < 1.0
    if call == "solve into out":
        assert "out True The call was interrupted before this element was computed." in lines


def test_a_call_from_another_python_thread_gives_the_same_bits(arguments):
    # Off the main thread no signal is looked for, and the call is not slowed by asking.
    import threading

    t, rh, p = arguments
    got = {}
    worker = threading.Thread(target=lambda: got.update(
        state=hygrovane.solve(t, rh, pressure=p, threads=2)))
    worker.start()
    worker.join()
    here = hygrovane.solve(t, rh, pressure=p, threads=1)
    assert same_bits(got["state"].enthalpy, here.enthalpy)
