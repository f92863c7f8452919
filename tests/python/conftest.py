"""Shared fixtures of the Python module's tests, and a rule: a skipped test fails the run, so a
module that cannot be imported or a missing dependency is never a silent pass."""

import os
import subprocess

import numpy as np
import pytest

import hygrovane

_skipped = []


def pytest_runtest_logreport(report):
    if report.skipped:
        _skipped.append(report.nodeid)


def pytest_sessionfinish(session, exitstatus):
    if _skipped and session.exitstatus == 0:
        print(f"\nskipped tests count as failures here: {_skipped}")
        session.exitstatus = 1


# The state's own quantities, in the order the compiled module and core_reference give them (both
# read src/python/state_quantities.h), without the limits of the humidity inputs.
STATE_FIELDS = tuple(name for name in hygrovane.State._names
                     if not name.endswith(("_minimum", "_maximum")))


def _hex(x) -> str:
    return float(x).hex()


class Reference:
    """The C++ core's answers from tests/python/core_reference.cpp, one line per request."""

    def __init__(self, path):
        self.path = path

    def run(self, lines):
        done = subprocess.run([self.path], input="\n".join(lines) + "\n", capture_output=True,
                              text=True, check=True)
        answers = done.stdout.splitlines()
        assert len(answers) == len(lines)
        return [_parse(a) for a in answers]

    def solve(self, rows):
        """rows: (T, humidity, input code, pressure code, pressure, formulation code)."""
        return self.run([
            f"solve {_hex(t)} {_hex(h)} {i} {pc} {_hex(p)} {f}" for t, h, i, pc, p, f in rows
        ])

    def process(self, rows):
        return self.run(["process " + " ".join(str(v) if isinstance(v, (str, int)) else _hex(v)
                                               for v in row) for row in rows])


def _parse(answer):
    word, _, rest = answer.partition(" ")
    if word == "ok":
        return [float.fromhex(v) if "nan" not in v else float("nan") for v in rest.split()]
    return rest


@pytest.fixture(scope="session")
def reference():
    path = os.environ.get("HYGROVANE_REFERENCE")
    assert path and os.path.exists(path), "HYGROVANE_REFERENCE must name core_reference"
    return Reference(path)


def same_bits(a, b) -> bool:
    """Equal to the last bit; NaN equals NaN."""
    a = np.asarray(a, dtype=np.float64)
    b = np.asarray(b, dtype=np.float64)
    if a.shape != b.shape:
        return False
    both_nan = np.isnan(a) & np.isnan(b)
    return bool(np.all(both_nan | (a.view(np.uint64) == b.view(np.uint64))))


@pytest.fixture(scope="session")
def domain_reference():
    """The comfort and weather libraries' answers (tests/python/domain_reference.cpp)."""
    path = os.environ.get("HYGROVANE_DOMAIN_REFERENCE")
    assert path and os.path.exists(path), "HYGROVANE_DOMAIN_REFERENCE must name domain_reference"
    return Reference(path)


def hexes(*values) -> str:
    """Numbers as the reference programs read them, exactly."""
    return " ".join(_hex(v) for v in values)


@pytest.fixture(scope="session")
def chicago_epw():
    """chicago.epw of the shared data, where tests/climate reads it."""
    folder = os.environ.get("HYGROVANE_SHARED_DATA", "")
    path = os.path.join(folder, "weather", "chicago.epw")
    assert os.path.exists(path), f"the shared weather file is missing: {path}"
    return path
