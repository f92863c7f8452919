"""process() over arrays gives, bit for bit, what the C++ processes give for each element, and
the same refusals with the same sentences."""

import numpy as np
import pytest
from conftest import same_bits

import hygrovane
from hygrovane import ProcessStatus

RH = hygrovane.HUMIDITY_INPUTS.index("relative_humidity")
W = hygrovane.HUMIDITY_INPUTS.index("humidity_ratio")
PARAMETERS = ("leaving_dry_bulb", "heat_rate", "apparatus_dew_point", "bypass_factor",
              "relative_humidity", "humidity_ratio", "effectiveness", "steam_temperature")
DEFAULTS = dict(leaving_dry_bulb=0.0, heat_rate=0.0, apparatus_dew_point=0.0, bypass_factor=0.0,
                relative_humidity=0.0, humidity_ratio=0.0, effectiveness=0.0,
                steam_temperature=373.15)

# name, kind, parameters (arrays vary per element), a target (T, RH) or None, flow unit
PROCESSES = [
    ("heating to a dry bulb", "sensible-to-dry-bulb", dict(leaving_dry_bulb=lambda t: t + 12.0),
     None, "kg/s"),
    ("cooling by a heat rate", "sensible-by-heat-rate", dict(heat_rate=lambda t: -3000.0 + 0 * t),
     None, "m^3/s"),
    ("coil from an apparatus dew point", "coil-apparatus-dew-point",
     dict(apparatus_dew_point=lambda t: t - 18.0, bypass_factor=lambda t: 0.1 + 0 * t), None,
     "L/s"),
    ("coil to a leaving dry bulb", "coil-leaving-dry-bulb",
     dict(leaving_dry_bulb=lambda t: t - 8.0, bypass_factor=lambda t: 0.15 + 0 * t), None, "cfm"),
    ("coil to a leaving state", "coil-leaving-state", {}, (281.15, 0.95), "kg/s"),
    ("evaporative to a relative humidity", "evaporative-to-relative-humidity",
     dict(relative_humidity=lambda t: 0.8 + 0 * t), None, "kg/s"),
    ("evaporative by effectiveness", "evaporative-by-effectiveness",
     dict(effectiveness=lambda t: 0.7 + 0 * t), None, "lb/h"),
    ("steam to a humidity ratio", "steam-to-humidity-ratio",
     dict(humidity_ratio=lambda t: 0.02 + 0 * t, steam_temperature=lambda t: 383.15 + 0 * t),
     None, "kg/s"),
    ("heating then steam to a state", "heating-then-steam", {}, (297.15, 0.45), "kg/s"),
    ("cooling then reheat to a state", "cooling-then-reheat",
     dict(bypass_factor=lambda t: 0.05 + 0 * t), (295.15, 0.5), "kg/s"),
    ("mixing two streams", "mixing", {}, None, "kg/s"),
]


def entering(n=40, seed=5):
    rng = np.random.default_rng(seed)
    return rng.uniform(278.15, 313.15, n), rng.uniform(0.1, 0.95, n), rng.uniform(0.5, 3.0, n)


@pytest.mark.parametrize("name,kind,parameters,target,unit", PROCESSES,
                         ids=[p[0] for p in PROCESSES])
def test_process_equals_core_bit_for_bit(reference, name, kind, parameters, target, unit):
    t, rh, flow = entering()
    values = {key: make(t) for key, make in parameters.items()}
    options = dict(values, flow=flow, flow_unit=unit, pressure=97000.0)
    if target:
        options.update(target_dry_bulb=target[0], target_humidity=target[1])
    if kind == "mixing":
        options.update(second_dry_bulb=t[::-1], second_humidity=rh[::-1], second_flow=flow[::-1])
    result = hygrovane.process(kind, t, rh, **options)

    rows = []
    for i in range(len(t)):
        p = [float(np.broadcast_to(values.get(k, DEFAULTS[k]), t.shape)[i]) for k in PARAMETERS]
        tt, th = target or (298.15, 0.5)
        rows.append([kind, unit, 0, 97000.0, 1, t[i], RH, rh[i], flow[i], t[::-1][i], RH,
                     rh[::-1][i], flow[::-1][i], *p, tt, RH, th])
    answers = reference.process(rows)
    fields = ("dry_bulb", "humidity_ratio", "enthalpy", "specific_volume", "wet_bulb", "sensible",
              "latent", "total", "water")
    computed = 0
    refused = set()
    for i, answer in enumerate(answers):
        if isinstance(answer, str):
            refused.add(answer.split()[0])
            assert result.status[i] != 0 and result.message(i) == answer, i
            continue
        computed += 1
        assert result.status[i] == 0, f"element {i}: {result.message(i)}"
        differs = [f for f, c in zip(fields, answer) if not same_bits(getattr(result, f)[i], c)]
        assert not differs, f"element {i} differs from the core in {differs}"
    assert computed >= 5, f"too few elements computed to compare; refusals: {refused}"


REFUSALS = [
    # name, kind, arguments, status, words of the sentence
    ("sensible cooling below the dew point", "sensible-to-dry-bulb",
     dict(dry_bulb=303.15, humidity=0.8, leaving_dry_bulb=283.15), ProcessStatus.CONDENSATION,
     None),
    ("steam beyond saturation", "steam-to-humidity-ratio",
     dict(dry_bulb=293.15, humidity=0.5, humidity_ratio=0.05), ProcessStatus.FOG, None),
    ("a negative air flow", "sensible-to-dry-bulb",
     dict(dry_bulb=293.15, humidity=0.5, leaving_dry_bulb=300.0, flow=-1.0),
     ProcessStatus.BAD_PARAMETER, "Every air flow must be positive."),
    ("an entering state the core refuses", "sensible-to-dry-bulb",
     dict(dry_bulb=293.15, humidity=1.5, leaving_dry_bulb=300.0), ProcessStatus.OUT_OF_RANGE,
     "The relative humidity (fraction) 1.5 lies outside its limits 0 to 1."),
    ("a pressure the core refuses", "mixing",
     dict(dry_bulb=293.15, humidity=0.5, pressure=100.0), ProcessStatus.OUT_OF_RANGE,
     "The pressure (Pa) 100 lies outside its limits 5000 to 1000000."),
]


@pytest.mark.parametrize("name,kind,arguments,status,sentence", REFUSALS,
                         ids=[r[0] for r in REFUSALS])
def test_refusals_are_typed_with_the_sentence(name, kind, arguments, status, sentence):
    with pytest.raises(ValueError) as raised:
        hygrovane.process(kind, **arguments)
    if sentence:
        assert str(raised.value) == sentence
    # In an array beside a good element: NaN and the status, no exception.
    arrays = {k: np.array([v, v]) for k, v in arguments.items()}
    arrays["dry_bulb"] = np.array([arguments["dry_bulb"], 293.15])
    arrays["humidity"] = np.array([arguments["humidity"], 0.5])
    for key in ("leaving_dry_bulb", "humidity_ratio", "flow", "pressure"):
        if key in arrays:
            arrays[key][1] = dict(leaving_dry_bulb=300.0, humidity_ratio=0.0075, flow=1.0,
                                  pressure=101325.0)[key]
    if kind == "sensible-to-dry-bulb" and "leaving_dry_bulb" not in arrays:
        arrays["leaving_dry_bulb"] = 300.0
    result = hygrovane.process(kind, **arrays)
    assert list(result.status) == [status, ProcessStatus.OK]
    assert all(np.isnan(getattr(result, f)[0]) for f in result.keys())
    assert result.message(0) == str(raised.value) and result.message(1) is None


def test_mix_is_mixing_with_the_streams_side_by_side():
    a = hygrovane.mix(293.15, 0.5, 1.0, np.array([303.15, 308.15]), 0.6, 2.0)
    b = hygrovane.process("mixing", 293.15, 0.5, flow=1.0, second_dry_bulb=[303.15, 308.15],
                          second_humidity=0.6, second_flow=2.0)
    assert same_bits(a.enthalpy, b.enthalpy) and same_bits(a.total, [0.0, 0.0])


def test_chains_report_their_intermediate_point():
    r = hygrovane.process("heating-then-steam", 283.15, 0.4, target_dry_bulb=297.15,
                          target_humidity=0.45)
    assert r.intermediate_dry_bulb > 283.15
    assert r.intermediate_humidity_ratio < r.humidity_ratio
    single = hygrovane.process("sensible-to-dry-bulb", 283.15, 0.4, leaving_dry_bulb=290.0)
    assert np.isnan(single.intermediate_dry_bulb)


@pytest.mark.parametrize("kind,unit", [("boiling", "kg/s"), ("mixing", "upstream"),
                                       ("mixing", "gallons")])
def test_unknown_kinds_and_units_are_refused(kind, unit):
    with pytest.raises(ValueError):
        hygrovane.process(kind, 293.15, 0.5, flow_unit=unit)
