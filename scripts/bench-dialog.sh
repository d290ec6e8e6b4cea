#!/usr/bin/env bash
# The time from choosing "计时设置" in the tray menu to the timing dialog painted, with 100
# presentations in Config.ini (or as many as given), measured on the real Quorrin.exe under Wine. Each trial opens
# the menu with xdotool; tools/dialog-latency.exe clicks the entry and polls every
# millisecond until the dialog and all its children have painted. Prints every trial, then
# p50 and p95 (nearest rank).
#
#   tests/wine/wine-env.sh start DIR
#   QUORRIN_SOURCE=$PWD QUORRIN_BIN=<build>/bin tests/wine/wine-run.sh DIR bash scripts/bench-dialog.sh [TRIALS] [PRESENTATIONS]
set -uo pipefail
trials=${1:-20}
presentations=${2:-100}
# shellcheck source=../tests/e2e/app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"
# shellcheck source=dialog-openings.sh
. "$QUORRIN_SOURCE/scripts/dialog-openings.sh"

readonly kDialogClass=Quorrin.TimingDialog
readonly kListId=1111

new_app bench-dialog
SameMode=False pptFiles=$(for n in $(seq 1 "$presentations"); do
    printf 'timeCnt%s=00:20:00\ntimeWarning%s=00:02:00\nflush%s=True\nclose%s=False\nfile%s=演示文稿第%03d号\ntimeFree%s=00:00:00\n' \
        "$n" "$n" "$n" "$n" "$n" "$n" "$n"
done; echo "pptFiles=$presentations") write_settings
launch

first_opening() { echo "rows in the list: $(wininfo items "$dialog" $kListId | wc -l)"; }
time_openings "$trials" $kTimingSettingsItem $kDialogClass
