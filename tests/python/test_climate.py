"""hygrovane.climate: a weather file's header and rows as the C++ reader reads them, missing
values as NaN, each hour's state bit for bit the core's, the design conditions the library's,
and unreadable files refused with the reader's sentence."""

import os

import numpy as np
import pytest
from conftest import same_bits

import hygrovane
from hygrovane import climate
from hygrovane.climate import MissingReason

STATE_NAMES = ("dry_bulb", "pressure", "humidity_ratio", "relative_humidity", "dew_point",
               "wet_bulb", "enthalpy", "specific_volume")


@pytest.fixture(scope="module")
def chicago(chicago_epw):
    return climate.read_weather(chicago_epw)


@pytest.fixture(scope="module")
def chicago_text(chicago_epw):
    with open(chicago_epw) as f:
        return f.read()


def test_the_header_and_the_rows_as_the_file_gives_them(chicago):
    assert chicago.format == "EPW" and len(chicago) == 8760
    assert chicago.location == dict(city="Chicago Ohare Intl Ap", region="IL", country="USA",
                                    source="TMY3", wmo="725300", latitude=41.98,
                                    longitude=-87.92, time_zone=-6.0, elevation=201.0)
    design = chicago.header["design_conditions"]
    assert design["layout"] == "handbook 2009" and design["heating_99_6"] == -20.0
    assert design["cooling"][0] == dict(dry_bulb=33.3, mean_coincident_wet_bulb=23.7)
    assert chicago.header["data_periods"][0]["rows"] == 8760
    assert len(chicago.header["ground_temperatures"]) == 3
    rows = chicago.arrays()
    first = {k: rows[k][0] for k in ("year", "month", "day", "hour", "dry_bulb_temperature",
                                     "dew_point_temperature", "relative_humidity",
                                     "atmospheric_station_pressure", "wind_speed")}
    assert first == dict(year=1986, month=1, day=1, hour=1, dry_bulb_temperature=-12.2,
                         dew_point_temperature=-16.1, relative_humidity=73.0,
                         atmospheric_station_pressure=99500.0, wind_speed=2.6)
    assert rows["hour"].max() == 24 and rows["month"][-1] == 12
    # Fields the file marks missing (the first row's albedo 999, precipitation 999 and 99) are NaN.
    assert np.isnan([rows["albedo"][0], rows["liquid_precipitation_depth"][0],
                     rows["liquid_precipitation_quantity"][0]]).all()
    frame = chicago.to_frame(text=True)
    assert frame.shape[0] == 8760 and frame["present_weather_codes"][0] == "999999999"


STATE_OPTIONS = [
    # humidity source, pressure source
    ("relative_humidity", "station"),
    ("dew_point", "station"),
    ("relative_humidity", "elevation"),
]


@pytest.mark.parametrize("humidity,pressure", STATE_OPTIONS,
                         ids=[f"{h} at {p} pressure" for h, p in STATE_OPTIONS])
def test_every_hours_state_is_the_cores_bit_for_bit(chicago, humidity, pressure):
    rows = chicago.arrays()
    states = chicago.states(humidity=humidity, pressure=pressure)
    assert np.all(states["missing"] == MissingReason.NONE)
    given = (rows["relative_humidity"] / 100 if humidity == "relative_humidity"
             else rows["dew_point_temperature"] + 273.15)
    ambient = (dict(pressure=rows["atmospheric_station_pressure"]) if pressure == "station"
               else dict(altitude=chicago.location["elevation"]))
    core = hygrovane.solve(rows["dry_bulb_temperature"] + 273.15, given, humidity, **ambient)
    assert np.all(core.ok)
    differs = [n for n in STATE_NAMES if not same_bits(states[n], getattr(core, n))]
    assert not differs, f"the hourly states differ from solve() in {differs}"


def with_fields(text, changes):
    """The file's text with data fields replaced: {(row, field index): text}."""
    lines = text.splitlines()
    for (row, field), value in changes.items():
        parts = lines[8 + row].split(",")
        parts[field] = value
        lines[8 + row] = ",".join(parts)
    return "\n".join(lines) + "\n"


def test_missing_values_are_nan_and_say_why_the_hour_has_no_state(chicago, chicago_text):
    # EPW fields: 6 dry bulb, 7 dew point, 8 relative humidity, 9 station pressure.
    damaged = climate.parse_weather(with_fields(chicago_text, {
        (0, 6): "99.9", (1, 8): "999", (2, 9): "999999", (3, 7): "99.9", (4, 7): "30.0"}))
    rows = damaged.arrays()
    assert np.isnan(rows["dry_bulb_temperature"][0]) and np.isnan(rows["relative_humidity"][1])
    assert np.isnan(rows["atmospheric_station_pressure"][2])
    cases = [
        # options, the reason of hours 0-4
        (dict(), [MissingReason.DRY_BULB, MissingReason.HUMIDITY, MissingReason.PRESSURE,
                  MissingReason.NONE, MissingReason.NONE]),
        (dict(humidity="dew_point"), [MissingReason.DRY_BULB, MissingReason.NONE,
                                      MissingReason.PRESSURE, MissingReason.HUMIDITY,
                                      MissingReason.REFUSED]),  # a dew point above the dry bulb
        (dict(pressure="elevation"), [MissingReason.DRY_BULB, MissingReason.HUMIDITY,
                                      MissingReason.NONE, MissingReason.NONE,
                                      MissingReason.NONE]),
    ]
    for options, reasons in cases:
        states = damaged.states(**options)
        assert states["missing"][:5].tolist() == reasons, options
        missing = states["missing"] != MissingReason.NONE
        assert all(np.isnan(states[n][missing]).all() for n in STATE_NAMES), options
        intact = chicago.states(**options)
        assert all(same_bits(states[n][5:], intact[n][5:]) for n in STATE_NAMES), options


def test_design_conditions_are_the_librarys_bit_for_bit(chicago, chicago_epw, domain_reference):
    for humidity, pressure in STATE_OPTIONS:
        d = chicago.design_conditions(humidity=humidity, pressure=pressure)
        got = [v for row in d["cooling"] for v in (row["dry_bulb"], row["mean_coincident_wet_bulb"])]
        got += [v for row in d["wet_bulb"] for v in (row["wet_bulb"],
                                                      row["mean_coincident_dry_bulb"])]
        got += [v for row in d["dew_point"] for v in (row["dew_point"], row["humidity_ratio"],
                                                       row["mean_coincident_dry_bulb"])]
        got += [row["enthalpy"] for row in d["enthalpy"]] + [row["dry_bulb"] for row in d["heating"]]
        answer = domain_reference.run([f"design {chicago_epw} {int(humidity == 'dew_point')} "
                                       f"{int(pressure == 'elevation')}"])[0]
        assert same_bits(got, answer), (humidity, pressure)
        assert d["hours"] == 8760 and d["records"] == 8760
    # A typical year's values lie within about 1 K of the handbook's in the header.
    header = chicago.header["design_conditions"]
    assert abs(d["cooling"][0]["dry_bulb"] - 273.15 - header["cooling"][0]["dry_bulb"]) < 1.5
    assert abs(d["heating"][0]["dry_bulb"] - 273.15 - header["heating_99_6"]) < 1.5


def test_header_fields_read_leniently_are_noted(chicago, chicago_text):
    assert chicago.header["notes"] == []
    blank = chicago_text.replace("HOLIDAYS/DAYLIGHT SAVINGS,No,", "HOLIDAYS/DAYLIGHT SAVINGS,,", 1)
    notes = climate.parse_weather(blank).header["notes"]
    assert len(notes) == 1 and "leap" in notes[0].lower(), notes


def test_design_conditions_count_hours_of_time_not_records(chicago_text, tmp_path):
    """The same year at two records an hour stands for the same 8760 hours."""
    lines = chicago_text.splitlines()
    header = [line.replace("DATA PERIODS,1,1,", "DATA PERIODS,1,2,") for line in lines[:8]]
    rows = []
    for line in lines[8:]:
        fields = line.split(",")
        rows += [",".join(fields[:4] + ["30"] + fields[5:]), ",".join(fields[:4] + ["0"] + fields[5:])]
    path = tmp_path / "half-hours.epw"
    path.write_text("\n".join(header + rows) + "\n")
    d = climate.read_weather(path).design_conditions()
    assert d["records"] == 2 * 8760 and d["hours"] == pytest.approx(8760, rel=1e-12)


def test_design_conditions_follow_the_percentile_method(chicago):
    """value(p) = x(floor k) + (k - floor k) (x(floor k + 1) - x(floor k)), k = p N, x sorted
    from the highest."""
    # The library ranks the states' dry bulbs, held in 32 bits; states() gives the file's.
    t = np.sort(chicago.states()["dry_bulb"].astype(np.float32).astype(np.float64))[::-1]
    d = chicago.design_conditions()
    for row in d["cooling"] + d["heating"]:
        k = row["fraction"] * t.size
        low = int(np.floor(k))
        value = t[low - 1] + (k - low) * (t[low] - t[low - 1])
        assert row["dry_bulb"] == pytest.approx(value, abs=1e-9), row["fraction"]


def test_threads_do_not_change_the_states(chicago):
    one, every = chicago.states(threads=1), chicago.states()
    assert all(same_bits(one[n], every[n]) for n in STATE_NAMES)


REFUSED = [
    # name, text made from the file's, exception, words of the sentence
    ("a file cut inside its data period", lambda t: t[: len(t) // 2], ValueError, "line"),
    ("text in the dry bulb", lambda t: with_fields(t, {(10, 6): "warm"}), ValueError, "line 19"),
    ("no header", lambda t: "\n".join(t.splitlines()[8:]), ValueError, ""),
]


@pytest.mark.parametrize("name,make,error,words", REFUSED, ids=[r[0] for r in REFUSED])
def test_unreadable_text_is_refused_with_the_readers_sentence(chicago_text, name, make, error,
                                                              words):
    with pytest.raises(error) as raised:
        climate.parse_weather(make(chicago_text))
    assert words in str(raised.value) and str(raised.value)


def test_a_file_that_cannot_be_opened_raises_oserror(tmp_path):
    with pytest.raises(OSError):
        climate.read_weather(tmp_path / "absent.epw")


def make_pipe(folder):
    os.mkfifo(folder / "pipe.epw")
    return folder / "pipe.epw"


NOT_FILES = [
    # name, the path made in a fresh folder, words of the sentence
    ("the current folder", lambda folder: ".", "it is a folder"),
    ("a folder", lambda folder: folder, "it is a folder"),
    ("a named pipe, refused without waiting", make_pipe, "a named pipe"),
    ("a device", lambda folder: "/dev/zero", "a device"),
]


@pytest.mark.parametrize("name,make,words", NOT_FILES, ids=[r[0] for r in NOT_FILES])
def test_what_is_not_a_file_is_named(tmp_path, name, make, words):
    with pytest.raises(OSError) as raised:
        climate.read_weather(make(tmp_path))
    assert words in str(raised.value) and "512 MiB" not in str(raised.value)


def test_an_empty_file_is_refused_as_empty(tmp_path):
    (tmp_path / "empty.epw").write_bytes(b"")
    with pytest.raises(ValueError, match="the file is empty"):
        climate.read_weather(tmp_path / "empty.epw")


@pytest.mark.parametrize("options", [dict(humidity="wet_bulb"), dict(pressure="sea level"),
                                     dict(formulation="Goff"), dict(threads=0)])
def test_unknown_options_are_refused(chicago, options):
    with pytest.raises(ValueError):
        chicago.states(**options)
