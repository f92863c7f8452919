"""What editors and help() show: every public function annotated, every result named, the
docstrings giving the units."""

import inspect
import os
import re
import typing

import pytest

import hygrovane

PACKAGE = os.path.dirname(hygrovane.__file__)
MODULES = [hygrovane, hygrovane.comfort, hygrovane.climate, hygrovane.units]


def public_functions():
    """Every public function of the modules and every public method of their public classes."""
    found = {}
    for module in MODULES:
        exported = getattr(module, "__all__", None) or [
            name for name, value in vars(module).items()
            if not name.startswith("_") and getattr(value, "__module__", "") == module.__name__]
        for name in exported:
            value = getattr(module, name)
            if inspect.isfunction(value):
                found[f"{module.__name__}.{name}"] = value
            elif inspect.isclass(value):
                for method_name, method in inspect.getmembers(value):
                    if isinstance(method, property):
                        method = method.fget
                    if (not method_name.startswith("_") and inspect.isfunction(method)
                            and method.__module__.startswith("hygrovane")):
                        found[f"{module.__name__}.{name}.{method_name}"] = method
    return found


FUNCTIONS = public_functions()


def test_the_public_functions_are_found():
    names = set(FUNCTIONS)
    assert {"hygrovane.solve", "hygrovane.comfort.pmv", "hygrovane.climate.read_weather",
            "hygrovane.units.convert", "hygrovane.State.to_frame",
            "hygrovane.climate.Weather.states"} <= names


@pytest.mark.parametrize("name", sorted(FUNCTIONS))
def test_function_is_fully_annotated(name):
    function = FUNCTIONS[name]
    signature = inspect.signature(function)
    parameters = [p for p in signature.parameters if p not in ("self", "cls")]
    missing = [p for p in parameters if signature.parameters[p].annotation is inspect.Parameter.empty]
    assert missing == [], f"{name} has parameters without a type"
    assert signature.return_annotation is not inspect.Signature.empty, f"{name} returns no type"
    # The annotations evaluate: every name they use is defined where the function is.
    hints = typing.get_type_hints(function)
    assert set(hints) == set(parameters) | {"return"}


@pytest.mark.parametrize("cls", [hygrovane.State, hygrovane.ProcessResult])
def test_results_annotate_every_quantity_in_order(cls):
    assert [n for n in cls.__annotations__ if not n.startswith("_")] == list(cls._names)


def test_comfort_result_annotates_every_result():
    from hygrovane.comfort import _OUTPUTS

    names = {name for names in _OUTPUTS.values() for name in names}
    assert names <= set(hygrovane.comfort.ComfortResult.__annotations__)


def test_help_shows_the_type_names_not_their_expansion():
    text = str(inspect.signature(hygrovane.solve))
    assert "dry_bulb: 'ArrayLike'" in text and "errors: 'Errors' = 'auto'" in text
    assert "_SupportsArray" not in text


def test_package_is_typed():
    assert os.path.exists(os.path.join(PACKAGE, "py.typed"))


@pytest.mark.parametrize("function", [hygrovane.solve, hygrovane.process])
def test_docstrings_name_the_internal_units(function):
    text = inspect.getdoc(function)
    for unit in ("K", "Pa", "kg/kg", "fraction"):
        assert re.search(rf"(?<![\w/]){re.escape(unit)}(?![\w/])", text), unit


def test_help_of_solve_reads_as_text():
    text = inspect.getdoc(hygrovane.solve)
    assert "def " not in text and "broadcast" in text and "ValueError" in text
    assert "enthalpy" in inspect.getdoc(hygrovane.State)


@pytest.mark.parametrize("function,units", [
    (hygrovane.comfort.pmv, ("degC", "m/s", "%", "Pa", "met", "clo")),
    (hygrovane.comfort.standard_effective_temperature, ("degC", "Pa")),
    (hygrovane.comfort.adaptive_ashrae55, ("degC", "m/s", "K")),
    (hygrovane.comfort.adaptive_en16798, ("degC", "m/s", "K")),
    (hygrovane.climate.Weather.states, ("K", "Pa", "kg/kg", "fraction", "kJ/kg")),
    (hygrovane.climate.Weather.arrays, ("degC", "%", "Pa", "m/s")),
], ids=lambda v: getattr(v, "__qualname__", None))
def test_comfort_and_weather_docstrings_name_their_units(function, units):
    text = inspect.getdoc(function)
    for unit in units:
        assert re.search(rf"(?<![\w/]){re.escape(unit)}(?![\w/])", text), unit
