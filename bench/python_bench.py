#!/usr/bin/env python3
"""Time per state of hygrovane.solve over a million random states, side by side in one run:
the C++ Solve loop (bench/solve_loop.cpp), the array call on one thread and on every core, and a
Python loop of scalar calls. Random states as the core's benchmarks take them: dry bulb -40 to
50 degC, relative humidity 5 to 100 %, pressure 80 to 101.325 kPa.

    python3 bench/python_bench.py --solve-loop build-release/bench/solve_loop
"""

import argparse
import os
import subprocess
import tempfile
import time

import numpy as np

import hygrovane


def best_of(repetitions, call):
    """The best wall time and the best processor time (all threads) of the calls, in s."""
    wall, cpu = [], []
    for _ in range(repetitions):
        start, cpu_start = time.perf_counter(), time.process_time()
        call()
        wall.append(time.perf_counter() - start)
        cpu.append(time.process_time() - cpu_start)
    return min(wall), min(cpu)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--states", type=int, default=1_000_000)
    parser.add_argument("--scalar-states", type=int, default=20_000)
    parser.add_argument("--repetitions", type=int, default=3)
    parser.add_argument("--solve-loop", help="the solve_loop program (C++ Solve loop)")
    args = parser.parse_args()

    rng = np.random.default_rng(2026)
    n = args.states
    t = rng.uniform(233.15, 323.15, n)
    rh = rng.uniform(0.05, 1.0, n)
    p = rng.uniform(80000.0, 101325.0, n)
    cores = hygrovane._core.hardware_threads()

    rows = []
    if args.solve_loop:
        with tempfile.NamedTemporaryFile(suffix=".bin", delete=False) as f:
            f.write(np.concatenate([t, rh, p]).tobytes())
        try:
            out = subprocess.run([args.solve_loop, f.name, str(args.repetitions)],
                                 capture_output=True, text=True, check=True).stdout
        finally:
            os.unlink(f.name)
        wall, cpu, kept_wall, kept_cpu = (float(x) for x in out.split()[:4])
        rows.append(("C++ Solve loop, 1 thread", wall, cpu))
        rows.append(("C++ Solve loop keeping every state, 1 thread", kept_wall, kept_cpu))

    for threads, label in ((1, "solve(arrays), 1 thread"), (None, f"solve(arrays), {cores} threads")):
        wall, cpu = best_of(args.repetitions,
                            lambda: hygrovane.solve(t, rh, pressure=p, threads=threads))
        rows.append((label, wall / n * 1e9, cpu / n * 1e9))

    earlier = hygrovane.solve(t, rh, pressure=p, threads=1)
    wall, cpu = best_of(args.repetitions,
                        lambda: hygrovane.solve(t, rh, pressure=p, threads=1, out=earlier))
    rows.append(("solve(arrays, out=earlier result), 1 thread", wall / n * 1e9, cpu / n * 1e9))
    wall, cpu = best_of(args.repetitions,
                        lambda: hygrovane.solve(t, rh, pressure=p, threads=None, out=earlier))
    rows.append((f"solve(arrays, out=earlier result), {cores} threads", wall / n * 1e9,
                 cpu / n * 1e9))
    del earlier

    few = ["humidity_ratio", "dew_point", "wet_bulb", "enthalpy", "specific_volume", "density"]
    wall, cpu = best_of(args.repetitions, lambda: hygrovane.solve(t, rh, pressure=p, threads=1,
                                                                  quantities=few))
    rows.append((f"solve(arrays, {len(few)} quantities), 1 thread", wall / n * 1e9, cpu / n * 1e9))

    m = args.scalar_states
    wall, cpu = best_of(1, lambda: [hygrovane.solve(float(t[i]), float(rh[i]), pressure=float(p[i]))
                                    for i in range(m)])
    rows.append((f"Python loop of scalar solve() ({m} states)", wall / m * 1e9, cpu / m * 1e9))

    print(f"{n} random states, {cores} cores, best of {args.repetitions}")
    # Processor time is what other programs on a busy machine do not inflate; wall time is what
    # the threads gain.
    print(f"{'':46s} {'wall ns/state':>14s} {'states/s':>12s} {'cpu ns/state':>13s}")
    for label, wall, cpu in rows:
        print(f"{label:46s} {wall:14.1f} {1e9 / wall:12,.0f} {cpu:13.1f}")
    by = {label: (wall, cpu) for label, wall, cpu in rows}
    one = by["solve(arrays), 1 thread"]
    reused = by["solve(arrays, out=earlier result), 1 thread"]
    if "C++ Solve loop, 1 thread" in by:
        # The array call keeps every state, as the second loop does; the first keeps only a sum.
        for name, loop in (
                ("keeping every state", by["C++ Solve loop keeping every state, 1 thread"]),
                ("keeping a sum", by["C++ Solve loop, 1 thread"])):
            print(f"binding overhead per state, 1 thread, against the C++ loop {name}: "
                  f"{one[1] - loop[1]:+.1f} ns of processor time "
                  f"({(one[1] / loop[1] - 1) * 100:+.1f} %), {one[0] - loop[0]:+.1f} ns of wall "
                  f"time ({(one[0] / loop[0] - 1) * 100:+.1f} %); with out=: "
                  f"{(reused[1] / loop[1] - 1) * 100:+.1f} % of processor time")
    # On a loaded machine the wall time measures the queue for the processor; processor time
    # per state that does not grow with the threads says they scale.
    many = by[f"solve(arrays, out=earlier result), {cores} threads"]
    print(f"processor time per state on {cores} threads / 1 thread (out=): "
          f"{many[1] / reused[1]:.3f} (1.000: nothing lost to the split)")
    print(f"speed-up on {cores} threads (wall): "
          f"{one[0] / by[f'solve(arrays), {cores} threads'][0]:.2f}x (goal at least 1.8x on two "
          f"cores)")


if __name__ == "__main__":
    main()
