#!/usr/bin/env python3
"""A year of hourly weather (an EnergyPlus .epw file or a logger CSV) with its psychrometric
columns added by pandas and hygrovane, in one call for all 8760 hours.

    python3 weather_year.py chicago.epw --out chicago-psychrometrics.csv
    python3 weather_year.py logger.csv --dry-bulb "T (C)" --humidity "RH (%)"

An .epw file gives the dry bulb, the dew point (degC) and the station pressure (Pa); a CSV the
named dry-bulb (degC) and relative-humidity (%) columns, at --pressure (Pa).
"""

import argparse

import pandas as pd

import hygrovane
from hygrovane import units

# The columns of an .epw data row that are read (EnergyPlus weather file format).
EPW_COLUMNS = {0: "year", 1: "month", 2: "day", 3: "hour", 6: "dry_bulb_C", 7: "dew_point_C",
               9: "pressure_Pa"}


def read_epw(path, rows=None):
    """The hourly rows of an .epw file (eight header lines, then comma-separated data)."""
    frame = pd.read_csv(path, skiprows=8, header=None, usecols=list(EPW_COLUMNS), nrows=rows)
    return frame.rename(columns=EPW_COLUMNS)


def add_psychrometrics(frame, dry_bulb_C, humidity, humidity_input, pressure):
    """The frame with the state of its air: humidity ratio, relative humidity, wet bulb,
    enthalpy, specific volume and density, in the units a reader expects. Temperatures in
    degC, a dew point or wet bulb given as humidity too."""
    state = hygrovane.solve(frame[dry_bulb_C].to_numpy(), humidity, humidity_input,
                            pressure=pressure, temperature_unit="C")
    out = frame.copy()
    out["humidity_ratio_g_kg"] = units.convert(state.humidity_ratio, "(kg moisture)/(kg dry air)",
                                               "(g moisture)/(kg dry air)")
    out["relative_humidity_pct"] = units.from_internal(state.relative_humidity, "%",
                                                       "relative_humidity")
    out["wet_bulb_C"] = state.wet_bulb
    out["enthalpy_kJ_kg"] = state.enthalpy
    out["specific_volume_m3_kg"] = state.specific_volume
    out["density_kg_m3"] = state.density
    out["status"] = state.status
    return out


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("path", nargs="?", default="/work/shared/data/weather/chicago.epw")
    parser.add_argument("--rows", type=int, help="read only the first rows (a quick run)")
    parser.add_argument("--dry-bulb", default="dry_bulb_C", help="CSV: dry-bulb column, degC")
    parser.add_argument("--humidity", default="relative_humidity_pct",
                        help="CSV: relative-humidity column, %%")
    parser.add_argument("--pressure", type=float, default=101325.0, help="CSV: pressure, Pa")
    parser.add_argument("--out", help="write the table here as CSV")
    args = parser.parse_args(argv)

    if args.path.endswith(".epw"):
        frame = read_epw(args.path, args.rows)
        table = add_psychrometrics(frame, "dry_bulb_C", frame["dew_point_C"].to_numpy(),
                                   "dew_point", frame["pressure_Pa"].to_numpy())
    else:
        frame = pd.read_csv(args.path, nrows=args.rows)
        table = add_psychrometrics(frame, args.dry_bulb,
                                   units.to_internal(frame[args.humidity].to_numpy(), "%"),
                                   "relative_humidity", args.pressure)
    if args.out:
        table.to_csv(args.out, index=False)
    failed = int((table["status"] != 0).sum())
    print(table.describe().loc[["mean", "min", "max"]].T.round(3).to_string())
    print(f"{len(table)} hours, {failed} without a state")
    return table


if __name__ == "__main__":
    main()
