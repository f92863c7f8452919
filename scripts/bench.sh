#!/usr/bin/env bash
# Builds and runs every benchmark, reporting medians over repetitions.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release -j "$(nproc)"
for b in build-release/bench/*_bench; do
    "$b" --benchmark_repetitions=9 --benchmark_report_aggregates_only=true \
         --benchmark_display_aggregates_only=true "$@"
done
