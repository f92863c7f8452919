"""The CMake option HYGROVANE_PYTHON: AUTO by default, looked at again at every configure, so that
installing pybind11 after a first configure builds the module; OFF is kept and says how to turn
the module on. A small project includes cmake/Python.cmake and configures twice."""

import os
import shutil
import subprocess

import pytest

SOURCE = os.environ.get("HYGROVANE_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
PROJECT = """cmake_minimum_required(VERSION 3.25)
project(probe LANGUAGES CXX)
include({source}/cmake/Python.cmake)
message(STATUS "probe: module ${{HYGROVANE_PYTHON}}")
"""


def configure(build, *options):
    done = subprocess.run(["cmake", "-S", str(build.parent / "src"), "-B", str(build), *options],
                          capture_output=True, text=True, timeout=120)
    return done.returncode, done.stdout + done.stderr


# name, the first configure's options, the second's, the second's result, words it prints
RUNS = [
    ("pybind11 installed after the first configure", ["-DCMAKE_DISABLE_FIND_PACKAGE_pybind11=ON"],
     ["-DCMAKE_DISABLE_FIND_PACKAGE_pybind11=OFF"], "module ON", None),
    ("turned off by the user", ["-DHYGROVANE_PYTHON=OFF"], [], "module OFF",
     "-DHYGROVANE_PYTHON=AUTO builds it"),
    ("asked for without pybind11", ["-DCMAKE_DISABLE_FIND_PACKAGE_pybind11=ON"],
     ["-DHYGROVANE_PYTHON=ON"], None, "needs Python 3 with numpy, and pybind11"),
]


@pytest.mark.parametrize("name,first,second,result,words", RUNS, ids=[r[0] for r in RUNS])
def test_the_option_looks_again_at_every_configure(tmp_path, name, first, second, result, words):
    assert shutil.which("cmake"), "cmake must be on the PATH"
    (tmp_path / "src").mkdir()
    (tmp_path / "src" / "CMakeLists.txt").write_text(
        PROJECT.format(source=os.path.abspath(SOURCE)))
    build = tmp_path / "build"
    code, _ = configure(build, *first)
    assert code == 0
    code, output = configure(build, *second)
    if result is None:
        assert code != 0
    else:
        assert code == 0 and f"probe: {result}" in output, output[-600:]
    if words:
        assert words in output, output[-600:]
