"""Every quantity of a state holds what its name says. The module and the C++ reference program
read the state through one list (src/python/state_quantities.h), so a wrong entry there would
pass the bit-for-bit comparison; here each name is held to a figure known without the core:
handbook values and the ideal-gas relations, with tolerances that leave room for the real-gas
corrections but not for another quantity."""

import math

import pytest
from conftest import STATE_FIELDS

import hygrovane

# Independent figures (IAPWS-95 and ICAO standard atmosphere tables, ideal-gas relations).
P = 101325.0  # Pa
PSAT_25C = 3169.9  # Pa, saturation pressure of water at 25 degC
PSAT_0C = 611.2  # Pa, at 0 degC
R_UNIVERSAL = 8314.46  # J/(kmol K)
M_AIR = 28.9645  # kg/kmol, dry air
M_WATER = 18.01528  # kg/kmol
R_AIR = R_UNIVERSAL / M_AIR  # J/(kg K)
R_WATER = R_UNIVERSAL / M_WATER  # J/(kg K)
EPSILON = M_WATER / M_AIR  # the ratio of the molecular weights

# 25 degC, 50 %: the partial pressure is half the saturation pressure.
PV = 0.5 * PSAT_25C
W = EPSILON * PV / (P - PV)
X = PV / P
WS = EPSILON * PSAT_25C / (P - PSAT_25C)
XS = PSAT_25C / P

STATES = {  # name: (dry bulb K, humidity, its input, ambient)
    "moist": (298.15, 0.5, "relative_humidity", dict(pressure=P)),
    "saturated": (303.15, 1.0, "relative_humidity", dict(pressure=P)),
    "dry at 0 degC": (273.15, 0.0, "humidity_ratio", dict(pressure=P)),
    "dry at 25 degC": (298.15, 0.0, "humidity_ratio", dict(pressure=P)),
    "at 1000 m": (288.15, 0.5, "relative_humidity", dict(altitude=1000.0)),
}

# (quantity, state, expected, relative tolerance; absolute where the expected value is 0).
ROWS = [
    ("dry_bulb", "moist", 298.15, 1e-7),
    ("dry_bulb", "saturated", 303.15, 1e-7),
    ("pressure", "moist", P, 1e-12),
    ("altitude", "moist", 0.0, 1e-12),
    ("altitude", "at 1000 m", 1000.0, 1e-12),
    ("pressure", "at 1000 m", 89874.6, 1e-5),  # the standard atmosphere's table
    ("humidity_ratio", "moist", W, 2e-3),
    ("relative_humidity", "moist", 0.5, 1e-12),
    ("relative_humidity", "saturated", 1.0, 1e-12),
    ("dew_point", "saturated", 303.15, 1e-6),
    ("dew_point", "moist", 287.0, 2e-4),  # 13.9 degC on the handbook's chart
    ("wet_bulb", "saturated", 303.15, 1e-6),
    ("wet_bulb", "moist", 291.05, 2e-4),  # 17.9 degC on the handbook's chart
    ("partial_pressure", "moist", PV, 1e-3),
    ("mole_fraction", "moist", X, 1e-3),
    ("mass_fraction", "moist", W / (1 + W), 2e-3),
    ("absolute_humidity", "moist", PV / (R_WATER * 298.15), 2e-3),
    ("molecular_weight", "dry at 0 degC", M_AIR, 1e-4),
    ("molecular_weight", "moist", M_AIR * (1 - X) + M_WATER * X, 1e-4),
    ("gas_constant", "dry at 0 degC", R_AIR, 1e-4),
    ("density", "dry at 0 degC", P / (R_AIR * 273.15), 5e-4),  # 1.292 kg/m^3
    ("specific_volume", "dry at 0 degC", R_AIR * 273.15 / P, 5e-4),  # 0.774 m^3/kg
    ("specific_volume", "moist", R_AIR * 298.15 * (1 + W / EPSILON) / P, 1e-3),
    ("enthalpy", "dry at 0 degC", 0.0, 1e-3),  # kJ/kg: the reference state of dry air
    ("enthalpy", "moist", 1.006 * 25 + W * (2501 + 1.86 * 25), 1e-3),
    # The composition of dry air, by volume and by mass.
    ("by_volume_n2", "dry at 0 degC", 0.7808, 1e-3),
    ("by_volume_o2", "dry at 0 degC", 0.2095, 1e-3),
    ("by_volume_ar", "dry at 0 degC", 0.0093, 1e-2),
    ("by_volume_co2", "dry at 0 degC", 0.00035, 0.2),
    ("by_volume_h2o", "moist", X, 1e-3),
    ("by_mass_n2", "dry at 0 degC", 0.7552, 1e-3),
    ("by_mass_o2", "dry at 0 degC", 0.2314, 1e-3),
    ("by_mass_ar", "dry at 0 degC", 0.0129, 1e-2),
    ("by_mass_co2", "dry at 0 degC", 0.00053, 0.2),
    ("by_mass_h2o", "moist", W / (1 + W), 2e-3),
    # The saturated air at the state's dry bulb and pressure.
    ("saturation_pressure", "moist", PSAT_25C, 1e-3),
    ("saturation_pressure", "dry at 0 degC", PSAT_0C, 1e-3),
    ("saturation_humidity_ratio", "moist", WS, 3e-3),
    ("saturation_mole_fraction", "moist", XS, 3e-3),
    ("saturation_absolute_humidity", "moist", PSAT_25C / (R_WATER * 298.15), 3e-3),
    ("saturation_molecular_weight", "moist", M_AIR * (1 - XS) + M_WATER * XS, 1e-4),
    ("saturation_mass_fraction", "moist", WS / (1 + WS), 3e-3),
    ("dry_air_wet_bulb", "moist", 281.42, 2e-4),  # 8.3 degC: 1.006 (25 - t) = Ws(t) h_fg
    # The limits of the humidity inputs at the state.
    ("relative_humidity_maximum", "moist", 1.0, 1e-12),
    ("humidity_ratio_minimum", "moist", 0.0, 1e-12),
    ("humidity_ratio_maximum", "moist", WS, 3e-3),
    ("dew_point_maximum", "moist", 298.15, 1e-7),
    ("wet_bulb_minimum", "moist", 281.42, 2e-4),
    ("wet_bulb_maximum", "moist", 298.15, 1e-7),
    ("partial_pressure_maximum", "moist", PSAT_25C, 1e-3),
    ("mole_fraction_maximum", "moist", XS, 3e-3),
]


@pytest.fixture(scope="module")
def states():
    return {name: hygrovane.solve(t, h, given, **ambient)
            for name, (t, h, given, ambient) in STATES.items()}


@pytest.mark.parametrize("quantity,state,expected,tolerance", ROWS,
                         ids=[f"{row[0]} of {row[1]}" for row in ROWS])
def test_quantity_holds_what_its_name_says(states, quantity, state, expected, tolerance):
    value = states[state][quantity]
    if expected == 0.0:
        assert abs(value) <= tolerance
    else:
        assert value == pytest.approx(expected, rel=tolerance)


def test_every_state_quantity_has_a_row():
    checked = {row[0] for row in ROWS}
    assert [name for name in STATE_FIELDS if name not in checked] == []


@pytest.mark.parametrize("state", STATES)
def test_density_is_the_moist_air_in_the_volume_of_a_kilogram_of_dry_air(states, state):
    s = states[state]
    assert s.density == pytest.approx((1 + s.humidity_ratio) / s.specific_volume, rel=1e-12)
    # The water in it, from its own (real-gas) relation: within the compressibility's share.
    assert s.absolute_humidity == pytest.approx(s.humidity_ratio / s.specific_volume, rel=1e-3,
                                                abs=1e-12)


def test_dry_air_wet_bulb_is_the_wet_bulb_of_dry_air(states):
    assert states["moist"].dry_air_wet_bulb == states["dry at 25 degC"].wet_bulb
    assert math.isnan(states["dry at 0 degC"].dew_point)  # no dew point without water
