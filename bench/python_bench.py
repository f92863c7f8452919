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
    times = []
    for _ in range(repetitions):
        start = time.perf_counter()
        call()
        times.append(time.perf_counter() - start)
    return min(times)


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
        rows.append(("C++ Solve loop, 1 thread", float(out.split()[0])))

    for threads, label in ((1, "solve(arrays), 1 thread"), (None, f"solve(arrays), {cores} threads")):
        seconds = best_of(args.repetitions,
                          lambda: hygrovane.solve(t, rh, pressure=p, threads=threads))
        rows.append((label, seconds / n * 1e9))

    m = args.scalar_states
    seconds = best_of(1, lambda: [hygrovane.solve(float(t[i]), float(rh[i]), pressure=float(p[i]))
                                  for i in range(m)])
    rows.append((f"Python loop of scalar solve() ({m} states)", seconds / m * 1e9))

    print(f"{n} random states, {cores} cores, best of {args.repetitions}")
    print(f"{'':46s} {'ns/state':>10s} {'states/s':>14s}")
    for label, ns in rows:
        print(f"{label:46s} {ns:10.1f} {1e9 / ns:14,.0f}")
    by = dict(rows)
    one = by["solve(arrays), 1 thread"]
    if "C++ Solve loop, 1 thread" in by:
        loop = by["C++ Solve loop, 1 thread"]
        print(f"binding overhead per state, 1 thread: {one - loop:+.1f} ns "
              f"({(one / loop - 1) * 100:+.1f} % of the C++ loop; goal within 10 %)")
    print(f"speed-up on {cores} threads: {one / by[f'solve(arrays), {cores} threads']:.2f}x "
          f"(goal at least 1.8x on two cores)")


if __name__ == "__main__":
    main()
