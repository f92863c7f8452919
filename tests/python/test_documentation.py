"""What editors and help() show: every public function annotated, every result named, the
docstrings giving the units."""

import ast
import inspect
import os
import re
import typing

import pytest

import hygrovane

PACKAGE = os.path.dirname(hygrovane.__file__)
MODULES = [hygrovane, hygrovane.comfort, hygrovane.climate, hygrovane.envelopes, hygrovane.units]


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


def test_the_annotations_literal_names_are_the_compiled_modules():
    # Type checkers need the names written out; the running code takes them from _core.
    from hygrovane import _types

    assert typing.get_args(_types.HumidityInput) == hygrovane.HUMIDITY_INPUTS
    assert set(typing.get_args(_types.Formulation)) == set(hygrovane.FORMULATIONS)


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


def top_level_parts(text):
    """The parameters of a signature: split at the commas outside brackets, so that a type such as
    List[Tuple[a, b]] stays one part."""
    parts, depth, start = [], 0, 0
    for i, c in enumerate(text):
        depth += c == "[" or c == "("
        depth -= c == "]" or c == ")"
        if c == "," and depth == 0:
            parts.append(text[start:i].strip())
            start = i + 1
    parts.append(text[start:].strip())
    return parts


def compiled_signatures():
    """The parameter names of every public function and method of hygrovane._core, read from
    the first line pybind11 writes into each docstring."""
    from hygrovane import _core

    found = {}
    owners = [("", _core)] + [(name + ".", value) for name, value in vars(_core).items()
                              if isinstance(value, type) and not name.startswith("_")]
    for prefix, owner in owners:
        for name, value in vars(owner).items():
            first = (getattr(value, "__doc__", None) or "").strip().split("\n")[0]
            if name.startswith("_") or not first.startswith(name + "("):
                continue
            inside = first[len(name) + 1:first.rindex(") ->")]
            found[prefix + name] = [p.split(":")[0].strip() for p in top_level_parts(inside)
                                    if p and p.split(":")[0].strip() != "self"]
    return found


def test_the_compiled_module_stub_names_every_function_and_its_parameters():
    tree = ast.parse(open(os.path.join(PACKAGE, "_core.pyi")).read())
    stub = {}
    for node in tree.body:
        members = node.body if isinstance(node, ast.ClassDef) else [node]
        prefix = node.name + "." if isinstance(node, ast.ClassDef) else ""
        for f in members:
            if isinstance(f, ast.FunctionDef) and not f.name.startswith("_") and not any(
                    isinstance(d, ast.Name) and d.id == "property" for d in f.decorator_list):
                stub[prefix + f.name] = [a.arg for a in f.args.args if a.arg != "self"]
    assert stub == compiled_signatures()


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
