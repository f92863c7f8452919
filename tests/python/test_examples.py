"""The examples of examples/python give, on a small dataset and spread over a LocalCluster of
two worker processes, the numbers of the serial call."""

import glob
import os
import sys

import numpy as np
import pandas as pd
import pytest

import hygrovane
from hygrovane import climate

EXAMPLES = os.path.join(os.environ.get("HYGROVANE_SOURCE_DIR",
                                       os.path.join(os.path.dirname(__file__), "..", "..")),
                        "examples", "python")
# The workers are new processes: they find hygrovane and the examples by PYTHONPATH.
os.environ["PYTHONPATH"] = os.pathsep.join(
    [EXAMPLES, os.path.dirname(os.path.dirname(hygrovane.__file__)),
     os.environ.get("PYTHONPATH", "")])
sys.path.insert(0, EXAMPLES)

import dask_large  # noqa: E402
import unit_years  # noqa: E402
import weather_year  # noqa: E402
import xarray_grid  # noqa: E402

WEATHER = "/work/shared/data/weather/chicago.epw"


@pytest.fixture(scope="module")
def client():
    from dask.distributed import Client, LocalCluster

    cluster = LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                           dashboard_address=None)
    with Client(cluster) as connected:
        assert len(connected.scheduler_info()["workers"]) == 2
        yield connected
    cluster.close()


def test_dask_table_equals_the_serial_call(client):
    table = dask_large.build(rows=6000, partitions=3).compute()
    serial = dask_large.add_state(
        pd.concat([dask_large.make_partition(i, 2000) for i in range(3)]), threads=None)
    pd.testing.assert_frame_equal(table, serial, check_exact=True)
    # The partitions were really computed on the workers.
    assert client.run(lambda: "hygrovane" in sys.modules) and len(client.run(os.getpid)) == 2


def test_dask_summary_equals_the_serial_summary(client):
    summary = dask_large.summary(dask_large.build(rows=6000, partitions=3)).compute()
    serial = dask_large.summary(dask_large.add_state(
        pd.concat([dask_large.make_partition(i, 2000) for i in range(3)])))
    pd.testing.assert_frame_equal(summary.sort_index(), serial, check_exact=False, rtol=1e-12)


def test_xarray_grid_equals_the_serial_call(client):
    field = xarray_grid.synthetic_grid(lat=7, lon=8, hours=12)
    lazy = xarray_grid.psychrometrics(field.chunk({"time": 4, "latitude": 4}))
    assert lazy["wet_bulb"].chunks is not None, "the field stays lazy until computed"
    gridded = lazy.compute()
    state = hygrovane.solve(field["t2m"].values, field["d2m"].values, "dew_point",
                            pressure=field["sp"].values, errors="nan")
    for name in xarray_grid.OUTPUTS:
        assert gridded[name].dims == ("time", "latitude", "longitude")
        np.testing.assert_array_equal(gridded[name].values, getattr(state, name))


def test_weather_year_adds_the_state_of_every_hour():
    table = weather_year.main([WEATHER, "--rows", "48"])
    assert len(table) == 48 and (table["status"] == 0).all()
    row = table.iloc[30]
    one = hygrovane.solve(row["dry_bulb_C"] + 273.15, row["dew_point_C"] + 273.15, "dew_point",
                          pressure=float(row["pressure_Pa"]))
    assert row["enthalpy_kJ_kg"] == one.enthalpy
    assert row["wet_bulb_C"] == pytest.approx(float(one.wet_bulb) - 273.15, abs=1e-12)


def test_weather_year_reads_a_logger_csv(tmp_path):
    path = tmp_path / "logger.csv"
    pd.DataFrame({"T": [20.0, 25.0, 60.0], "RH": [50.0, 40.0, 150.0]}).to_csv(path, index=False)
    table = weather_year.main([str(path), "--dry-bulb", "T", "--humidity", "RH"])
    assert list(table["status"]) == [0, 0, hygrovane.Status.HUMIDITY_OUT_OF_RANGE]
    assert np.isnan(table["enthalpy_kJ_kg"].iloc[2])


def test_comfort_year_counts_the_published_chicago_hours():
    import comfort_year

    counts = comfort_year.judge(WEATHER, met=1.1, clo=0.7)
    assert counts["hours"] == 8760 and counts["|PMV| <= 0.5"] == 803
    assert comfort_year.judge(WEATHER, met=2.4, clo=1.0)["PPD <= 10 %"] == 1661
    # Winter days lie below the adaptive model's range: refused, never counted as accepted.
    assert 0 < counts["adaptive category II"] <= counts["adaptive model applies"] < 8760


SHARED_WEATHER = os.path.join(os.environ.get("HYGROVANE_SHARED_DATA", "/work/shared/data"),
                              "weather")


def test_unit_years_on_dask_equal_the_serial_run(client):
    files = sorted(glob.glob(os.path.join(SHARED_WEATHER, "*.epw")))
    assert len(files) >= 2, "the years are dealt over every shared weather file"
    spread = unit_years.run_dask(client, files, years=3)
    serial = unit_years.run_serial(files, years=3)
    assert spread == serial  # floats compared with ==: bit for bit
    assert [(station, index) for station, index, _ in serial] == [
        (os.path.basename(files[i % len(files)]), i) for i in range(3)]
    for _, _, cooling in serial:
        assert list(cooling) == list(unit_years.OPTIONS) and all(v > 0 for v in cooling.values())


def test_unit_years_perturb_the_weather_by_seeded_amounts():
    with open(os.path.join(SHARED_WEATHER, "chicago.epw"), encoding="latin-1") as f:
        text = f.read()
    original = climate.parse_weather(text).arrays()
    rows = {}
    for name, seed, index in [("year 0", 2026, 0), ("again", 2026, 0), ("year 1", 2026, 1),
                              ("other seed", 7, 0)]:
        rows[name] = climate.parse_weather(unit_years.perturbed(text, seed, index)).arrays()
    same = {k: np.array_equal(rows["year 0"][k], rows["again"][k], equal_nan=True)
            for k in ("dry_bulb_temperature", "relative_humidity")}
    assert all(same.values()), same
    for name in ("year 1", "other seed"):
        changed = rows[name]["dry_bulb_temperature"]
        assert not np.array_equal(changed, rows["year 0"]["dry_bulb_temperature"]), name
    # One shift for the whole year, to the file's two decimals; the humidity stays within 0-100 %.
    shift = rows["year 0"]["dry_bulb_temperature"] - original["dry_bulb_temperature"]
    assert np.nanmax(shift) - np.nanmin(shift) < 0.011 and abs(np.nanmean(shift)) > 0
    rh = rows["year 0"]["relative_humidity"]
    assert np.nanmin(rh) >= 0 and np.nanmax(rh) <= 100
    # Missing values stay missing (the header and record count unchanged).
    assert len(rh) == len(original["relative_humidity"])
    assert np.array_equal(np.isnan(rh), np.isnan(original["relative_humidity"]))


def test_unit_years_write_a_csv_without_matplotlib(tmp_path):
    results = [("a.epw", 0, {o: 1000.5 + i for i, o in enumerate(unit_years.OPTIONS)})]
    unit_years.write_csv(results, tmp_path / "out.csv")
    table = pd.read_csv(tmp_path / "out.csv")
    assert list(table.columns) == ["station", "year",
                                   *(f"{o} cooling kWh" for o in unit_years.OPTIONS)]
    assert table.iloc[0, 2:].tolist() == [1000.5, 1001.5, 1002.5]


def test_unit_years_find_the_shared_weather_from_a_worktree(monkeypatch):
    monkeypatch.delenv("HYGROVANE_SHARED_DATA", raising=False)
    assert glob.glob(os.path.join(unit_years.default_weather(), "*.epw"))
