#!/usr/bin/env bash
# The program at 125, 150 and 200 % display scale (and at 100 %, which must not change): the
# clock window, its label and its rounded region scale by dpi / 96, the digits of a two-hour
# countdown ("120:00") fit inside the label, a clock dragged and saved comes back at the same
# place after a restart, and the controls of the sound, timing and appearance dialogs scale
# and stay inside their frames.
# Runs in a Wine prefix of its own, on the test display, with HKCU\Control Panel\Desktop
# LogPixels set for each scale.
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"

readonly kDpis=(96 120 144 192)
readonly kShowSeconds=15
# The style written for every scale, in twips.
readonly kWidthTwips=3000 kHeightTwips=1200 kLeftTwips=6000 kTopTwips=3000
readonly kLabelLeftTwips=480 kLabelTopTwips=200 kLabelWidthTwips=1995 kLabelHeightTwips=840
readonly kCornerPixelsAt96=20
# The sound dialog (stacked rows, measured at the DPI) and its buttons' ids.
readonly kDialogClass=Quorrin.SoundDialog
readonly kSaveId=1 kCancelId=2
readonly kDialogSidePixelsAt96=15 kDialogTopPixelsAt96=30
readonly kDragPixels=(37 23)
# The timing and appearance dialogs: class, menu item, client area, 取消.
readonly kOtherDialogs=(
    "Quorrin.TimingDialog 1 7875 4620 2"
    "Quorrin.StyleDialog 2 9405 4710 2"
)

host_state=${WINE_STATE_DIR:?run inside the test Wine environment}
state="$host_state/display-scale"
cleanup_more() { WINEPREFIX="$state/prefix" wineserver -k >/dev/null 2>&1 </dev/null; }

# A prefix of its own (kept between runs) on the test display.
bash "$QUORRIN_SOURCE/tests/wine/wine-env.sh" start "$state" "$DISPLAY" >"$work/env.log" 2>&1 ||
    { cat "$work/env.log"; echo "FAIL the Wine prefix for display scales"; exit 1; }
# shellcheck disable=SC1091
. "$state/env.sh"
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null

# px TWIPS DPI: twips to pixels at DPI, rounded half to even, as the program does.
px() { awk -v t="$1" -v d="$2" 'BEGIN { n = t * d; q = int(n / 1440); r = n - q * 1440
    if (2 * r > 1440 || (2 * r == 1440 && q % 2 == 1)) q++; print q }'; }
# scaled PIXELS DPI: a length designed in pixels at 96 dpi, at DPI.
scaled() { px $(($1 * 15)) "$2"; }
# twips PIXELS DPI: pixels to twips at DPI, rounded half to even.
twips() { awk -v p="$1" -v d="$2" 'BEGIN { n = p * 1440; q = int(n / d); r = n - q * d
    if (2 * r > d || (2 * r == d && q % 2 == 1)) q++; print q }'; }

is() {  # is WHAT ACTUAL EXPECTED
    [ "$2" = "$3" ] || { echo "     $1 is \"$2\", expected \"$3\""; return 1; }
}
near_scaled() {  # near_scaled WHAT ACTUAL AT96 DPI: ACTUAL is AT96 * DPI / 96 within 4 px and 2 %
    local want=$(($3 * $4 / 96)) slack
    slack=$((4 + want / 50))
    [ $(($2 - want)) -le $slack ] && [ $((want - $2)) -le $slack ] ||
        { echo "     $1 is $2, expected $want (±$slack)"; return 1; }
}
label_rect() {  # the main clock's label in screen pixels: left top right bottom
    wininfo children "$main" | awk -F'\t' -v c="$kLabelClass" '$8 == c { print $4, $5, $6, $7; exit }'
}
copy_label_rect() {
    wininfo children "$copy" | awk -F'\t' -v c="$kLabelClass" '$8 == c { print $4, $5, $6, $7; exit }'
}
clock_at() { is "the clock" "$(window_rect "$main")" "$1"; }
saved_place_is() { is "Left/Top" "$(saved Style Left)/$(saved Style Top)" "$1"; }
long_time_shown() { [[ "$(child_text "$main" "$kLabelClass")" =~ ^1[01][0-9]:[0-5][0-9]$ ]]; }

# ink_inside LEFT TOP RIGHT BOTTOM: on a screenshot, the light pixels of the digits inside the
# label's rectangle keep clear of its right and bottom edges (clipped digits run into them),
# and there are digits at all.
ink_inside() {
    [ $# -eq 4 ] || { echo "     no label"; return 1; }
    local shot="$work/label.png" w=$(($3 - $1)) h=$(($4 - $2)) box
    import -window root -display "$DISPLAY" -crop "${w}x${h}+$1+$2" +repage "$shot" 2>/dev/null ||
        return 1
    box=$(convert "$shot" -colorspace gray -threshold 60% -format '%@' info: 2>/dev/null)
    [[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || { echo "     no digits ($box)"; return 1; }
    local bw=${BASH_REMATCH[1]} bh=${BASH_REMATCH[2]} bx=${BASH_REMATCH[3]} by=${BASH_REMATCH[4]}
    if [ $((bx + bw)) -ge "$w" ] || [ $((by + bh)) -ge "$h" ] || [ "$bw" -lt $((w / 2)) ]; then
        echo "     digits ${bw}x${bh}+${bx}+${by} in a ${w}x${h} label"
        return 1
    fi
}

dialog=
dialog_class=$kDialogClass
dialog_open() { dialog=$(first_window --class "$dialog_class" --visible); }
dialog_gone() { ! first_window --class "$dialog_class" --visible >/dev/null; }
# controls_inside: every child of the dialog lies inside its client area (the window less
# the strips the region cuts away).
controls_inside() {
    local l t r b side top
    read -r l t r b < <(window_rect "$dialog")
    side=$(scaled $kDialogSidePixelsAt96 "$dpi")
    top=$(scaled $kDialogTopPixelsAt96 "$dpi")
    wininfo children "$dialog" | awk -F'\t' -v l=$((l + side)) -v t=$((t + top)) \
        -v r=$((r - side - 1)) -v b="$b" '
        $3 == 1 { n++; if ($4 < l || $5 < t || $6 > r || $7 > b) { bad++; print "     outside: " $0 } }
        END { exit !(n >= 10 && bad == 0) }'
}

for dpi in "${kDpis[@]}"; do
    echo "--- $dpi dpi"
    set_wine_dpi "$dpi"
    new_app "scale-$dpi"
    Width=$kWidthTwips Height=$kHeightTwips Left=$kLeftTwips Top=$kTopTwips showPos=4 \
        timeCnt=02:00:00 write_settings
    launch
    start_show "$work/show-$dpi.closed"
    check "the clock appears over the show" wait_until $kShowSeconds clocks_are 1
    check "the clock is laid out at $dpi dpi" is "window and system dpi" \
        "$(wininfo dpi "$main" | tr '\t' ' ')" "$dpi $dpi"

    w=$(px $kWidthTwips "$dpi") h=$(px $kHeightTwips "$dpi")
    l=$(px $kLeftTwips "$dpi") t=$(px $kTopTwips "$dpi")
    check "the clock window scales by dpi/96" is "the clock" "$(window_rect "$main")" \
        "$l $t $((l + w)) $((t + h))"
    check "so does the copy, which lies on it with one monitor" is "the copy" \
        "$(window_rect "$copy")" "$l $t $((l + w)) $((t + h))"
    # A rounded-rectangle region ends a pixel short of its right and bottom coordinates.
    read -r rl rt rr rb inset < <(wininfo region "$main")
    check "the rounded region covers the scaled window" is "the region" "$rl $rt $rr $rb" \
        "0 0 $((w - 1)) $((h - 1))"
    corner=$(scaled $kCornerPixelsAt96 "$dpi")
    check "its corners scale too (ellipse $corner px)" awk -v i="$inset" -v c="$corner" \
        'BEGIN { d = i - 0.146 * c; exit !(d >= -1.5 && d <= 1.5) }'
    ll=$((l + $(px $kLabelLeftTwips "$dpi"))) lt=$((t + $(px $kLabelTopTwips "$dpi")))
    expected_label="$ll $lt $((ll + $(px $kLabelWidthTwips "$dpi"))) $((lt + $(px $kLabelHeightTwips "$dpi")))"
    check "the label scales by dpi/96" is "the label" "$(label_rect)" "$expected_label"
    check "(also on the copy)" is "the copy's label" "$(copy_label_rect)" "$expected_label"
    check "the clock counts down from 120:00" wait_until 5 long_time_shown
    # shellcheck disable=SC2046
    check "the six-character time is not clipped" ink_inside $(label_rect)
    if [ "$dpi" = 144 ] && [ -n "${QUORRIN_SCREENSHOT_DIR:-}" ]; then
        import -window root -display "$DISPLAY" "$QUORRIN_SCREENSHOT_DIR/clock-at-150-percent.png"
    fi

    if [ "$dpi" != 96 ]; then
        # A drag with the left button, then a restart: the clock comes back where it was.
        x=$((w / 2)) y=$((h - 4))
        wininfo drag "$main" $x $y $((x + kDragPixels[0])) $((y + kDragPixels[1])) >/dev/null
        nl=$((l + kDragPixels[0])) nt=$((t + kDragPixels[1]))
        check "the drag moves the clock" wait_until 3 clock_at "$nl $nt $((nl + w)) $((nt + h))"
        check "the dragged place is saved in twips" wait_until 3 saved_place_is \
            "$(twips $nl "$dpi")/$(twips $nt "$dpi")"
        quit
        launch
        check "the clock comes up again" wait_until $kShowSeconds clocks_are 1
        check "after a restart the clock comes back at the dragged place" \
            wait_until $kShowSeconds clock_at "$nl $nt $((nl + w)) $((nt + h))"
        l=$nl t=$nt
    fi

    # The sound dialog, through the menu of a right click on the clock.
    check "声音设置 opens the sound dialog" choose_from_menu $kSoundSettingsItem \
        $((l + w / 2)) $((t + h - 4))
    if wait_until 10 dialog_open; then
        # Its rows are measured in the dialog's font at the DPI, so it keeps its 96-dpi
        # proportions to within the rounding of the text (4 pixels and 2 percent).
        side=$(scaled $kDialogSidePixelsAt96 "$dpi") top=$(scaled $kDialogTopPixelsAt96 "$dpi")
        read -r dl dt dr db < <(window_rect "$dialog")
        dw=$((dr - dl)) dh=$((db - dt))
        [ -n "${sound_size_at_96:-}" ] || sound_size_at_96="$dw $dh"
        read -r w96 h96 <<<"$sound_size_at_96"
        check "the dialog scales by dpi/96" near_scaled "its width" "$dw" "$w96" "$dpi"
        check "(and its height)" near_scaled "its height" "$dh" "$h96" "$dpi"
        read -r sl st sr sb < <(wininfo children "$dialog" | awk -F'\t' -v id=$kSaveId '$2 == id { print $4, $5, $6, $7 }')
        check "保存 sits at the bottom, reaching into the right half" test $((sr - dl)) -gt $((dw / 2)) -a $((st - dt)) -gt $((dh / 2))
        check "its controls stay inside the frame" controls_inside
        check "the region follows the scaled frame" is "the region" \
            "$(wininfo region "$dialog" | awk '{ print $1, $2, $3 }')" \
            "$side $top $((dw - side - 1))"
        wininfo command "$dialog" $kCancelId >/dev/null
        check "取消 closes it" wait_until 5 dialog_gone
    fi

    # The timing and appearance dialogs, on the same frame: size, controls, region.
    for other in "${kOtherDialogs[@]}"; do
        read -r dialog_class item cw ch cancel <<<"$other"
        check "the clock is back" wait_until 5 clocks_are 1
        check "menu item $item opens $dialog_class" choose_from_menu "$item" \
            $((l + w / 2)) $((t + h - 4))
        wait_until 10 dialog_open || continue
        side=$(scaled $kDialogSidePixelsAt96 "$dpi") top=$(scaled $kDialogTopPixelsAt96 "$dpi")
        dw=$((side + $(px "$cw" "$dpi") + side + 1))
        dh=$((top + $(px "$ch" "$dpi")))
        read -r dl dt dr db < <(window_rect "$dialog")
        check "it scales by dpi/96" is "its size" "$((dr - dl))x$((db - dt))" "${dw}x${dh}"
        check "its controls stay inside the frame" controls_inside
        check "its region follows the scaled frame" is "the region" \
            "$(wininfo region "$dialog" | awk '{ print $1, $2, $3 }')" \
            "$side $top $((dw - side - 1))"
        wininfo command "$dialog" "$cancel" >/dev/null
        check "取消 closes it" wait_until 5 dialog_gone
    done
    dialog_class=$kDialogClass
    end_show
    quit
done
report_checks
