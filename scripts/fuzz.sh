#!/usr/bin/env bash
# Fuzzes every reader of outside text (fuzz/*_fuzz.cpp) with libFuzzer under ASan and UBSan.
#
#   scripts/fuzz.sh [SECONDS]    builds the targets in build/fuzz with clang and runs each
#                                for SECONDS (default 60), one after the other
#   scripts/fuzz.sh --run TARGET SEEDS WORK SECONDS
#                                runs one built target (what the ctest tests fuzz.* call)
#
# A run starts from the committed seeds (fuzz/corpus/<name>/, only read) and keeps what it
# learns in WORK/corpus, outside git; a crash input lands in WORK/artifacts. The exit code is
# non-zero when any target finds a fault; the last lines of each log give its figures.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

run_one() {
    local target=$1 seeds=$2 work=$3 seconds=$4
    mkdir -p "$work/corpus" "$work/artifacts"
    local log="$work/fuzz.log"
    echo "fuzz: $(basename "$target") for ${seconds}s (log: $log)"
    if "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
        -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
        "$work/corpus" "$seeds" >"$log" 2>&1; then
        # The figures: executions, coverage and corpus at the end.
        grep -E '^(#[0-9]+.*(DONE|pulse)|stat::number_of_executed_units|stat::average_exec_per_sec)' \
            "$log" | tail -n 3
        return 0
    fi
    echo "fuzz: $(basename "$target") FOUND A FAULT:" >&2
    grep -v '^#' "$log" | tail -n 40 >&2
    ls "$work/artifacts" >&2
    return 1
}

if [ "${1:-}" = "--run" ]; then
    [ $# -eq 5 ] || { echo "usage: $0 --run TARGET SEEDS WORK SECONDS" >&2; exit 2; }
    run_one "$2" "$3" "$4" "$5"
    exit
fi

seconds=${1:-60}
bash "$root/scripts/setup.sh"
build="$root/build/fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORRIN_FUZZ=ON -DQUORRIN_TESTS=OFF -DQUORRIN_WINDOWS_BUILDS=OFF >/dev/null
cmake --build "$build" -j2

failed=()
for source in "$root"/fuzz/*_fuzz.cpp; do
    target=$(basename "$source" .cpp)
    name=${target%_fuzz}
    run_one "$build/fuzz/$target" "$root/fuzz/corpus/$name" "$build/runs/$name" "$seconds" ||
        failed+=("$name")
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: faults found by: ${failed[*]}" >&2
    exit 1
fi
echo "fuzz: no faults found"
