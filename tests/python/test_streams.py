"""hygrovane.climate.streams: a unit's logged streams judged as the C++ library and
hygrovane-climate --stream judge them, from dicts of arrays and from pandas frames."""

import json
import math
import os
import subprocess

import numpy as np
import pytest

from hygrovane import climate


def week():
    """A week of hourly readings at an outdoor-air fraction of 0.3, the mixed-air sensor 15 K
    warm at six hours (58-63)."""
    i = np.arange(7 * 24)
    day = 2 * np.pi * i / 24
    to, wo = 5 + 5 * np.sin(day), 0.003 + 0.0005 * np.cos(day)
    tr, wr = 22 + 0.5 * np.sin(day / 3), 0.008 + 0.0002 * np.cos(day / 5)
    h = lambda t, w: 1.006 * t + w * (2501 + 1.805 * t)
    wm = 0.3 * wo + 0.7 * wr
    hm = 0.3 * h(to, wo) + 0.7 * h(tr, wr)
    tm = (hm - 2501 * wm) / (1.006 + 1.805 * wm)
    tm[58:64] += 15
    seconds = i * 3600.0
    return {"outdoor": {"seconds": seconds, "dry_bulb": to, "humidity_ratio": wo},
            "return": {"seconds": seconds, "dry_bulb": tr, "humidity_ratio": wr},
            "mixed": {"seconds": seconds, "dry_bulb": tm, "humidity_ratio": wm}}


def test_the_faulty_mixed_sensor_is_flagged_at_its_hours_only():
    judged = climate.streams(week())
    flags = judged.steps["mixed_outside_range"]
    assert list(np.flatnonzero(flags)) == list(range(58, 64))
    assert judged.summary["fault_hours"] == {
        "fractions_disagree": 6.0, "off_mixing_line": 6.0, "mixed_outside_range": 6.0,
        "supply_warmer_than_source": 0.0, "relative_humidity_above100": 0.0,
        "frozen_sensor": 0.0}
    assert judged.summary["outdoor_fraction_mean"] == pytest.approx(0.3, abs=1e-9)
    assert judged.summary["fault_periods"]["mixed_outside_range"] == [(58 * 3600.0, 63 * 3600.0, 6.0)]
    assert math.isnan(judged.summary["effectiveness_sensible_mean"])  # no exchanger logged
    good = ~judged.steps["fractions_disagree"]
    assert np.allclose(judged.steps["outdoor_fraction"][good], 0.3, atol=1e-9)


def test_a_pandas_frame_with_a_time_index_and_relative_humidity():
    pd = pytest.importorskip("pandas")
    index = pd.date_range("2025-03-03", periods=4, freq="5min")
    logged = {"outdoor": pd.DataFrame({"dry_bulb": [0.0, 1, 2, 3],
                                       "relative_humidity": [0.5, 0.5, 0.6, 0.6]}, index=index),
              "supply": pd.DataFrame({"dry_bulb": [9.0, 9, 9, 9],
                                      "dew_point": [-5.0, -4, -3, -2]}, index=index)}
    judged = climate.streams(logged, heating=False)
    assert judged.summary["steps"] == 4
    assert judged.summary["hours"] == pytest.approx(4 * 5 / 60)
    assert judged.steps["supply_warmer_than_source"].all()
    assert judged.to_frame().shape[0] == 4


@pytest.mark.parametrize("logged, words", [
    ({"mixing": {"seconds": [0.0], "dry_bulb": [1.0], "humidity_ratio": [0.005]}}, "unknown stream"),
    ({"mixed": {"seconds": [0.0], "dry_bulb": [1.0]}}, "one of"),
    ({"mixed": {"seconds": [1.0, 0.0], "dry_bulb": [1.0, 2], "humidity_ratio": [0.005, 0.005]}},
     "must increase"),
])
def test_refused_with_the_reason(logged, words):
    with pytest.raises(ValueError, match=words):
        climate.streams(logged)


def test_the_program_s_figures_bit_for_bit(tmp_path):
    program = os.environ.get("HYGROVANE_CLIMATE_PROGRAM")
    if not program:
        pytest.skip("HYGROVANE_CLIMATE_PROGRAM is not set")
    w = week()
    rows = ["Timestamp,OA Temp (°C),OA Humidity Ratio (kg/kg),RA Temp (°C),"
            "RA Humidity Ratio (kg/kg),MA Temp (°C),MA Humidity Ratio (kg/kg)"]
    for k in range(len(w["mixed"]["seconds"])):
        stamp = f"2025-03-{3 + k // 24:02d} {k % 24:02d}:00"
        rows.append(",".join([stamp] + [repr(float(w[s][q][k])) for s in ("outdoor", "return", "mixed")
                                        for q in ("dry_bulb", "humidity_ratio")]))
    path = tmp_path / "ahu.csv"
    path.write_text("\n".join(rows) + "\n", encoding="utf-8")
    ran = subprocess.run([program, str(path), "--stream", "outdoor=OA", "--stream", "return=RA",
                          "--stream", "mixed=MA", "--format", "json"],
                         capture_output=True, text=True, check=True)
    figures = json.loads(ran.stdout)["streams"]
    judged = climate.streams(w)
    assert figures["outdoorFractionMean"] == judged.summary["outdoor_fraction_mean"]
    assert figures["faultHours"]["mixedOutsideRange"] == judged.summary["fault_hours"]["mixed_outside_range"]
