#!/usr/bin/env bash
# Builds everything and runs every test: the native core under ASan/UBSan, then the Windows
# program cross-built for x86_64 and i686, its Win32 tests and end-to-end tests under Wine, and
# the release files, made twice in two folders and compared.
# The output ends with ctest's summary; the exit code is non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"

build="$root/build/test"
# The benchmarks are built too (not run), so that a change cannot leave them broken.
cmake -S "$root" -B "$build" -DQUORRIN_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORRIN_BENCHMARKS=ON \
    >/dev/null
cmake --build "$build" -j2
cd "$build"
exec ctest --output-on-failure
