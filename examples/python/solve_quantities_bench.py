#!/usr/bin/env python3
"""What solve(quantities=...) saves: the median time per state of PsychroLib's five quantities
(humidity ratio, dew point, wet bulb, enthalpy, specific volume) against every quantity, from
dry bulb, relative humidity and pressure, on one thread and on every core.

    python3 solve_quantities_bench.py                    # 200 000 states, 15 repeats
    python3 solve_quantities_bench.py --states 1000000 --repeats 5

A benchmark, not a test: the figures depend on the machine. Each call writes into the result of
the one before (out=), so the figures are the solve's, not the system's clearing of fresh pages.
"""

import argparse
import statistics
import time

import numpy as np

import hygrovane

FIVE = ["humidity_ratio", "dew_point", "wet_bulb", "enthalpy", "specific_volume"]


def states(n, seed=29):
    rng = np.random.default_rng(seed)
    return (rng.uniform(253.15, 323.15, n), rng.uniform(0.05, 1.0, n),
            rng.uniform(80000.0, 105000.0, n))


def median_per_state(n, quantities, threads, repeats):
    """Median seconds per state over `repeats` calls."""
    dry_bulb, rh, pressure = states(n)
    call = dict(pressure=pressure, quantities=quantities, threads=threads, errors="nan")
    out = hygrovane.solve(dry_bulb, rh, **call)  # warms the caches and gives the columns
    times = []
    for _ in range(repeats):
        start = time.perf_counter()
        hygrovane.solve(dry_bulb, rh, **call, out=out)
        times.append(time.perf_counter() - start)
    return statistics.median(times) / n


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--states", type=int, default=200_000)
    parser.add_argument("--repeats", type=int, default=15)
    args = parser.parse_args(argv)
    figures = {}
    for threads in (1, None):
        for label, quantities in (("the five", FIVE), ("all 49", None)):
            seconds = median_per_state(args.states, quantities, threads, args.repeats)
            figures[(label, threads)] = seconds
            print(f"{label:8} {'1 thread' if threads == 1 else 'every core':10} "
                  f"{seconds * 1e9:8.0f} ns per state")
    return figures


if __name__ == "__main__":
    main()
