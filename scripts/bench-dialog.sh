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

readonly kDialogClass=Quorrin.TimingDialog
readonly kCancelId=2
readonly kListId=1111

new_app bench-dialog
SameMode=False pptFiles=$(for n in $(seq 1 "$presentations"); do
    printf 'timeCnt%s=00:20:00\ntimeWarning%s=00:02:00\nflush%s=True\nclose%s=False\nfile%s=演示文稿第%03d号\ntimeFree%s=00:00:00\n' \
        "$n" "$n" "$n" "$n" "$n" "$n" "$n"
done; echo "pptFiles=$presentations") write_settings
launch

dialog=
dialog_open() { dialog=$(first_window --class "$kDialogClass" --visible); }
dialog_gone() { ! first_window --class "$kDialogClass" >/dev/null; }
times=()
for i in $(seq 1 "$trials"); do
    xdotool mousemove $kIconX $kIconY click 3
    wait_until $kMenuSeconds menu_open || { echo "trial $i: no menu"; exit 1; }
    read -r left top right bottom < <(window_rect "$menu")
    x=$((left + (right - left) / 2))
    y=$(menu_entry_y $kTimingSettingsItem)
    out=$(mktemp)
    wine "$QUORRIN_BIN/dialog-latency.exe" "$x" "$y" "$kDialogClass" >"$out" 2>/dev/null </dev/null
    ms=$(tr -d '\r' <"$out")
    rm -f "$out"
    [ -n "$ms" ] || { echo "trial $i: timed out"; exit 1; }
    wait_until 10 dialog_open || exit 1
    if [ "$i" -eq 1 ]; then
        echo "rows in the list: $(wininfo items "$dialog" $kListId | wc -l)"
    fi
    echo "trial $i: $ms ms"
    times+=("$ms")
    wininfo command "$dialog" $kCancelId >/dev/null
    wait_until 10 dialog_gone || exit 1
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
rank() { printf '%s\n' "$sorted" | sed -n "$(((trials * $1 + 99) / 100))p"; }
echo "p50 $(rank 50) ms, p95 $(rank 95) ms, max $(printf '%s\n' "$sorted" | tail -1) ms ($trials trials)"
