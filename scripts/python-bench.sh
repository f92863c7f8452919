#!/usr/bin/env bash
# Builds the Python module and the C++ Solve loop in a Release build and times them side by side
# (bench/python_bench.py). Not a test: best run on an idle machine.
#   bash scripts/python-bench.sh [--states N]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
      -DPython3_EXECUTABLE=/usr/bin/python3 >/dev/null
cmake --build build-release -j "$(nproc)" --target hygrovane_python solve_loop
PYTHONPATH=build-release/python /usr/bin/python3 bench/python_bench.py \
    --solve-loop build-release/bench/solve_loop "$@"
