"""hygrovane.units: the program's unit catalogue, converted both ways."""

import numpy as np
import pytest

from hygrovane import units

CATALOGUE = units.catalogue()
EVERY_UNIT = [(q, u) for q, names in CATALOGUE.items() for u in names]


def test_catalogue_holds_the_windows_names():
    for quantity, unit in [("temperature", "C"), ("temperature", "F"), ("pressure", "kPa"),
                           ("pressure", "PSI"), ("humidity_ratio", "(kg moisture)/(kg dry air)"),
                           ("enthalpy", "btu/lb (dry air)"), ("relative_humidity", "%")]:
        assert unit in CATALOGUE[quantity], (quantity, unit)
    assert len(CATALOGUE) == 13


@pytest.mark.parametrize("quantity,unit", EVERY_UNIT, ids=[f"{q}:{u}" for q, u in EVERY_UNIT])
def test_every_unit_round_trips_through_the_internal_unit(quantity, unit):
    values = np.array([0.0, 0.37, 1.0, 12.5, 300.0, -40.0])
    there = units.from_internal(values, unit, quantity)
    back = units.to_internal(there, unit, quantity)
    assert np.allclose(back, values, rtol=1e-13, atol=1e-12)
    first = CATALOGUE[quantity][0]
    assert np.allclose(units.convert(units.convert(values, first, unit, quantity), unit, first,
                                     quantity), values, rtol=1e-13, atol=1e-12)


KNOWN = [
    # value, from, to, expected
    (100.0, "C", "F", 212.0),
    (-40.0, "F", "C", -40.0),
    (0.0, "C", "K", 273.15),
    (491.67, "R", "K", 273.15),
    (101.325, "kPa", "Pa", 101325.0),
    (1.0, "Atmosphere", "kPa", 101.325),
    (1.0, "PSI", "Pa", 6894.757),  # the program's factor
    (10.0, "(g moisture)/(kg dry air)", "(kg moisture)/(kg dry air)", 0.01),
    (1.0, "km", "m", 1000.0),
    (0.42992, "btu/lb (dry air)", "kJ/kg (dry air)", 1.0),  # the program's factor
]


@pytest.mark.parametrize("value,source,target,expected", KNOWN,
                         ids=[f"{k[1]}->{k[2]}" for k in KNOWN])
def test_known_conversions(value, source, target, expected):
    assert units.convert(value, source, target) == pytest.approx(expected, rel=1e-9)


def test_shape_and_scalars_are_kept():
    grid = np.arange(6.0).reshape(2, 3)
    assert units.convert(grid, "C", "F").shape == (2, 3)
    assert isinstance(units.convert(20, "C", "F"), float)
    assert units.convert(np.arange(4, dtype=">i4")[::2], "kPa", "Pa").tolist() == [0.0, 2000.0]


def test_percent_becomes_the_fraction_solve_takes():
    assert units.to_internal(50.0, "%") == 0.5
    assert units.quantities_of("%") == ["relative_humidity", "mole_fraction", "mass_fraction"]


def test_a_name_differing_only_in_case_is_found():
    assert units.convert(1.0, "psi", "kPa") == units.convert(1.0, "PSI", "kPa")


@pytest.mark.parametrize("call", [
    lambda: units.convert(1.0, "C", "kPa"),
    lambda: units.convert(1.0, "furlong", "m"),
    lambda: units.convert(1.0, "C", "F", quantity="pressure"),
    lambda: units.convert(1.0, "C", "F", quantity="colour"),
], ids=["different quantities", "unknown unit", "unit of another quantity", "unknown quantity"])
def test_mistakes_are_refused(call):
    with pytest.raises(ValueError):
        call()
