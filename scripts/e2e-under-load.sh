#!/usr/bin/env bash
# Runs the end-to-end suite of a built tree several times in a row while stress-ng keeps the
# processors busy, to show that its waits hold on a loaded machine; stress-ng is stopped at
# the end, whatever happens. Prints each run's result and time, and the waits that came
# closest to their deadlines (see wait_until in tests/wine/win-helpers.sh).
#   scripts/e2e-under-load.sh [--runs N] [--cpu WORKERS] [--quiet-first] [BUILD_DIR]
#     --runs N         loaded runs (3)
#     --cpu WORKERS    stress-ng CPU workers (2)
#     --quiet-first    one run without the load first, for comparison
#     BUILD_DIR        a configured and built test tree (build/test)
# Exits non-zero when any loaded run failed.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2

runs=3
workers=2
quiet_first=
build=build/test
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs=$2; shift 2 ;;
        --cpu) workers=$2; shift 2 ;;
        --quiet-first) quiet_first=1; shift ;;
        -*) sed -n '2,11p' "$0" >&2; exit 2 ;;
        *) build=$1; shift ;;
    esac
done
[ -f "$build/CTestTestfile.cmake" ] || { echo "no built test tree in $build" >&2; exit 2; }
command -v stress-ng >/dev/null || { echo "stress-ng is missing (scripts/setup.sh)" >&2; exit 2; }

logs=$(mktemp -d "${TMPDIR:-/tmp}/e2e-under-load.XXXXXX")
stress_pid=
stop_stress() {
    [ -n "$stress_pid" ] || return 0
    kill "$stress_pid" 2>/dev/null
    { wait "$stress_pid"; } 2>/dev/null
    stress_pid=
}
trap stop_stress EXIT
trap "exit 130" INT TERM  # the EXIT trap then stops stress-ng

# run_suite NAME: one run of the e2e suite; prints its result, time and closest waits.
run_suite() {
    local started rc seconds
    started=$SECONDS
    QUORRIN_WAIT_LOG="$logs/$1.waits" ctest --test-dir "$build" -R '^e2e\.' \
        --output-on-failure >"$logs/$1.log" 2>&1
    rc=$?
    seconds=$((SECONDS - started))
    printf '%-8s %s in %d s  (%s)\n' "$1" "$([ $rc -eq 0 ] && echo passed || echo FAILED)" \
        "$seconds" "$(grep -E 'tests passed|tests failed' "$logs/$1.log" | tail -n 1)"
    [ $rc -eq 0 ] || grep -E '^FAIL |Failed|\*\*\*' "$logs/$1.log" | sed 's/^/         /'
    if [ -s "$logs/$1.waits" ]; then
        echo "         longest waits that succeeded (ms, script, condition):"
        awk -F'\t' '$2 == 0' "$logs/$1.waits" | sort -t$'\t' -k1,1nr | head -n 5 |
            awk -F'\t' '{ printf "           %6d  %s  %s\n", $1, $3, $4 }'
    fi
    return $rc
}

echo "logs in $logs"
[ -n "$quiet_first" ] && run_suite quiet
stress-ng --cpu "$workers" --quiet >"$logs/stress-ng.log" 2>&1 </dev/null &
stress_pid=$!
failed=0
for ((i = 1; i <= runs; i++)); do
    run_suite "loaded$i" || failed=$((failed + 1))
done
stop_stress
echo "--- $failed of $runs loaded run(s) failed"
[ $failed -eq 0 ]
