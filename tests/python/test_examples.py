"""The examples of examples/python give, on a small dataset and spread over a LocalCluster of
two worker processes, the numbers of the serial call."""

import os
import sys

import numpy as np
import pandas as pd
import pytest

import hygrovane

EXAMPLES = os.path.join(os.environ.get("HYGROVANE_SOURCE_DIR",
                                       os.path.join(os.path.dirname(__file__), "..", "..")),
                        "examples", "python")
# The workers are new processes: they find hygrovane and the examples by PYTHONPATH.
os.environ["PYTHONPATH"] = os.pathsep.join(
    [EXAMPLES, os.path.dirname(os.path.dirname(hygrovane.__file__)),
     os.environ.get("PYTHONPATH", "")])
sys.path.insert(0, EXAMPLES)

import dask_large  # noqa: E402
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
