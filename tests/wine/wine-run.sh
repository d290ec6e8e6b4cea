#!/usr/bin/env bash
# Runs a command inside the test Wine environment: wine-run.sh STATE_DIR command [args...]
# Output goes through files, never a pipe: Wine's service processes would inherit a pipe and
# hold it open until the server ends.
set -uo pipefail
state=${1:?state dir}
shift
# shellcheck disable=SC1091
. "$state/env.sh"
out=$(mktemp "$state/run.XXXXXX")
"$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
