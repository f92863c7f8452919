#!/usr/bin/env python3
"""The spread of an air-handling unit's annual cooling energy over synthetic weather years, with
Dask: each year is a shared weather file with its dry bulb shifted and its relative humidity
scaled by seeded random amounts, run through three unit options (no recovery, a plate
exchanger, an enthalpy wheel) on the workers of a LocalCluster.

    python3 unit_years.py                          # 200 years x 3 options
    python3 unit_years.py --years 20 --workers 2   # a quick run
    python3 unit_years.py --scheduler tcp://host:8786

The perturbed year never touches the disk: its EPW text is parsed by climate.parse_weather on
the worker. Writes unit_years.png (matplotlib) or, without matplotlib, unit_years.csv.
Every worker needs hygrovane installed (the python3-hygrovane package, or PYTHONPATH).
"""

import argparse
import csv
import glob
import os
import statistics
import time

import numpy as np

from hygrovane import climate



def default_weather():
    """The shared weather files beside the source tree (../shared/data/weather; a worktree one
    level deeper looks one level up again), or under $HYGROVANE_SHARED_DATA."""
    if os.environ.get("HYGROVANE_SHARED_DATA"):
        return os.path.join(os.environ["HYGROVANE_SHARED_DATA"], "weather")
    source = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
    for up in (("..",), ("..", "..")):
        folder = os.path.normpath(os.path.join(source, *up, "shared", "data", "weather"))
        if os.path.isdir(folder):
            return folder
    return os.path.normpath(os.path.join(source, "..", "shared", "data", "weather"))


_BASE = {"room": {"dryBulb": 24, "relativeHumidity": 50},
         "supply": {"dryBulb": 13, "maxDewPoint": 11, "minDewPoint": 2},
         "flow": {"value": 10000, "unit": "m3/h"}, "minOutdoorFraction": 1,
         "economizer": {"kind": "none"}}
OPTIONS = {"no recovery": {**_BASE, "recovery": None},
           "plate": {**_BASE, "recovery": {"sensible": 0.7, "latent": 0}},
           "wheel": {**_BASE, "recovery": {"sensible": 0.75, "latent": 0.6}}}

# EPW data fields: dry bulb (degC) and relative humidity (%), with the file's missing codes.
DRY_BULB, RELATIVE_HUMIDITY = 6, 8
MISSING_DRY_BULB, MISSING_HUMIDITY = 99.9, 999.0
HEADER_LINES = 8


def perturbed(text, seed, index):
    """The EPW text of synthetic year `index`: every hour's dry bulb shifted by one amount
    (normal, 1.5 K) and its relative humidity scaled by another (normal about 1, 0.1, the
    result kept within 0-100 %); missing values stay missing. The same for the same seed."""
    rng = np.random.default_rng([seed, index])
    shift, scale = rng.normal(0.0, 1.5), max(rng.normal(1.0, 0.1), 0.5)
    lines = text.splitlines()
    out = lines[:HEADER_LINES]
    for line in lines[HEADER_LINES:]:
        fields = line.split(",")
        if len(fields) > RELATIVE_HUMIDITY:
            t, rh = float(fields[DRY_BULB]), float(fields[RELATIVE_HUMIDITY])
            if t != MISSING_DRY_BULB:
                fields[DRY_BULB] = f"{t + shift:.2f}"
            if rh != MISSING_HUMIDITY:
                fields[RELATIVE_HUMIDITY] = f"{min(max(rh * scale, 0.0), 100.0):.2f}"
        out.append(",".join(fields))
    return "\n".join(out) + "\n"


def run_year(path, seed, index):
    """One synthetic year of `path` through every option: (station, index, {option: kWh}).
    One thread: Dask runs one task per worker thread already."""
    with open(path, encoding="latin-1") as f:
        weather = climate.parse_weather(perturbed(f.read(), seed, index))
    cooling = {name: climate.run_unit(weather, unit, threads=1).year["cooling_kwh"]
               for name, unit in OPTIONS.items()}
    return os.path.basename(path), index, cooling


def tasks(files, years):
    """The (file, year) pairs: `years` synthetic years, dealt over the files in turn."""
    return [(files[i % len(files)], i) for i in range(years)]


def run_serial(files, years, seed=2026):
    return [run_year(path, seed, index) for path, index in tasks(files, years)]


def run_dask(client, files, years, seed=2026):
    pairs = tasks(files, years)
    futures = client.map(run_year, [p for p, _ in pairs], [seed] * len(pairs),
                         [i for _, i in pairs], pure=False)
    return client.gather(futures)


def spread(results):
    """Per station and option: the years' annual cooling energies (kWh), sorted."""
    table = {}
    for station, _, cooling in results:
        for option, kwh in cooling.items():
            table.setdefault((station, option), []).append(kwh)
    return {key: sorted(values) for key, values in sorted(table.items())}


def write_csv(results, path):
    with open(path, "w", newline="", encoding="utf-8") as f:
        writer = csv.writer(f)
        writer.writerow(["station", "year", *(f"{o} cooling kWh" for o in OPTIONS)])
        for station, index, cooling in results:
            writer.writerow([station, index, *(repr(cooling[o]) for o in OPTIONS)])


def plot(table, path):
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    fig, ax = plt.subplots(figsize=(8, 4.5))
    labels = [f"{station.removesuffix('.epw')}\n{option}" for station, option in table]
    ax.boxplot(list(table.values()), labels=labels)
    ax.set_ylabel("annual cooling energy (kWh)")
    ax.set_title("Cooling energy over synthetic weather years")
    fig.tight_layout()
    fig.savefig(path, dpi=120)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--years", type=int, default=200, help="synthetic years (default 200)")
    parser.add_argument("--weather", default=default_weather(), help="a folder of .epw files")
    parser.add_argument("--seed", type=int, default=2026)
    parser.add_argument("--scheduler", help="a running scheduler's address, e.g. tcp://h:8786")
    parser.add_argument("--workers", type=int, default=2, help="LocalCluster worker processes")
    parser.add_argument("--output", default="unit_years", help="the file name without suffix")
    args = parser.parse_args(argv)
    files = sorted(glob.glob(os.path.join(args.weather, "*.epw")))
    if not files:
        parser.error(f"no .epw file in {args.weather}")

    from dask.distributed import Client, LocalCluster

    if args.scheduler:
        client = Client(args.scheduler)
    else:
        client = Client(LocalCluster(n_workers=args.workers, threads_per_worker=1,
                                     processes=True, dashboard_address=None))
    with client:
        start = time.perf_counter()
        results = run_dask(client, files, args.years, args.seed)
        seconds = time.perf_counter() - start
    table = spread(results)
    for (station, option), values in table.items():
        print(f"{station:14} {option:12} median {statistics.median(values):10.0f} kWh, "
              f"{values[0]:.0f}-{values[-1]:.0f} over {len(values)} years")
    print(f"{args.years} years x {len(OPTIONS)} options in {seconds:.1f} s")
    try:
        plot(table, args.output + ".png")
        print(f"wrote {args.output}.png")
    except ImportError:
        write_csv(results, args.output + ".csv")
        print(f"matplotlib is not installed: wrote {args.output}.csv")
    return results


if __name__ == "__main__":
    main()
