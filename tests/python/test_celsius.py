"""solve(..., temperature_unit="C"): the dry bulb, a dew point or wet bulb given, and the state's
temperatures in degC; everything else as the kelvin call gives it."""

import numpy as np
import pytest

import hygrovane

TEMPERATURES = ("dry_bulb", "dew_point", "wet_bulb", "dry_air_wet_bulb", "dew_point_minimum",
                "dew_point_maximum", "wet_bulb_minimum", "wet_bulb_maximum")
OFFSET = 273.15  # K at 0 degC, from the handbook: the test's own figure

# name, (dry bulb degC, humidity degC or as is, humidity input), the same in K
CASES = [
    ("relative humidity", (25.0, 0.5, "relative_humidity"), (298.15, 0.5)),
    ("dew point", (30.0, 12.0, "dew_point"), (303.15, 285.15)),
    ("wet bulb", (-10.0, -12.0, "wet_bulb"), (263.15, 261.15)),
    ("humidity ratio", (40.0, 0.01, "humidity_ratio"), (313.15, 0.01)),
    ("arrays", (np.array([[5.0], [35.0]]), np.array([0.3, 0.9]), "relative_humidity"),
     (np.array([[278.15], [308.15]]), np.array([0.3, 0.9]))),
    ("names per element", (np.array([20.0, 20.0]), np.array([10.0, 0.5]),
                           np.array(["dew_point", "relative_humidity"])),
     (np.array([293.15, 293.15]), np.array([283.15, 0.5]))),
]


@pytest.mark.parametrize("name,celsius,kelvin", CASES, ids=[c[0] for c in CASES])
def test_celsius_call_is_the_kelvin_call_shown_in_degC(name, celsius, kelvin):
    dry_bulb, humidity, given = celsius
    c = hygrovane.solve(dry_bulb, humidity, given, temperature_unit="C", pressure=95000.0)
    k = hygrovane.solve(*kelvin, given, pressure=95000.0)
    assert c.temperature_unit == "C" and k.temperature_unit == "K"
    assert np.array_equal(c.dry_bulb, np.broadcast_to(dry_bulb, np.shape(c.status)))  # as given
    for quantity in c.keys():
        expected = np.asarray(k[quantity]) - (OFFSET if quantity in TEMPERATURES else 0.0)
        assert np.allclose(c[quantity], expected, rtol=1e-12, atol=1e-9), quantity


def test_a_refused_element_is_nan_in_degC_too():
    s = hygrovane.solve(np.array([20.0, 150.0]), 0.5, temperature_unit="C")
    assert list(s.ok) == [True, False]
    assert np.isnan(s.dry_bulb[1]) and np.isnan(s.dew_point[1])
    with pytest.raises(ValueError, match="dry bulb"):
        hygrovane.solve(150.0, 0.5, temperature_unit="C")


def test_a_narrower_result_and_out_are_shown_in_degC():
    first = hygrovane.solve(np.array([20.0, 30.0]), 0.5, temperature_unit="C",
                            quantities=["dew_point", "enthalpy"])
    again = hygrovane.solve(np.array([21.0, 31.0]), 0.5, temperature_unit="C",
                            quantities=["dew_point", "enthalpy"], out=first)
    k = hygrovane.solve(np.array([21.0, 31.0]) + OFFSET, 0.5)
    assert again is first or np.shares_memory(again.dew_point, first.dew_point)
    assert np.allclose(again.dew_point, k.dew_point - OFFSET, atol=1e-9)


@pytest.mark.parametrize("unit", ["F", "c", "kelvin", None])
def test_other_units_are_refused(unit):
    with pytest.raises(ValueError, match="temperature_unit"):
        hygrovane.solve(20.0, 0.5, temperature_unit=unit)


PROCESS_TEMPERATURES = ("dry_bulb", "wet_bulb", "dew_point", "intermediate_dry_bulb",
                        "apparatus_dew_point")

# name, kind, (dry bulb, humidity, input), parameters: each in degC and in K
PROCESSES = [
    ("sensible cooling", "sensible-to-dry-bulb", ((30.0, 0.5, "relative_humidity"),
                                                  (303.15, 0.5)),
     dict(leaving_dry_bulb=20.0), dict(leaving_dry_bulb=293.15)),
    ("a coil by its apparatus dew point", "coil-apparatus-dew-point",
     ((30.0, 18.0, "dew_point"), (303.15, 291.15)),
     dict(apparatus_dew_point=10.0, bypass_factor=0.1),
     dict(apparatus_dew_point=283.15, bypass_factor=0.1)),
    ("cooling then reheat to a wet-bulb target", "cooling-then-reheat",
     ((32.0, 0.6, "relative_humidity"), (305.15, 0.6)),
     dict(target_dry_bulb=22.0, target_humidity=15.0, target_input="wet_bulb",
          bypass_factor=0.05),
     dict(target_dry_bulb=295.15, target_humidity=288.15, target_input="wet_bulb",
          bypass_factor=0.05)),
    ("steam at its default temperature", "steam-to-humidity-ratio",
     ((20.0, 0.3, "relative_humidity"), (293.15, 0.3)), dict(humidity_ratio=0.009),
     dict(humidity_ratio=0.009)),
    ("mixing with a second stream in degC", "mixing",
     ((30.0, 20.0, "dew_point"), (303.15, 293.15)),
     dict(second_dry_bulb=np.array([10.0, 15.0]), second_humidity=0.4, second_flow=2.0),
     dict(second_dry_bulb=np.array([283.15, 288.15]), second_humidity=0.4, second_flow=2.0)),
]


@pytest.mark.parametrize("name,kind,entering,celsius,kelvin", PROCESSES,
                         ids=[p[0] for p in PROCESSES])
def test_a_process_in_degC_is_the_kelvin_process(name, kind, entering, celsius, kelvin):
    (t_c, humidity_c, given), (t_k, humidity_k) = entering
    c = hygrovane.process(kind, t_c, humidity_c, given, temperature_unit="C", **celsius)
    k = hygrovane.process(kind, t_k, humidity_k, given, **kelvin)
    assert c.temperature_unit == "C" and np.all(c.ok)
    for quantity in c.keys():
        expected = np.asarray(k[quantity]) - (OFFSET if quantity in PROCESS_TEMPERATURES else 0)
        assert np.allclose(c[quantity], expected, rtol=1e-9, atol=1e-9, equal_nan=True), quantity
