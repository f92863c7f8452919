#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test; runs every fuzzer
# for 30 seconds; then builds again with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# the tests of every library without Qt Widgets once more; then builds the Debian package and checks it (scripts/check-package.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DHYGROVANE_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

./scripts/fuzz.sh 30

# The sanitizers run over every library without Qt Widgets and its tests (the window models
# among them); the Qt views, the program and the Python module are tested in the first build
# only: an instrumented module cannot be loaded into Debian's uninstrumented interpreter, and the
# widgets' tests there add the most build time for the least of our own code.
cmake -S . -B build-sanitize -DHYGROVANE_WERROR=ON -DHYGROVANE_SANITIZE=ON -DHYGROVANE_BENCH=OFF \
      -DHYGROVANE_PYTHON=OFF -DHYGROVANE_GUI=OFF -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

./scripts/check-package.sh
