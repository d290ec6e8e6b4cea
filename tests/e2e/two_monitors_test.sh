#!/usr/bin/env bash
# Two monitors: the clock on the primary monitor and its copy on the second one, then with
# the show on the second monitor, each choice of the screens that show the clock. Runs in a
# Wine prefix of its own on a nested X server with two screens joined by Xinerama, which Wine
# reports as two monitors (1280x800 primary, 1024x768 to its right).
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"
# shellcheck source=nested_screens.sh
. "$QUORRIN_SOURCE/tests/e2e/nested_screens.sh"

readonly kShowSeconds=15
readonly kPrimaryWidthPx=1280
readonly kSecondWidthPx=1024
readonly kSecondHeightPx=768
readonly kClockWidthTwips=3000
readonly kClockHeightTwips=1200
readonly kTwipsPerPixel=15
readonly kFreeLeftTwips=6000
readonly kFreeTopTwips=3000

start_nested_screens two-monitors ${kPrimaryWidthPx}x800 ${kSecondWidthPx}x${kSecondHeightPx}

new_app two-monitors
Width=$kClockWidthTwips Height=$kClockHeightTwips Left=$kFreeLeftTwips Top=$kFreeTopTwips \
    showPos=4 write_settings
launch
start_show "$work/show.closed"
check "the clock appears over the show" wait_until $kShowSeconds clocks_are 1
# The free position on the primary monitor as it is, and mapped onto the second: across the
# second monitor's width, shifted by its left edge, and scaled by the bottom edges.
width_px=$((kClockWidthTwips / kTwipsPerPixel))
height_px=$((kClockHeightTwips / kTwipsPerPixel))
main_left=$((kFreeLeftTwips / kTwipsPerPixel))
main_top=$((kFreeTopTwips / kTwipsPerPixel))
copy_left_twips=$(awk -v l=$kFreeLeftTwips -v w=$kClockWidthTwips -v p=$kPrimaryWidthPx \
    -v s=$kSecondWidthPx -v o=$kPrimaryWidthPx -v k=$kTwipsPerPixel \
    'BEGIN { printf "%d", l / (p * k - w) * (s * k - w) + o * k + 0.5 }')
copy_top_twips=$(awk -v t=$kFreeTopTwips -v pb=800 -v sb=$kSecondHeightPx \
    'BEGIN { printf "%d", t / (pb * 15) * (sb * 15) + 0.5 }')
copy_left=$(((copy_left_twips + kTwipsPerPixel / 2) / kTwipsPerPixel))
copy_top=$(((copy_top_twips + kTwipsPerPixel / 2) / kTwipsPerPixel))

main_rect=$(window_rect "$main")
copy_rect=$(window_rect "$copy")
check "the clock keeps its free position on the primary monitor ($main_rect)" \
    [ "$main_rect" = "$main_left $main_top $((main_left + width_px)) $((main_top + height_px))" ]
check "the copy is mapped onto the second monitor ($copy_rect)" \
    [ "$copy_rect" = "$copy_left $copy_top $((copy_left + width_px)) $((copy_top + height_px))" ]
within_second() { [ "$copy_left" -ge $kPrimaryWidthPx ] && [ $((copy_left + width_px)) -le $((kPrimaryWidthPx + kSecondWidthPx)) ]; }
check "the copy lies within the second monitor" within_second
check "the copy is shown and topmost" [ "$(window_field "$copy" 3)/$(window_field "$copy" 4)" = 1/1 ]
shown_time() { child_text "$1" "$kLabelClass"; }
same_time() {
    local main_time
    main_time=$(shown_time "$main")
    [[ "$main_time" =~ ^[0-9][0-9]:[0-9][0-9]$ ]] && [ "$main_time" = "$(shown_time "$copy")" ]
}
# The two reads are a moment apart: allow for a step falling between them.
check "both show the same time" wait_until 3 same_time

echo "--- a new style from the appearance dialog"
readonly kStyleDialogClass=Quorrin.StyleDialog
readonly kSizeListId=1106
readonly kPosListId=1112
readonly kSaveId=1
readonly kSize72Item=62
readonly kBottomRightItem=3
style_dialog=
style_dialog_open() { style_dialog=$(first_window --class "$kStyleDialogClass" --visible); }
style_dialog_gone() { ! first_window --class "$kStyleDialogClass" >/dev/null; }
shown() { [ "$(window_field "$1" 3)" = "$2" ]; }
open_style_dialog() {
    local l t r b
    read -r l t r b < <(window_rect "$main") &&
        choose_from_menu $kStyleSettingsItem $(((l + r) / 2)) $(((t + b) / 2)) &&
        wait_until 10 style_dialog_open
}
check "the dialog opens from a right click on the clock" open_style_dialog
check "the clock on the primary monitor hides while it is open" wait_until 5 shown "$main" 0
check "the copy stays up for the audience" holds_for 1 shown "$copy" 1
wininfo select "$style_dialog" $kSizeListId $kSize72Item >/dev/null
wininfo select "$style_dialog" $kPosListId $kBottomRightItem >/dev/null
position_chosen() {
    wininfo text "$style_dialog" | awk -F'\t' -v id=$kPosListId '$1 == id { print $3 }' |
        grep -qx "屏幕右下角"
}
check "(72 and 屏幕右下角 are chosen)" wait_until 5 position_chosen
wininfo command "$style_dialog" $kSaveId >/dev/null
check "保存 closes the dialog" wait_until 10 style_dialog_gone
check "the clock shows again" wait_until 5 shown "$main" 1
px() { echo $((($1 + kTwipsPerPixel / 2) / kTwipsPerPixel)); }
style_width=$(saved Style Width)
style_height=$(saved Style Height)
echo "     saved $style_width x $style_height twips, 72 points, bottom-right"
w=$(px "$style_width")
h=$(px "$style_height")
main_left=$(px $((kPrimaryWidthPx * kTwipsPerPixel - style_width)))
main_top=$(px $((800 * kTwipsPerPixel - style_height)))
second_right=$((kPrimaryWidthPx + kSecondWidthPx))
copy_left=$(px $((second_right * kTwipsPerPixel - style_width)))
copy_top=$(px $((kSecondHeightPx * kTwipsPerPixel - style_height)))
main_rect=$(window_rect "$main")
copy_rect=$(window_rect "$copy")
check "the clock takes the new size in the primary monitor's corner ($main_rect)" \
    [ "$main_rect" = "$main_left $main_top $((main_left + w)) $((main_top + h))" ]
check "and the copy in the second monitor's corner ($copy_rect)" \
    [ "$copy_rect" = "$copy_left $copy_top $((copy_left + w)) $((copy_top + h))" ]
check "both still show the same time" wait_until 3 same_time

if [ -n "${QUORRIN_SCREENSHOT:-}" ]; then import -window root -display "$DISPLAY" "$QUORRIN_SCREENSHOT"; fi
end_show
quit

check_screen_choice "1 2" 1
report_checks
