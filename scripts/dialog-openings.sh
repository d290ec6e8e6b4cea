# shellcheck shell=bash disable=SC2317,SC2154  # its helpers run by name; app_session.sh sets the k constants
# Shared by the dialog benchmarks (sourced after tests/e2e/app_session.sh, with Quorrin
# launched): time_openings TRIALS ITEM CLASS opens the tray menu with xdotool TRIALS times,
# lets tools/dialog-latency.exe click entry ITEM and poll every millisecond until the dialog
# of window class CLASS and all its children have painted, closes it again, and prints every
# trial, then p50 and p95 (nearest rank). A script may define first_opening, run on the
# first dialog opened (in $dialog).
readonly kDialogCancelId=2

time_openings() {
    local trials=$1 item=$2 class=$3 i x y out ms left top right bottom sorted
    local times=()
    dialog=
    dialog_open() { dialog=$(first_window --class "$class" --visible); }
    dialog_gone() { ! first_window --class "$class" >/dev/null; }
    for i in $(seq 1 "$trials"); do
        xdotool mousemove "$kIconX" "$kIconY" click 3
        wait_until "$kMenuSeconds" menu_open || { echo "trial $i: no menu"; return 1; }
        read -r left top right bottom < <(window_rect "$menu")
        x=$((left + (right - left) / 2))
        y=$(menu_entry_y "$item")
        out=$(mktemp)
        wine "$QUORRIN_BIN/dialog-latency.exe" "$x" "$y" "$class" >"$out" 2>/dev/null </dev/null
        ms=$(tr -d '\r' <"$out")
        rm -f "$out"
        [ -n "$ms" ] || { echo "trial $i: timed out"; return 1; }
        wait_until 10 dialog_open || return 1
        if [ "$i" -eq 1 ] && declare -F first_opening >/dev/null; then first_opening; fi
        echo "trial $i: $ms ms"
        times+=("$ms")
        wininfo command "$dialog" "$kDialogCancelId" >/dev/null
        wait_until 10 dialog_gone || return 1
    done
    sorted=$(printf '%s\n' "${times[@]}" | sort -n)
    rank() { printf '%s\n' "$sorted" | sed -n "$(((trials * $1 + 99) / 100))p"; }
    echo "p50 $(rank 50) ms, p95 $(rank 95) ms, max $(printf '%s\n' "$sorted" | tail -1) ms ($trials trials)"
}
