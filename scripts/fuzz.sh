#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang++ in build-fuzz/ and runs each for the given
# number of seconds (default 30), one after another, starting from the committed seed corpus.
# Fails when a fuzzer finds something; the reproducer is left in build-fuzz/artifacts/<target>/.
#   bash scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
./scripts/install-deps.sh clang libclang-rt-14-dev

cmake -S fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "$(nproc)"

status=0
for seeds in fuzz/corpus/*/; do
    target="$(basename "$seeds")"
    work="build-fuzz/corpus/$target"
    artifacts="build-fuzz/artifacts/$target"
    mkdir -p "$work" "$artifacts"
    echo "== $target: ${seconds} s"
    # New inputs go to the work corpus; the committed seeds are only read.
    if ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "build-fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$work" "$seeds" >"build-fuzz/$target.log" 2>&1; then
        grep -E '^(Done|stat::number_of_executed_units)' "build-fuzz/$target.log" || true
    else
        status=1
        echo "$target found a failure; see build-fuzz/$target.log and $artifacts/" >&2
        grep -E 'fuzz check failed|ERROR|runtime error|Test unit written' "build-fuzz/$target.log" >&2 || true
    fi
done
exit "$status"
