#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test; runs every fuzzer
# for 30 seconds; then builds again with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# every test once more; then builds the Debian package and checks it (scripts/check-package.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DHYGROVANE_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

./scripts/fuzz.sh 30

# The Python module is tested in the first build only: an instrumented module cannot be loaded
# into Debian's uninstrumented interpreter.
cmake -S . -B build-sanitize -DHYGROVANE_WERROR=ON -DHYGROVANE_SANITIZE=ON -DHYGROVANE_BENCH=OFF \
      -DHYGROVANE_PYTHON=OFF -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

./scripts/check-package.sh
