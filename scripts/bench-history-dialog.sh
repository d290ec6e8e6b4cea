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

readonly kDialogClass=Quorrin.HistoryDialog
readonly kCloseId=2

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

dialog=
dialog_open() { dialog=$(first_window --class "$kDialogClass" --visible); }
dialog_gone() { ! first_window --class "$kDialogClass" >/dev/null; }
times=()
for i in $(seq 1 "$trials"); do
    xdotool mousemove $kIconX $kIconY click 3
    wait_until $kMenuSeconds menu_open || { echo "trial $i: no menu"; exit 1; }
    read -r left top right bottom < <(window_rect "$menu")
    x=$((left + (right - left) / 2))
    y=$(menu_entry_y $kTalkHistoryItem)
    out=$(mktemp)
    wine "$QUORRIN_BIN/dialog-latency.exe" "$x" "$y" "$kDialogClass" >"$out" 2>/dev/null </dev/null
    ms=$(tr -d '\r' <"$out")
    rm -f "$out"
    [ -n "$ms" ] || { echo "trial $i: timed out"; exit 1; }
    wait_until 10 dialog_open || exit 1
    [ "$i" -eq 1 ] && echo "talks in History.csv: $rows"
    echo "trial $i: $ms ms"
    times+=("$ms")
    wininfo command "$dialog" $kCloseId >/dev/null
    wait_until 10 dialog_gone || exit 1
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
rank() { printf '%s\n' "$sorted" | sed -n "$(((trials * $1 + 99) / 100))p"; }
echo "p50 $(rank 50) ms, p95 $(rank 95) ms, max $(printf '%s\n' "$sorted" | tail -1) ms ($trials trials)"
