"""hygrovane.envelopes: the named envelopes, the vectorised inside test against readings placed
by hand at three pressures, and the compliance figures of series with hand-known excursions,
gaps, missing readings and times out of order, over numpy arrays and pandas series."""

import numpy as np
import pandas as pd
import pytest

import hygrovane
from hygrovane import climate, envelopes

C = 273.15


def reading(t_c, rh_percent, pressure=101325.0):
    """Dry bulb (K) and humidity ratio of air at t_c degC and rh_percent, by the core."""
    s = hygrovane.solve(np.asarray(t_c, dtype=float) + C, np.asarray(rh_percent) / 100,
                        "relative_humidity", pressure=pressure)
    return s.dry_bulb, s.humidity_ratio


def test_the_names_scripts_read_and_unknown_ones_refused():
    assert len(envelopes.NAMES) == 20 and len(set(envelopes.NAMES)) == 20
    for name in ("ashrae-tc99-2021-a1", "ashrae-tc99-2011-c", "ashrae-62.1-2022-dew-point",
                 "en16798-1-humidity-iii", "ashrae-tc99-2021-recommended-high"):
        assert envelopes.envelope(name).name == name
    with pytest.raises(ValueError, match="ashrae-tc99-2021-a1"):
        envelopes.envelope("a1")
    lower = [e for e in envelopes.envelope("ashrae-tc99-2021-a1").edges if e.quantity == "dew_point"]
    assert lower[0].side == "lowest" and lower[0].reading == "ice"
    assert lower[0].value == pytest.approx(261.15)


@pytest.mark.parametrize("pressure", [60000.0, 80000.0, 101325.0])
@pytest.mark.parametrize("name,t_c,rh,expected", [
    ("ashrae-tc99-2021-a1", 25, 15, True),    # 2021 ends at -12 degC dew point and 8 %
    ("ashrae-tc99-2011-a1", 25, 15, False),   # 2011 at 20 %
    ("ashrae-tc99-2021-a1", 30, 7.5, False),  # below 8 % above the corner at 22.4 degC
    ("ashrae-tc99-2021-a1", 33, 30, False),   # above 32 degC
    ("ashrae-tc99-2021-a2", 33, 30, True),
    ("en16798-1-humidity-ii", 22, 26, True),
    ("en16798-1-humidity-ii", 22, 61, False),
])
def test_readings_placed_by_hand(name, t_c, rh, expected, pressure):
    t, w = reading(t_c, rh, pressure)
    assert envelopes.inside(name, t, w, pressure) is expected


def test_inside_broadcasts_and_matches_each_reading_judged_alone():
    t_c = np.linspace(5, 40, 12).reshape(3, 4)
    rh = np.array([10.0, 30.0, 60.0, 85.0])
    pressures = np.array([[60000.0], [80000.0], [101325.0]])
    t, w = reading(t_c, rh, pressures)
    flags = envelopes.inside("ashrae-tc99-2021-a3", t, w, pressures)
    assert flags.shape == (3, 4) and flags.dtype == bool
    for i in range(3):
        for j in range(4):
            assert envelopes.inside("ashrae-tc99-2021-a3", t[i, j], w[i, j], pressures[i, 0]) == flags[i, j]
    assert flags.any() and not flags.all()
    # NaN and air above saturation are never inside: their verdict says so.
    verdicts, beyond = envelopes.judge("ashrae-tc99-2021-a3", [np.nan, 300.0], [0.01, 0.5])
    assert list(verdicts) == [2, 2] and list(beyond) == [0.0, 0.0]


def test_how_far_beyond():
    t, w = reading(np.array([34.0, 20.0]), np.array([30.0, 90.0]))
    verdicts, beyond = envelopes.judge("ashrae-tc99-2021-a1", t, w)
    assert list(verdicts) == [1, 1]
    assert beyond[0] == pytest.approx(2.0, abs=1e-9)    # 2 K above 32 degC
    assert beyond[1] == pytest.approx(1.8631, abs=2e-4)  # the 80 % edge as a dew point at 20 degC


def test_user_envelopes_and_national_annex_values():
    mine = envelopes.user_envelope("gallery", ("dry_bulb", 293.15, 297.15), ("humidity_ratio", None, 0.010))
    t, w = reading(22, 50)
    assert envelopes.inside(mine, t, w)
    t, w = reading(22, 50, 67000.0)
    assert not envelopes.inside(mine, t, w, 67000.0)  # 12.4 g/kg up there
    for first, second in [(("dry_bulb", 290, 300), ("dry_bulb", 291, None)),
                          (("dry_bulb", 300, 290), ("enthalpy", None, 50)),
                          (("dry_bulb", None, None), ("enthalpy", None, 50))]:
        with pytest.raises(ValueError):
            envelopes.user_envelope("bad", first, second)
    with pytest.raises(ValueError, match="unknown quantity"):
        envelopes.user_envelope("bad", ("wet_bulb", 1, 2), ("enthalpy", None, 50))
    german = envelopes.en16798_humidity(1, 40, 50)
    assert german.name == "en16798-1-humidity-i-national-annex"
    t, w = reading(22, 35)
    assert not envelopes.inside(german, t, w) and envelopes.inside("en16798-1-humidity-i", t, w)


# 20-24 degC only: how far beyond is plain arithmetic.
BAND = envelopes.user_envelope("band", ("dry_bulb", 293.15, 297.15), ("relative_humidity", 0.0, 1.0))


def hand_series():
    """Readings ending at each time (hours after midnight, 1 January 2025) with their degC."""
    hours = [1, 2, 3, 4, 5, 6, 7, 8, 10, 10.5, 12]
    temps = [22, 25, 26, 23, 18, np.nan, 17, 17, 27, 27, 30]
    lengths = [1, 1, 1, 1, 1, 1, 1, 1, 1, 0.5, 1]
    times = np.datetime64("2025-01-01T00:00") + (np.array(hours) * 3600).astype("timedelta64[s]")
    return times, np.array(temps) + C, np.array(lengths)


def check_hand_figures(f):
    assert f["hours"] == pytest.approx(10.5) and f["hours_inside"] == pytest.approx(2)
    assert f["hours_outside"] == pytest.approx(7.5) and f["hours_missing"] == pytest.approx(1)
    assert f["excursions"] == pytest.approx({"count": 5, "longest_hours": 2, "total_hours": 7.5,
                                             "degree_hours": 21.5, "gram_hours": 0,
                                             "percent_hours": 0})
    assert f["worst"]["start"] == np.datetime64("2025-01-01T06:00")
    assert f["worst"]["end"] == np.datetime64("2025-01-01T08:00")
    assert f["months"][0]["hours"] == pytest.approx(10.5)


def test_compliance_of_hand_known_excursions_gaps_and_missing_readings():
    times, t, lengths = hand_series()
    check_hand_figures(envelopes.compliance(BAND, t, 0.005, times=times, hours=lengths))
    order = np.random.default_rng(3).permutation(len(t))
    check_hand_figures(envelopes.compliance(BAND, t[order], 0.005, times=times[order],
                                            hours=lengths[order]))


def test_compliance_of_a_pandas_series_by_its_index():
    # Half-hourly for two days, 34 degC at 12:00-13:00: one excursion from 11:30, 2 K beyond A1.
    index = pd.date_range("2025-07-01", periods=96, freq="30min", tz="Europe/Berlin")
    t = pd.Series(24.0 + C, index=index)
    t.iloc[24:27] = 34.0 + C
    f = envelopes.compliance("ashrae-tc99-2021-a1", t, 0.006)
    assert (f["hours_inside"], f["hours_outside"]) == (46.5, 1.5)
    assert f["excursions"]["degree_hours"] == pytest.approx(3.0)
    assert f["worst"]["start"] == np.datetime64("2025-07-01T11:30")  # the wall clock
    assert f["months"][6]["percent_inside"] == pytest.approx(96.875)
    # 12:00 and 12:30 of each day lie in the clock hour 12: the first day's are outside.
    assert f["hours_of_day"][12] == pytest.approx({"hours": 2.0, "hours_inside": 1.0,
                                                   "percent_inside": 50.0})
    assert f["hours_of_day"][11]["percent_inside"] == 100
    # A gap in the readings is not credited to the reading after it.
    f = envelopes.compliance("ashrae-tc99-2021-a1", t.drop(t.index[40:50]), 0.006)
    assert f["hours"] == pytest.approx(43.0)
    with pytest.raises(TypeError):
        envelopes.compliance("ashrae-tc99-2021-a1", t.to_numpy(), 0.006)


def test_a_weather_year_as_the_states_say(chicago_epw):
    s = climate.read_weather(chicago_epw).states()
    times = np.datetime64("2021-01-01T01:00") + np.arange(8760).astype("timedelta64[h]")
    f = envelopes.compliance("ashrae-tc99-2021-a1", s["dry_bulb"], s["humidity_ratio"], s["pressure"],
                             times=times)
    t, dew, rh = s["dry_bulb"] - C, s["dew_point"] - C, s["relative_humidity"]
    by_states = np.sum((t >= 15) & (t <= 32) & (dew >= -12) & (dew <= 17) & (rh >= 0.08) & (rh <= 0.8))
    assert f["hours"] == 8760 and f["hours_inside"] == by_states


def test_gram_and_percent_hours_beyond_their_own_edges():
    # 8-10 g/kg at 20 degC: 1 g/kg beyond for two hours, then half an hour 2 g/kg beyond after
    # a gap; the readings in any order.
    ratio = envelopes.user_envelope("ratio", ("humidity_ratio", 0.008, 0.010),
                                    ("dry_bulb", None, 313.15))
    times = np.datetime64("2025-03-01T00:00") + (np.array([1, 2, 3, 5]) * 3600).astype(
        "timedelta64[s]")
    w = np.array([0.009, 0.011, 0.011, 0.012])
    lengths = np.array([1, 1, 1, 0.5])
    order = np.array([3, 1, 0, 2])
    f = envelopes.compliance(ratio, np.full(4, 20.0 + C)[order], w[order], times=times[order],
                             hours=lengths[order])
    assert f["excursions"]["count"] == 2
    assert f["excursions"]["gram_hours"] == pytest.approx(3.0)
    assert f["excursions"]["percent_hours"] == 0
    assert f["worst"]["gram_hours"] == pytest.approx(2.0)


def test_comfort_zones_and_collection_classes_by_name_with_inputs():
    assert {"ashrae-55-2020-pmv", "ashrae-55-2020-adaptive-80"} <= set(envelopes.NAMES)
    adaptive = envelopes.envelope("ashrae-55-2020-adaptive-90:tpma=20")
    assert [e.value - C for e in adaptive.edges] == pytest.approx([21.5, 26.5])
    pmv = envelopes.envelope("ashrae-55-2020-pmv:clo=1.0")
    t = np.array([22.0, 30.0]) + C
    w = np.array([0.008, 0.008])
    assert list(envelopes.inside(pmv, t, w)) == [True, False]
    # AA holds the RH set point: 56 % against a chosen 50 % is 6 %RH beyond every hour.
    hours = pd.date_range("2025-01-01", periods=10, freq="h")
    t = pd.Series(20.0 + C, index=hours)
    _, w56 = reading(20, 56)
    f = envelopes.compliance("ashrae-collections-aa:rh=50:t=20", t, np.full(10, w56))
    assert f["hours_outside"] == pytest.approx(10)
    assert f["excursions"]["percent_hours"] == pytest.approx(60, abs=1e-3)
    with pytest.raises(ValueError):
        envelopes.envelope("ashrae-collections-aa:rh=x")
