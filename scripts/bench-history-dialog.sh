#!/usr/bin/env bash
# The time from choosing "演讲记录" in the tray menu to the talk history dialog painted, with
# ROWS talks in History.csv (10 unless given), measured on the real Quorrin.exe under Wine
# as scripts/bench-dialog.sh measures the timing dialog. Prints every trial, then p50 and p95
# (nearest rank).
#
#   tests/wine/wine-env.sh start DIR
#   QUORRIN_SOURCE=$PWD QUORRIN_BIN=<build>/bin tests/wine/wine-run.sh DIR bash scripts/bench-history-dialog.sh [TRIALS] [ROWS]
set -uo pipefail
trials=${1:-20}
rows=${2:-10}
# shellcheck source=../tests/e2e/app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"
# shellcheck source=dialog-openings.sh
. "$QUORRIN_SOURCE/scripts/dialog-openings.sh"

readonly kDialogClass=Quorrin.HistoryDialog

new_app bench-history
write_settings
{
    printf '\xef\xbb\xbfStart,Presentation,Planned,ResumedFrom,Actual,Paused,Overtime,End\r\n'
    for n in $(seq 1 "$rows"); do
        printf '2026-03-%02d 09:%02d:00,演示文稿第%03d号,00:20:00,,00:%02d:%02d,00:00:00,00:00:00,show-ended\r\n' \
            $((n % 28 + 1)) $((n % 60)) $((n % 7)) $((15 + n % 5)) $((n % 60))
    done
} >"$app/History.csv"
launch

echo "talks in History.csv: $rows"
time_openings "$trials" $kTalkHistoryItem $kDialogClass
