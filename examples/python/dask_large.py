#!/usr/bin/env python3
"""The full state of moist air for more rows than fit in memory, with Dask: 100 million
synthetic hourly rows by default, made partition by partition on the workers, each partition
solved in one hygrovane call, and only the summary brought back.

    python3 dask_large.py                          # a LocalCluster on this machine
    python3 dask_large.py --scheduler tcp://host:8786   # the same code on a real cluster
    python3 dask_large.py --rows 200000 --partitions 4  # a quick run

Every worker needs hygrovane installed (the python3-hygrovane package, or PYTHONPATH).
"""

import argparse
import time

import dask.dataframe as dd
import numpy as np
import pandas as pd

import hygrovane

HOURS_PER_YEAR = 8760


def make_partition(index, rows, seed=2026):
    """Synthetic logger rows: a yearly and daily swing of dry bulb (K), a relative humidity
    (fraction) and a barometric pressure (Pa), the same for the same index and seed."""
    rng = np.random.default_rng([seed, index])
    hour = np.arange(index * rows, (index + 1) * rows, dtype=np.int64)
    season = np.cos(2 * np.pi * (hour % HOURS_PER_YEAR) / HOURS_PER_YEAR)
    day = np.cos(2 * np.pi * (hour % 24) / 24)
    return pd.DataFrame({
        "hour": hour,
        "dry_bulb": 283.15 - 12 * season - 4 * day + rng.normal(0, 2, rows),
        "relative_humidity": np.clip(rng.normal(0.65, 0.15, rows), 0.05, 1.0),
        "pressure": rng.normal(100500, 900, rows),
    })


COLUMNS = ["humidity_ratio", "dew_point", "wet_bulb", "enthalpy", "specific_volume", "density"]


def add_state(frame, threads=1):
    """The frame with the state's columns (internal units) and the status. One thread per
    task: Dask runs one task per worker thread already."""
    state = hygrovane.solve(frame["dry_bulb"].to_numpy(), frame["relative_humidity"].to_numpy(),
                            "relative_humidity", pressure=frame["pressure"].to_numpy(),
                            threads=threads, quantities=COLUMNS)
    out = frame.copy()
    for name in COLUMNS:
        out[name] = getattr(state, name)
    out["status"] = state.status
    return out


def build(rows, partitions, seed=2026):
    """The whole table as a lazy Dask DataFrame: nothing is made until it is computed."""
    per_partition = rows // partitions
    meta = add_state(make_partition(0, 1, seed)).iloc[:0]
    frames = dd.from_map(make_partition, range(partitions), rows=per_partition, seed=seed,
                         meta=make_partition(0, 1, seed).iloc[:0])
    return frames.map_partitions(add_state, meta=meta)


def summary(table):
    """Per month of the year: mean enthalpy (kJ/kg), highest dew point (K), the rows without
    a state."""
    month = (table["hour"] % HOURS_PER_YEAR) // 730
    return table.assign(month=month, failed=table["status"] != 0).groupby("month").agg(
        {"enthalpy": "mean", "dew_point": "max", "failed": "sum"})


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rows", type=int, default=100_000_000)
    parser.add_argument("--partitions", type=int, default=1000)
    parser.add_argument("--scheduler", help="a running scheduler's address, e.g. tcp://h:8786")
    parser.add_argument("--workers", type=int, default=2, help="LocalCluster worker processes")
    args = parser.parse_args(argv)

    from dask.distributed import Client, LocalCluster

    if args.scheduler:
        client = Client(args.scheduler)
    else:
        client = Client(LocalCluster(n_workers=args.workers, threads_per_worker=1,
                                     processes=True))
    with client:
        start = time.perf_counter()
        result = summary(build(args.rows, args.partitions)).compute()
        seconds = time.perf_counter() - start
    print(result.to_string())
    print(f"{args.rows} rows in {seconds:.1f} s: {args.rows / seconds:,.0f} states per second")
    return result


if __name__ == "__main__":
    main()
