#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang++ in build-fuzz/ and runs each for the given
# number of seconds (default 30), as many at once as there are cores, starting from the committed
# seed corpus.
# Fails when a fuzzer finds something; the reproducer is left in build-fuzz/artifacts/<target>/.
#   bash scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
./scripts/install-deps.sh clang libclang-rt-14-dev

cmake -S fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "$(nproc)"

# One fuzzer a core at a time, each for its whole time: the run takes the time of the targets
# divided by the cores.
run_one() { # target
    local target=$1 seeds="fuzz/corpus/$1/"
    local work="build-fuzz/corpus/$target" artifacts="build-fuzz/artifacts/$target"
    mkdir -p "$work" "$artifacts"
    # New inputs go to the work corpus; the committed seeds are only read.
    if ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "build-fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$work" "$seeds" >"build-fuzz/$target.log" 2>&1; then
        echo "== $target: ${seconds} s"
        grep -E '^(Done|stat::number_of_executed_units)' "build-fuzz/$target.log" || true
    else
        echo "== $target: ${seconds} s"
        echo "$target found a failure; see build-fuzz/$target.log and $artifacts/" >&2
        grep -E 'fuzz check failed|ERROR|runtime error|Test unit written' "build-fuzz/$target.log" >&2 || true
        return 1
    fi
}

status=0
pids=()
for seeds in fuzz/corpus/*/; do
    run_one "$(basename "$seeds")" &
    pids+=($!)
    if [ "${#pids[@]}" -ge "$(nproc)" ]; then
        wait "${pids[0]}" || status=1
        pids=("${pids[@]:1}")
    fi
done
for pid in "${pids[@]}"; do
    wait "$pid" || status=1
done
exit "$status"
