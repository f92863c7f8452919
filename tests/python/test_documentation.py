"""What editors and help() show: the stubs name every result, the docstrings the units."""

import ast
import inspect
import os
import re

import pytest

import hygrovane

PACKAGE = os.path.dirname(hygrovane.__file__)


def stub_fields(class_name):
    tree = ast.parse(open(os.path.join(PACKAGE, "__init__.pyi")).read())
    cls = next(n for n in tree.body if isinstance(n, ast.ClassDef) and n.name == class_name)
    return [n.target.id for n in cls.body if isinstance(n, ast.AnnAssign)]


@pytest.mark.parametrize("cls", [hygrovane.State, hygrovane.ProcessResult])
def test_stubs_name_every_result(cls):
    assert stub_fields(cls.__name__) == list(cls._names)


def test_stub_signatures_match_the_functions():
    tree = ast.parse(open(os.path.join(PACKAGE, "__init__.pyi")).read())
    for node in tree.body:
        if isinstance(node, ast.FunctionDef):
            real = inspect.signature(getattr(hygrovane, node.name))
            stub = [a.arg for a in node.args.args + node.args.kwonlyargs]
            assert stub == [p for p in real.parameters if p != "options"], node.name


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


def stub_functions(stub_file):
    tree = ast.parse(open(os.path.join(PACKAGE, stub_file)).read())
    return {n.name: [a.arg for a in n.args.args + n.args.kwonlyargs] for n in tree.body
            if isinstance(n, ast.FunctionDef)}


@pytest.mark.parametrize("module", [hygrovane.comfort, hygrovane.climate],
                         ids=["comfort", "climate"])
def test_module_stubs_match_the_functions(module):
    stubs = stub_functions(module.__name__.split(".")[-1] + ".pyi")
    public = [name for name in module.__all__ if inspect.isfunction(getattr(module, name))]
    assert sorted(stubs) == sorted(public)
    for name, arguments in stubs.items():
        assert arguments == list(inspect.signature(getattr(module, name)).parameters), name


def test_comfort_stubs_name_every_result():
    from hygrovane.comfort import _OUTPUTS

    tree = ast.parse(open(os.path.join(PACKAGE, "comfort.pyi")).read())
    cls = next(n for n in tree.body if isinstance(n, ast.ClassDef) and n.name == "ComfortResult")
    fields = {n.target.id for n in cls.body if isinstance(n, ast.AnnAssign)}
    assert {name for names in _OUTPUTS.values() for name in names} <= fields


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
