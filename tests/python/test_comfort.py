"""hygrovane.comfort over arrays gives, bit for bit, what the C++ comfort library gives for each
element, the published rows within their tolerances, and the library's refusals as NaN and status
with its sentence."""

import json
import os

import numpy as np
import pytest
from conftest import hexes, same_bits

from hygrovane import comfort
from hygrovane.comfort import ComfortStatus

DATA = os.path.join(os.environ.get("HYGROVANE_SOURCE_DIR", "../.."), "tests", "comfort", "data")


def published(name):
    with open(os.path.join(DATA, name)) as f:
        return json.load(f)


def thermal_grid(n=300, seed=11):
    """Random inputs, some outside the standards' ranges so that refusals are met too."""
    rng = np.random.default_rng(seed)
    return dict(ta=rng.uniform(5, 42, n), tr=rng.uniform(5, 45, n), v=rng.uniform(0, 1.5, n),
                rh=rng.uniform(0, 100, n), met=rng.uniform(0.8, 3.0, n),
                clo=rng.uniform(0, 1.8, n), work=rng.uniform(0, 0.2, n))


def compare(result, names, answers):
    """Every element equals the library's answer bit for bit, or is refused with its sentence."""
    refused = 0
    for i, answer in enumerate(answers):
        if isinstance(answer, str):
            refused += 1
            assert result.status[i] != ComfortStatus.OK and result.message(i) == answer, i
            assert all(np.isnan(getattr(result, name)[i]) for name in names
                       if not name.startswith("acceptable")), i
            continue
        assert result.status[i] == ComfortStatus.OK, f"element {i}: {result.message(i)}"
        got = [float(getattr(result, name)[i]) for name in names]
        assert same_bits(got, answer), f"element {i}: {got} differs from the library's {answer}"
    return refused


# name, standard, checked, humidity by vapour pressure, output names
PMV_CASES = [
    ("ISO 7730 within its ranges", "iso", True, False, ("pmv", "ppd")),
    ("ISO 7730 unchecked", "iso", False, False, ("pmv", "ppd")),
    ("ISO 7730 from the vapour pressure", "iso", True, True, ("pmv", "ppd")),
    ("ASHRAE 55 with the cooling effect", "ashrae", True, False, ("pmv", "ppd", "cooling_effect")),
]


@pytest.mark.parametrize("name,standard,checked,vapour,names", PMV_CASES,
                         ids=[c[0] for c in PMV_CASES])
def test_pmv_equals_the_library_bit_for_bit(domain_reference, name, standard, checked, vapour,
                                            names):
    g = thermal_grid()
    humidity = g["rh"] * 30 if vapour else g["rh"]  # Pa up to 3000: some above ISO's 2700
    keyword = "vapour_pressure" if vapour else "rh_percent"
    result = comfort.pmv(g["ta"], g["tr"], g["v"], met=g["met"], clo=g["clo"],
                         external_work=g["work"], standard=standard.upper(), checked=checked,
                         **{keyword: humidity})
    answers = domain_reference.run([
        f"pmv {standard} {int(checked)} {int(vapour)} " + hexes(*row)
        for row in zip(g["ta"], g["tr"], g["v"], humidity, g["met"], g["clo"], g["work"])])
    refused = compare(result, names, answers)
    assert (refused > 0) == checked, "the grid reaches outside the ranges only where checked"


def test_set_and_cooling_effect_equal_the_library_bit_for_bit(domain_reference):
    g = thermal_grid(120, seed=3)
    pressure = np.where(np.arange(120) % 7 == 0, 20000.0, 95000.0)  # some outside 30-120 kPa
    args = (g["ta"], g["tr"], g["v"], g["rh"], g["met"], g["clo"], g["work"])
    rows = list(zip(*args, pressure))
    for for_ce in (False, True):
        result = comfort.standard_effective_temperature(*args, pressure=pressure,
                                                        for_cooling_effect=for_ce)
        answers = domain_reference.run([f"set 0 {hexes(*row)} {int(for_ce)}" for row in rows])
        assert compare(result, ("set",), answers) == 18
    result = comfort.cooling_effect(*args, pressure=pressure)
    answers = domain_reference.run([f"ce 0 {hexes(*row)}" for row in rows])
    compare(result, ("cooling_effect",), answers)


ADAPTIVE = [
    ("ASHRAE 55", comfort.adaptive_ashrae55, "ashrae",
     ("comfort", "lower_80", "upper_80", "lower_90", "upper_90", "allowance", "operative",
      "acceptable_80", "acceptable_90")),
    ("EN 16798-1", comfort.adaptive_en16798, "en",
     ("comfort", "upper_i", "upper_ii", "upper_iii", "lower_i", "lower_ii", "lower_iii",
      "allowance", "operative", "acceptable_i", "acceptable_ii", "acceptable_iii")),
]


@pytest.mark.parametrize("name,function,key,names", ADAPTIVE, ids=[a[0] for a in ADAPTIVE])
def test_adaptive_models_equal_the_library_bit_for_bit(domain_reference, name, function, key,
                                                       names):
    rng = np.random.default_rng(8)
    ta, tr, v, mean = (rng.uniform(15, 35, 200), rng.uniform(15, 35, 200),
                       rng.uniform(0, 2.2, 200), rng.uniform(5, 36, 200))
    result = function(ta, tr, v, mean)
    answers = domain_reference.run([f"adaptive {key} {hexes(*row)}"
                                    for row in zip(ta, tr, v, mean)])
    assert compare(result, names, answers) > 0
    assert all(result[n].dtype == bool for n in names if n.startswith("acceptable"))
    assert not np.any(result.to_frame().filter(like="acceptable").values[result.status != 0])


def published_rows(name):
    """Each row of a published table as arrays in degC and m/s (the inch-pound rows converted
    as tests/comfort converts them: degF, ft/s), and its tolerances."""
    table = published(name)
    rows = []
    for row in table["data"]:
        i = dict(row["inputs"])
        ip = str(i.pop("units", "si")).lower() == "ip"
        for key in ("tdb", "tr"):
            i[key] = (np.asarray(i[key], float) - 32.0) / 1.8 if ip else np.asarray(i[key], float)
        for key in ("v", "vr"):
            if key in i:
                i[key] = np.asarray(i[key], float) * (0.3048 if ip else 1.0)
        i["inch_pound"] = ip
        rows.append((i, row["outputs"]))
    return rows, table["tolerance"]


def expected(outputs, key):
    """A published output as an array, NaN where the table expects a refusal (null)."""
    values = np.atleast_1d(np.asarray(outputs[key], dtype=object))
    return np.array([np.nan if v is None else v for v in values], dtype=float)


PMV_ROWS, PMV_TOLERANCE = published_rows("ts_pmv_ppd.json")


def test_pmv_reproduces_every_published_row_within_its_tolerance():
    cases = 0
    for i, o in PMV_ROWS:
        r = comfort.pmv(i["tdb"], i["tr"], i["vr"], i["rh"], i["met"], i["clo"],
                        standard="ASHRAE 55" if i.get("standard") == "ASHRAE" else "ISO 7730",
                        checked=i.get("limit_inputs", True),
                        occupant_control=i.get("airspeed_control", True), errors="nan")
        pmv, ppd = expected(o, "pmv"), expected(o, "ppd")
        shape = np.atleast_1d(r.pmv).shape
        pmv, ppd = np.broadcast_to(pmv, shape), np.broadcast_to(ppd, shape)
        refused = np.isnan(pmv)
        assert np.array_equal(np.atleast_1d(r.status) == ComfortStatus.OUT_OF_RANGE, refused), i
        assert np.all(np.abs(np.atleast_1d(r.pmv)[~refused] - pmv[~refused])
                      <= PMV_TOLERANCE["pmv"] + 1e-9), i
        assert np.all(np.abs(np.atleast_1d(r.ppd)[~refused] - ppd[~refused])
                      <= PMV_TOLERANCE["ppd"] + 1e-9), i
        cases += pmv.size
    assert cases == 51  # the vector rows give one case per element, as tests/comfort counts


def test_set_and_cooling_effect_reproduce_the_published_rows():
    rows, tolerance = published_rows("ts_set.json")
    for i, o in rows:
        r = comfort.standard_effective_temperature(i["tdb"], i["tr"], i["v"], i["rh"], i["met"],
                                                   i["clo"], i.get("wme", 0.0), errors="nan",
                                                   for_cooling_effect=i.get("calculate_ce", False))
        assert np.all(np.abs(r.set - expected(o, "set")) <= tolerance["set"] + 1e-9), i
    rows, tolerance = published_rows("ts_cooling_effect.json")
    for i, o in rows:
        r = comfort.cooling_effect(i["tdb"], i["tr"], i["vr"], i["rh"], i["met"], i["clo"],
                                   errors="nan")
        per_kelvin = 1.8 if i["inch_pound"] else 1.0  # the inch-pound row's effect is in degF
        assert np.all(np.abs(r.cooling_effect - expected(o, "ce") / per_kelvin)
                      <= tolerance["ce"] / per_kelvin + 1e-9), i


def test_chicago_hours_by_iso7730_match_the_published_counts(chicago_epw):
    from hygrovane import climate

    hours = climate.read_weather(chicago_epw).arrays()
    t, rh = hours["dry_bulb_temperature"], hours["relative_humidity"]
    by_ppd = comfort.pmv(t, t, 0.1, rh, met=2.4, clo=1.0, checked=False)
    by_pmv = comfort.pmv(t, t, 0.1, rh, met=1.1, clo=0.7, checked=False)
    assert np.all(by_ppd.ok) and np.all(by_pmv.ok)
    assert int(np.count_nonzero(by_ppd.ppd <= 10)) == 1661
    assert int(np.count_nonzero(np.abs(by_pmv.pmv) <= 0.5)) == 803


REFUSALS = [
    # name, function, arguments, status, sentence (None: only that there is one)
    ("ISO 7730 air above 30 degC", comfort.pmv, (31.0, 25.0, 0.1, 50.0, 1.2, 0.5),
     ComfortStatus.OUT_OF_RANGE, "ISO 7730: air temperature 31 degC outside 10 to 30 degC"),
    ("a missing air temperature", comfort.pmv, (np.nan, 25.0, 0.1, 50.0, 1.2, 0.5),
     ComfortStatus.NOT_A_NUMBER, None),
    ("ASHRAE 55 clothing above 1.5 clo", comfort.pmv, (25.0, 25.0, 0.1, 50.0, 1.2, 1.6),
     ComfortStatus.OUT_OF_RANGE, None),
    ("adaptive prevailing mean below 10 degC", comfort.adaptive_ashrae55, (25.0, 25.0, 0.1, 9.0),
     ComfortStatus.OUT_OF_RANGE, None),
    ("EN 16798-1 running mean above 30 degC", comfort.adaptive_en16798, (25.0, 25.0, 0.1, 31.0),
     ComfortStatus.OUT_OF_RANGE, None),
    ("SET with a negative air speed", comfort.standard_effective_temperature,
     (25.0, 25.0, -0.1, 50.0), None, None),
]


@pytest.mark.parametrize("name,function,arguments,status,sentence", REFUSALS,
                         ids=[r[0] for r in REFUSALS])
def test_scalar_refusals_raise_the_sentence_and_nan_holds_the_status(name, function, arguments,
                                                                     status, sentence):
    options = {"standard": "ASHRAE 55"} if "ASHRAE 55 clothing" in name else {}
    with pytest.raises(ValueError) as raised:
        function(*arguments, **options)
    if sentence:
        assert str(raised.value) == sentence
    result = function(*arguments, errors="nan", **options)
    assert result.status != ComfortStatus.OK and result.message() == str(raised.value)
    if status is not None:
        assert result.status == status
    assert all(np.isnan(result[name]) for name in result.keys() if not name.startswith("accept"))


def test_an_array_call_never_raises_and_keeps_the_good_elements():
    r = comfort.pmv(np.array([[22.0, 40.0], [np.nan, 26.0]]), 22.0, 0.1, 50.0, 1.2, 0.5)
    assert r.shape == (2, 2)
    assert r.status.tolist() == [[0, 1], [2, 0]]
    assert np.isnan(r.pmv[0, 1]) and np.isnan(r.ppd[1, 0]) and np.isfinite(r.pmv[1, 1])
    assert r.messages()[0, 0] is None and r.messages()[0, 1].startswith("ISO 7730")


def test_threads_do_not_change_the_results():
    g = thermal_grid(20000, seed=1)
    args = (g["ta"], g["tr"], g["v"], g["rh"], g["met"], g["clo"])
    one = comfort.pmv(*args, standard="ASHRAE 55", threads=1)
    two = comfort.pmv(*args, standard="ASHRAE 55", threads=2)
    assert same_bits(one.pmv, two.pmv) and same_bits(one.cooling_effect, two.cooling_effect)
    assert np.array_equal(one.status, two.status) and list(one.messages()) == list(two.messages())


def test_running_means_of_a_year_and_their_refusals(chicago_epw):
    from hygrovane import climate

    t = climate.read_weather(chicago_epw).arrays()["dry_bulb_temperature"]
    daily = comfort.daily_means(t)
    assert daily.shape == (365,)
    en = comfort.running_mean(daily, 0.8, wrap=True)
    ashrae = comfort.prevailing_means(daily, 7, wrap=True)
    assert np.all(np.isfinite(en)) and np.all(np.isfinite(ashrae))
    assert en[15] < 0 and 18 < en[200] < 30 and abs(en[200] - ashrae[200]) < 3
    assert np.isnan(comfort.running_mean(daily)[0]) and np.isnan(comfort.prevailing_means(daily)[6])
    with_gap = daily.copy()
    with_gap[100] = np.nan
    assert np.isnan(comfort.prevailing_means(with_gap)[101:108]).all()
    with pytest.raises(ValueError):
        comfort.running_mean(daily, alpha=0.5)
    with pytest.raises(ValueError):
        comfort.prevailing_means(daily, days=31)
    assert np.isnan(comfort.daily_means(np.r_[np.full(23, 20.0), np.nan]))[0]
