#!/usr/bin/env bash
# The display style dialog with the real Quorrin.exe, reached through the tray menu: the
# default style's items; an immediate Save storing the background fitted around the digits,
# which the clock then shows whole;
# size 72, 50 % and the custom position saved over a running show, where both clocks take
# the new look at once; a colour chosen in the real colour dialog with a real click on the
# drawn button, stored and drawn; Cancel leaving Config.ini and the clocks alone; the clock
# hidden while the dialog is open during a show.
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"

readonly kDialogClass=Quorrin.StyleDialog
readonly kTwipsPerPixel=15
# Control ids of the dialog and of the system's colour dialog.
readonly kFontListId=1104
readonly kSizeListId=1106
readonly kTextColorId=1107
readonly kAlphaListId=1110
readonly kPosListId=1112
readonly kBackgroundId=1114
readonly kDigitsId=1115
readonly kSaveId=1
readonly kCancelId=2
readonly kRedEditId=706
readonly kGreenEditId=707
readonly kBlueEditId=708
readonly kOkId=1
readonly kSize72Item=62
readonly kHalfOpaqueItem=5
readonly kCustomPositionItem=4
# The fit's margins round the digits: half of the width margin on either side, and above and
# below them (see style_choices.h).
readonly kFitWidthTwips=1000 kFitTopTwips=200 kFitBottomTwips=160
# Ink of the digits nearer than this to an edge of the clock window is cut off or crowded.
readonly kInkMarginPixels=6

dialog=
dialog_open() { dialog=$(first_window --class "$kDialogClass" --visible); }
dialog_gone() { ! first_window --class "$kDialogClass" >/dev/null; }
open_dialog() { choose_from_menu $kStyleSettingsItem "$@" && wait_until 10 dialog_open; }
colour_dialog=
colour_dialog_open() { colour_dialog=$(first_window --class '#32770' --visible); }
colour_dialog_gone() { ! first_window --class '#32770' --visible >/dev/null; }

# item_is ID TEXT: the drop-down list ID shows TEXT.
item_is() {
    [ "$(wininfo text "$dialog" | awk -F'\t' -v id="$1" '$1 == id { print $3; exit }')" = "$2" ]
}
# part_size ID: "width height" in pixels of a control of the dialog (the preview's parts too).
part_size() {
    wininfo children "$dialog" | awk -F'\t' -v id="$1" '$2 == id { print $6 - $4, $7 - $5; exit }'
}
part_center() {
    wininfo children "$dialog" | awk -F'\t' -v id="$1" '$2 == id { print int(($4 + $6) / 2), int(($5 + $7) / 2); exit }'
}
window_size() {
    local l t r b
    read -r l t r b < <(window_rect "$1") && echo "$((r - l)) $((b - t))"
}
alpha_of() { wininfo alpha "$1" | cut -f 1; }
# twips_px TWIPS: the pixels a twip length takes at 96 dpi (halves to even are whole here).
twips_px() { echo $((($1 + kTwipsPerPixel / 2) / kTwipsPerPixel)); }

new_app style
write_settings
launch

echo "--- opening with the default style"
check "外观设置 in the tray menu opens the dialog" open_dialog $kIconX $kIconY
check "Arial is the digit font" item_is $kFontListId "Arial"
check "36 the size" item_is $kSizeListId "36"
check "不透明 the opacity" item_is $kAlphaListId "不透明"
check "屏幕右上角 the position" item_is $kPosListId "屏幕右上角"
read -r digits_w digits_h < <(part_size $kDigitsId)
read -r bg_w bg_h < <(part_size $kBackgroundId)
echo "     digits $digits_w x $digits_h, background $bg_w x $bg_h pixels"
# around PIXELS TWIPS: a margin of TWIPS round PIXELS, in whole pixels (within one).
around() { local d=$(($1 - $(twips_px "$2"))); [ "$d" -ge -1 ] && [ "$d" -le 1 ]; }
fitted() {
    around $((bg_w - digits_w)) $kFitWidthTwips && around $((bg_h - digits_h)) $((kFitTopTwips + kFitBottomTwips))
}
check "the preview background is fitted round the digits" fitted

echo "--- an immediate save"
wininfo command "$dialog" $kSaveId >/dev/null
check "保存 closes the dialog" wait_until 10 dialog_gone
check "Width is the digits' width plus the margins" saved_is Style Width $((digits_w * kTwipsPerPixel + kFitWidthTwips))
check "Height is the digits' height plus the margins" saved_is Style Height $((digits_h * kTwipsPerPixel + kFitTopTwips + kFitBottomTwips))
digits_in_clock() {
    [ $(($(saved Style numTop) + $(saved Style numHeight))) -le "$(saved Style Height)" ] &&
        [ $(($(saved Style numLeft) + $(saved Style numWidth))) -le "$(saved Style Width)" ]
}
check "the digits' box lies inside the clock" digits_in_clock
check "numWidth the digits' width" saved_is Style numWidth $((digits_w * kTwipsPerPixel))
check "bgWidth the same as Width" saved_is Style bgWidth "$(saved Style Width)"
check "Alpha stays 100" saved_is Style Alpha 100
check "showPos stays 1" saved_is Style showPos 1

echo "--- size 72, 50 % and the custom position over a running show"
start_show "$work/show.closed"
check "the clock comes up over the show" wait_until $kShowFoundSeconds clocks_are 1
read -r left top right bottom < <(window_rect "$main")
# ink_clear: on a screenshot of the clock window, the white digits keep clear of its edges.
ink_clear() {
    local w=$((right - left)) h=$((bottom - top)) box
    import -window root -crop "${w}x${h}+$left+$top" +repage "$work/saved-clock.png" 2>/dev/null || return 1
    box=$(convert "$work/saved-clock.png" -fuzz 25% -fill black +opaque white -fill white -opaque white \
        -format '%@' info: 2>/dev/null)
    [[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || { echo "     no digits ($box)"; return 1; }
    local bw=${BASH_REMATCH[1]} bh=${BASH_REMATCH[2]} bx=${BASH_REMATCH[3]} by=${BASH_REMATCH[4]} m=$kInkMarginPixels
    if [ "$bx" -lt $m ] || [ "$by" -lt $m ] || [ $((bx + bw + m)) -gt "$w" ] ||
        [ $((by + bh + m)) -gt "$h" ] || [ "$bw" -lt $((w / 3)) ]; then
        echo "     digits ${bw}x${bh}+${bx}+${by} in a ${w}x${h} clock"
        return 1
    fi
}
check "the saved clock shows its digits whole, clear of its edges" wait_until 5 ink_clear
before_size=$(window_size "$main")
check "the dialog opens from a right click on the clock" \
    open_dialog $(((left + right) / 2)) $(((top + bottom) / 2))
check "the clock hides while it is open" wait_until 5 clocks_are 0
wininfo select "$dialog" $kSizeListId $kSize72Item >/dev/null
grown() {
    read -r w h < <(part_size $kDigitsId) && [ "$w" -gt $((digits_w * 3 / 2)) ] &&
        [ "$h" -gt $((digits_h * 3 / 2)) ]
}
check "choosing 72 grows the preview's digits" wait_until 5 grown
read -r big_w big_h < <(part_size $kDigitsId)
read -r big_bg_w big_bg_h < <(part_size $kBackgroundId)
echo "     digits $big_w x $big_h, background $big_bg_w x $big_bg_h pixels"
follows() {
    around $((big_bg_w - big_w)) $kFitWidthTwips && around $((big_bg_h - big_h)) $((kFitTopTwips + kFitBottomTwips))
}
check "and the background follows" follows
wininfo select "$dialog" $kAlphaListId $kHalfOpaqueItem >/dev/null
wininfo select "$dialog" $kPosListId $kCustomPositionItem >/dev/null
check "50% is chosen" wait_until 5 item_is $kAlphaListId "50%"
check "自定义位置 is chosen" wait_until 5 item_is $kPosListId "自定义位置"
wininfo command "$dialog" $kSaveId >/dev/null
check "保存 closes the dialog" wait_until 10 dialog_gone
check "the clock shows again" wait_until 5 clocks_are 1
check "numFontSize=72 is stored" saved_is Style numFontSize 72
check "Alpha=50" saved_is Style Alpha 50
check "showPos=4" saved_is Style showPos 4
check "with the clock's place as Left" saved_is Style Left $((left * kTwipsPerPixel))
check "and Top" saved_is Style Top $((top * kTwipsPerPixel))
new_size="$(twips_px "$(saved Style Width)") $(twips_px "$(saved Style Height)")"
echo "     clock before $before_size, after $(window_size "$main") pixels"
check "the clock window grows to the saved size" [ "$(window_size "$main")" = "$new_size" ]
check "and so does its copy" [ "$(window_size "$copy")" = "$new_size" ]
check "the clock stays at its place" [ "$(window_rect "$main" | cut -d' ' -f1-2)" = "$left $top" ]
check "the clock's layered alpha is 128" [ "$(alpha_of "$main")" = 128 ]
check "and its copy's" [ "$(alpha_of "$copy")" = 128 ]
counts_on() { next_saved Normal timeFree "$(saved Normal timeFree)" 5 >/dev/null; }
check "the countdown goes on" counts_on

# The show covers the notification area: the menu opens from the clock.
open_from_clock() {
    local l t r b
    read -r l t r b < <(window_rect "$main") && open_dialog $(((l + r) / 2)) $(((t + b) / 2))
}

echo "--- a colour from the real colour dialog"
check "the dialog opens" open_from_clock
read -r x y < <(part_center $kTextColorId)
xdotool mousemove "$x" "$y" click 1
check "a click on 颜色 opens the colour dialog" wait_until 10 colour_dialog_open
wininfo settext "$colour_dialog" $kRedEditId 255 >/dev/null
wininfo settext "$colour_dialog" $kGreenEditId 0 >/dev/null
wininfo settext "$colour_dialog" $kBlueEditId 255 >/dev/null
wininfo command "$colour_dialog" $kOkId >/dev/null
check "OK closes it" wait_until 10 colour_dialog_gone
wininfo command "$dialog" $kSaveId >/dev/null
check "保存 closes the dialog" wait_until 10 dialog_gone
check "numForeColor=16711935 (magenta) is stored" saved_is Style numForeColor 16711935
check "the clock shows again" wait_until 5 clocks_are 1
magenta_pixels() {
    local l t r b
    read -r l t r b < <(window_rect "$main") || return 1
    import -window root -crop "$((r - l))x$((b - t))+$l+$t" "$work/clock.png" 2>/dev/null &&
        convert "$work/clock.png" -fill black +opaque '#ff00ff' -fill white -opaque '#ff00ff' \
            -format '%[fx:int(mean*w*h)]' info: 2>/dev/null
}
drawn_magenta() { [ "$(magenta_pixels)" -gt 100 ]; }
check "the digits are drawn in it" wait_until 5 drawn_magenta
cp "$work/clock.png" "$work/clock-styled.png" 2>/dev/null

echo "--- cancelling"
# During the show the countdown rewrites timeFree every second; everything else must stay.
without_time() { iconv -f GBK -t UTF-8 "$1" | grep -v '^timeFree='; }
without_time "$app/Config.ini" >"$work/before-cancel.txt"
main_before=$(window_rect "$main")
copy_before=$(window_rect "$copy")
check "the dialog opens" open_from_clock
wininfo select "$dialog" $kSizeListId 100 >/dev/null
wininfo select "$dialog" $kAlphaListId 0 >/dev/null
wininfo select "$dialog" $kPosListId 0 >/dev/null
check "(the choices are made)" wait_until 5 item_is $kAlphaListId "完全透明"
wininfo command "$dialog" $kCancelId >/dev/null
check "取消 closes the dialog" wait_until 10 dialog_gone
check "the clock shows again" wait_until 5 clocks_are 1
check "Config.ini holds the same style and settings" cmp -s <(without_time "$app/Config.ini") "$work/before-cancel.txt"
check "the clock keeps its place and size" [ "$(window_rect "$main")" = "$main_before" ]
check "and so does its copy" [ "$(window_rect "$copy")" = "$copy_before" ]
check "and its alpha" [ "$(alpha_of "$main")" = 128 ]
end_show
check "the clock hides with the show" wait_until 5 clocks_are 0

echo "--- without a show"
cp "$app/Config.ini" "$work/before-cancel.ini"
check "the dialog opens" open_dialog $kIconX $kIconY
wininfo select "$dialog" $kSizeListId 0 >/dev/null
wininfo select "$dialog" $kAlphaListId 2 >/dev/null
check "(the choices are made)" wait_until 5 item_is $kAlphaListId "20%"
wininfo command "$dialog" $kCancelId >/dev/null
check "取消 closes the dialog" wait_until 10 dialog_gone
check "Config.ini is byte for byte as before" cmp -s "$app/Config.ini" "$work/before-cancel.ini"
check "closing it leaves the clock hidden" holds_for 1 clocks_are 0

report_checks
