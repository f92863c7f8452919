#!/usr/bin/env python3
"""What solve(quantities=...) saves: the median time per state of PsychroLib's five quantities
(humidity ratio, dew point, wet bulb, enthalpy, specific volume) against every quantity, from
dry bulb, relative humidity and pressure, on one thread and on every core; and, side by side in
the same run, the same five by a numba-compiled array loop of the ASHRAE Fundamentals ch. 1
relations (when numba is installed: Debian's python3-numba) -- the way PsychroLib's array path
computes them: saturation pressure by eq. 5/6, the dew point by Newton's method on ln p_ws and
the wet bulb by bisection, both to 0.001 K.

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


def ashrae_five_loop():
    """The five by the ASHRAE relations, compiled by numba; None without numba."""
    try:
        import numba
    except ImportError:
        return None

    @numba.njit(cache=False)
    def ln_pws(t):  # ln of the saturation pressure (Pa) at t degC, ASHRAE 2017 ch. 1 eq. 5/6
        T = t + 273.15
        if t <= 0.01:
            return (-5.6745359e3 / T + 6.3925247 - 9.677843e-3 * T + 6.2215701e-7 * T * T
                    + 2.0747825e-9 * T ** 3 - 9.484024e-13 * T ** 4 + 4.1635019 * np.log(T))
        return (-5.8002206e3 / T + 1.3914993 - 4.8640239e-2 * T + 4.1764768e-5 * T * T
                - 1.4452093e-8 * T ** 3 + 6.5459673 * np.log(T))

    @numba.njit(cache=False)
    def d_ln_pws(t):  # its derivative with respect to t, 1/K
        T = t + 273.15
        if t <= 0.01:
            return (5.6745359e3 / (T * T) - 9.677843e-3 + 2 * 6.2215701e-7 * T
                    + 3 * 2.0747825e-9 * T * T - 4 * 9.484024e-13 * T ** 3 + 4.1635019 / T)
        return (5.8002206e3 / (T * T) - 4.8640239e-2 + 2 * 4.1764768e-5 * T
                - 3 * 1.4452093e-8 * T * T + 6.5459673 / T)

    @numba.njit(cache=False)
    def w_from_wet_bulb(t, t_wb, p):  # eq. 33 (above freezing) and 35 (below)
        ws = 0.621945 * np.exp(ln_pws(t_wb)) / (p - np.exp(ln_pws(t_wb)))
        if t_wb >= 0:
            return ((2501.0 - 2.326 * t_wb) * ws - 1.006 * (t - t_wb)) / (
                2501.0 + 1.86 * t - 4.186 * t_wb)
        return ((2830.0 - 0.24 * t_wb) * ws - 1.006 * (t - t_wb)) / (
            2830.0 + 1.86 * t - 2.1 * t_wb)

    @numba.njit(cache=False)
    def five(t_kelvin, rh, p, w_out, dew_out, wb_out, h_out, v_out):
        for i in range(t_kelvin.shape[0]):
            t = t_kelvin[i] - 273.15
            pw = rh[i] * np.exp(ln_pws(t))
            w = 0.621945 * pw / (p[i] - pw)  # eq. 20
            ln_pw = np.log(pw)
            dew = t  # Newton's method from the dry bulb, kept within -100..200 degC
            for _ in range(100):
                step = (ln_pws(dew) - ln_pw) / d_ln_pws(dew)
                dew = min(max(dew - step, -100.0), 200.0)
                if abs(step) <= 0.001:
                    break
            low, high = dew, t  # the wet bulb lies between the dew point and the dry bulb
            while high - low > 0.001:
                mid = 0.5 * (low + high)
                if w_from_wet_bulb(t, mid, p[i]) > w:
                    high = mid
                else:
                    low = mid
            w_out[i] = w
            dew_out[i] = dew + 273.15
            wb_out[i] = 0.5 * (low + high) + 273.15
            h_out[i] = 1.006 * t + w * (2501.0 + 1.86 * t)  # eq. 32, kJ/kg
            v_out[i] = 287.042 * (t + 273.15) * (1 + 1.607858 * w) / p[i]  # eq. 26

    return five


def median_per_state_ashrae(n, repeats):
    """Median seconds per state of the numba loop, or None without numba."""
    five = ashrae_five_loop()
    if five is None:
        return None
    dry_bulb, rh, pressure = states(n)
    columns = [np.empty(n) for _ in range(5)]
    five(dry_bulb[:8], rh[:8], pressure[:8], *[c[:8] for c in columns])  # compiles
    times = []
    for _ in range(repeats):
        start = time.perf_counter()
        five(dry_bulb, rh, pressure, *columns)
        times.append(time.perf_counter() - start)
    return statistics.median(times) / n


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
    seconds = median_per_state_ashrae(args.states, args.repeats)
    if seconds is None:
        print("numba is not installed: no ASHRAE loop to compare with")
    else:
        figures[("ASHRAE loop, numba", 1)] = seconds
        print(f"{'ASHRAE five, numba':19} {'1 thread':10} {seconds * 1e9:8.0f} ns per state")
    return figures


if __name__ == "__main__":
    main()
