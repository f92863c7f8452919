"""hygrovane.climate.run_unit: the air-handling unit's year through Python is hygrovane-climate
--unit's, bit for bit (its JSON figures and its hourly file), on the shared weather files and
several units; a refused unit names its key."""

import csv
import json
import math
import os
import subprocess

import numpy as np
import pytest

from hygrovane import climate

EXAMPLE = {"room": {"dryBulb": 24, "relativeHumidity": 50},
           "supply": {"dryBulb": 13, "maxDewPoint": 11, "minDewPoint": 2},
           "flow": {"value": 10000, "unit": "m3/h"},
           "minOutdoorFraction": 0.2,
           "economizer": {"kind": "differential-enthalpy"},
           "recovery": {"sensible": 0.75, "latent": 0.6},
           "coilLeavingRelativeHumidity": 95, "steamTemperature": 100}
PLATE = {"room": {"dryBulb": 22, "dewPoint": 10}, "supply": {"dryBulb": 14},
         "flow": {"value": 3.3, "unit": "kg/s"}, "minOutdoorFraction": 1,
         "economizer": {"kind": "fixed-dry-bulb", "limit": 18.5},
         "recovery": {"sensible": 0.7, "latent": 0}}
OUTDOOR_AIR = {"room": {"dryBulb": 21, "relativeHumidity": 40},
               "supply": {"dryBulb": 16, "maxDewPoint": 12.5, "minDewPoint": 3},
               "flow": {"value": 5000, "unit": "cfm"}, "minOutdoorFraction": 0.35,
               "economizer": {"kind": "fixed-enthalpy", "limit": 45}, "recovery": None,
               "steamTemperature": 110}
UNITS = {"example": EXAMPLE, "plate": PLATE, "outdoor_air": OUTDOOR_AIR}


def snake(key):
    out = ""
    for i, c in enumerate(key):
        if c.isupper() and i > 0 and key[i - 1].islower():
            out += "_"
        out += c.lower()
    return out


def weather_files():
    folder = os.path.join(os.environ.get("HYGROVANE_SHARED_DATA", ""), "weather")
    return sorted(os.path.join(folder, name) for name in os.listdir(folder)
                  if name.endswith(".epw"))


@pytest.fixture(scope="module")
def program():
    path = os.environ.get("HYGROVANE_CLIMATE_PROGRAM", "")
    assert os.path.exists(path), f"hygrovane-climate is not built: {path!r}"
    return path


def run_program(program, epw, unit, tmp_path, *options):
    unit_file = tmp_path / "UNIT.json"
    unit_file.write_text(json.dumps(unit))
    hourly = tmp_path / "hours.csv"
    ran = subprocess.run([program, epw, "--format", "json", "--unit", str(unit_file),
                          "--unit-hourly", str(hourly), *options],
                         capture_output=True, text=True, check=True)
    with open(hourly, encoding="utf-8", newline="") as f:
        rows = list(csv.reader(f))
    return json.loads(ran.stdout)["unit"], rows


@pytest.mark.parametrize("name", sorted(UNITS))
@pytest.mark.parametrize("epw", weather_files(), ids=os.path.basename)
def test_python_runs_the_program_s_year_bit_for_bit(program, tmp_path, epw, name):
    options = ["--months", "3-10", "--pressure", "elevation"] if name == "plate" else []
    figures, rows = run_program(program, epw, UNITS[name], tmp_path, *options)
    run = climate.run_unit(epw, UNITS[name],
                           **({"months": (3, 10), "pressure": "elevation"} if options else {}))
    assert run.year == {snake(k): v for k, v in figures["year"].items()}
    assert run.months == [{snake(k): v for k, v in m.items()} for m in figures["months"]]
    assert run.peaks == {snake(k): v for k, v in figures["peaks"].items()}
    assert run.settings == figures["settings"]
    header, records = rows[0], rows[1:]
    assert len(records) == len(run.hourly["status"])
    column = {name: i for i, name in enumerate(header)}
    for csv_name, python_name in [("outdoor fraction", "outdoor_fraction"),
                                  ("supply dry bulb (°C)", "supply_dry_bulb"),
                                  ("off-coil humidity ratio (kg/kg)", "off_coil_humidity_ratio"),
                                  ("cooling (kW)", "cooling_kw"), ("reheat (kW)", "reheat_kw"),
                                  ("humidifier (kW)", "humidifier_kw")]:
        written = np.array([float(r[column[csv_name]]) if r[column[csv_name]] else math.nan
                            for r in records])
        assert np.array_equal(written, run.hourly[python_name], equal_nan=True), csv_name


def test_the_hourly_columns_add_up_to_the_year(chicago_epw):
    run = climate.run_unit(climate.read_weather(chicago_epw), EXAMPLE, threads=1)
    on = run.hourly["status"] == 1
    assert on.sum() == 8760 and run.year["hours_on"] == 8760
    cooling = np.nansum(run.hourly["cooling_kw"] * run.hourly["hours"])
    assert cooling == pytest.approx(run.year["cooling_kwh"], rel=1e-12)
    assert len(run.months) == 12 and len(run.month_peaks) == 12
    assert run.peaks["heating_kw"] == {"value": 0.0, "month": None, "day": None, "hour": None}
    assert np.all(run.hourly["supply_dry_bulb"][on] >= 13 - 1e-6)


def test_a_unit_file_path_reads_as_the_dict(chicago_epw, tmp_path):
    path = tmp_path / "UNIT.json"
    path.write_text(json.dumps(PLATE))
    assert climate.run_unit(chicago_epw, path).year == climate.run_unit(chicago_epw, PLATE).year


@pytest.mark.parametrize("change, words", [
    ({"minOutdoorFraction": 1.5}, '"minOutdoorFraction": minimum outdoor-air fraction 1.5'),
    ({"supply": {"dryBulb": "13"}}, '"supply.dryBulb": must be a number'),
    ({"fan": 1}, '"fan": unknown key'),
    ({"flow": {"value": 1}}, '"flow.unit": missing key'),
])
def test_a_refused_unit_names_its_key(chicago_epw, change, words):
    with pytest.raises(ValueError, match=words.replace(".", r"\.")):
        climate.run_unit(chicago_epw, {**EXAMPLE, **change})
