#!/usr/bin/env bash
# Runs the benchmarks of the portable core in a native Release build.
#   scripts/bench.sh [benchmark options, e.g. --benchmark_filter=Selection]
# The figures of the real Quorrin.exe under Wine (idle CPU, show-to-clock latency, memory,
# .exe sizes) come from scripts/bench-wine.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"

build="$root/build/bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUORRIN_BENCHMARKS=ON \
    -DQUORRIN_WINDOWS_BUILDS=OFF -DQUORRIN_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target quorrin_bench
exec "$build/bench/quorrin_bench" "$@"
