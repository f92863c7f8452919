#!/usr/bin/env python3
"""Moist-air quantities over a gridded field (lat/lon/time, as reanalysis data comes): the dry
bulb, dew point and surface pressure of each cell give its relative humidity, wet bulb and
enthalpy, through xarray.apply_ufunc with Dask chunks.

    python3 xarray_grid.py                        # a synthetic 1-degree grid, one month
    python3 xarray_grid.py --netcdf era5.nc       # t2m, d2m (K) and sp (Pa) from a file
    python3 xarray_grid.py --scheduler tcp://host:8786
"""

import argparse

import numpy as np
import xarray as xr

import hygrovane

OUTPUTS = ("relative_humidity", "wet_bulb", "enthalpy")


def synthetic_grid(lat=181, lon=360, hours=24 * 30, seed=1):
    """A field shaped like ERA5's t2m, d2m (K) and sp (Pa) on lat/lon/time."""
    rng = np.random.default_rng(seed)
    lats = np.linspace(90, -90, lat)
    lons = np.arange(lon) * (360.0 / lon)
    time = np.arange(hours).astype("timedelta64[h]") + np.datetime64("2024-07-01")
    shape = (hours, lat, lon)
    t2m = 300 - 45 * np.abs(np.sin(np.radians(lats)))[None, :, None] + rng.normal(0, 3, shape)
    d2m = t2m - np.abs(rng.normal(6, 4, shape))
    sp = rng.normal(98000, 3000, shape)
    coords = {"time": time, "latitude": lats, "longitude": lons}
    dims = ("time", "latitude", "longitude")
    return xr.Dataset({"t2m": (dims, t2m), "d2m": (dims, d2m), "sp": (dims, sp)}, coords=coords)


def _state(t2m, d2m, sp):
    """One chunk: the state from its dry bulb and dew point (K) and pressure (Pa); the outputs
    stacked on a last axis. Cells the core refuses are NaN."""
    state = hygrovane.solve(t2m, d2m, "dew_point", pressure=sp, threads=1, errors="nan")
    return np.stack([getattr(state, name) for name in OUTPUTS], axis=-1)


def psychrometrics(field):
    """relative_humidity (fraction), wet_bulb (K) and enthalpy (kJ/kg dry air) of every cell,
    lazily when the field is chunked."""
    stacked = xr.apply_ufunc(
        _state, field["t2m"], field["d2m"], field["sp"],
        dask="parallelized", output_dtypes=[np.float64],
        output_core_dims=[["quantity"]],
        dask_gufunc_kwargs={"output_sizes": {"quantity": len(OUTPUTS)}})
    return stacked.assign_coords(quantity=list(OUTPUTS)).to_dataset(dim="quantity")


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--netcdf", help="a file with t2m, d2m (K) and sp (Pa)")
    parser.add_argument("--lat", type=int, default=181)
    parser.add_argument("--lon", type=int, default=360)
    parser.add_argument("--hours", type=int, default=24 * 30)
    parser.add_argument("--scheduler", help="a running scheduler's address")
    parser.add_argument("--workers", type=int, default=2)
    args = parser.parse_args(argv)

    from dask.distributed import Client, LocalCluster

    if args.netcdf:
        field = xr.open_dataset(args.netcdf, chunks={"time": 24})
    else:
        field = synthetic_grid(args.lat, args.lon, args.hours).chunk({"time": 24})
    client = Client(args.scheduler) if args.scheduler else Client(
        LocalCluster(n_workers=args.workers, threads_per_worker=1, processes=True))
    with client:
        result = psychrometrics(field)
        means = result.mean(dim=("time", "longitude")).compute()
    print(means.to_dataframe().iloc[:: max(1, len(means.latitude) // 10)].to_string())
    return means


if __name__ == "__main__":
    main()
