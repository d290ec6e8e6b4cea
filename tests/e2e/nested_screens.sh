#!/usr/bin/env bash
# shellcheck disable=SC2154  # $work and the k* constants come from app_session.sh
# Shared by the end-to-end tests on several monitors (sourced after app_session.sh): a nested
# X server with screens side by side joined by Xinerama, which Wine reports as as many
# monitors (the first one primary), a Wine prefix of its own on it, and which monitors hold
# a visible clock.

nested_x=
nested_state=
nested_edges=()  # the right edge of each screen, left to right, in pixels
cleanup_more() {
    [ -n "$nested_state" ] && WINEPREFIX="$nested_state/prefix" wineserver -k >/dev/null 2>&1 </dev/null
    [ -n "$nested_x" ] && kill "$nested_x" 2>/dev/null
}

# start_nested_screens NAME WxH...: the nested X server with one screen per size, and the
# prefix $WINE_STATE_DIR/NAME (kept between runs) on it; the rest of the script runs there.
start_nested_screens() {
    local name=$1 n size right=0 screens=()
    shift
    for size in "$@"; do
        screens+=(-screen "$size")
        right=$((right + ${size%x*}))
        nested_edges+=("$right")
    done
    nested_state="${WINE_STATE_DIR:?run inside the test Wine environment}/$name"
    n=$(bash "$QUORRIN_SOURCE/tests/wine/wine-env.sh" free-display) ||
        { echo "FAIL no free X display"; exit 1; }
    Xephyr ":$n" "${screens[@]}" +xinerama -noreset >"$work/xephyr.log" 2>&1 </dev/null &
    nested_x=$!
    wait_until 10 test -e "/tmp/.X11-unix/X$n" || { echo "FAIL Xephyr did not start"; exit 1; }
    # Wine must use Xinerama instead of XRandR here.
    bash "$QUORRIN_SOURCE/tests/wine/wine-env.sh" start "$nested_state" ":$n" >"$work/env.log" 2>&1 ||
        { cat "$work/env.log"; echo "FAIL the Wine prefix for $name"; exit 1; }
    # shellcheck disable=SC1091
    . "$nested_state/env.sh"
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1 </dev/null
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
    wineserver -k >/dev/null 2>&1 </dev/null
    wineserver -w >/dev/null 2>&1 </dev/null
}

# visible_clocks: the visible clock windows, one line each: the monitor (from 1) holding
# its middle, then whether it touches that monitor's top right corner (1/0).
visible_clocks() {
    local listing
    listing=$(wininfo list --visible) || return 1
    printf '%s\n' "$listing" | awk -F'\t' -v main="$kMainClass" -v copy="$kCopyClass" \
        -v edges="${nested_edges[*]}" '
        BEGIN { count = split(edges, edge, " ") }
        $11 == main || $11 == copy {
            middle = ($5 + $7) / 2
            for (m = 1; m <= count && middle >= edge[m]; m++) {}
            print m, ($7 == edge[m] && $6 == 0) ? 1 : 0
        }'
}
# clocks_on MONITORS: the monitors holding a visible clock are these ("1 3"), each in its top
# right corner (the style's place in that monitor's work area).
clocks_on() {
    local lines
    lines=$(visible_clocks) || return 1
    [ "$(printf '%s\n' "$lines" | cut -d' ' -f1 | sort -un | tr '\n' ' ')" = "$1 " ] &&
        ! printf '%s\n' "$lines" | grep -q ' 0$'
}

# check_screen_choice EVERY OTHERS: with the show on the second monitor, each choice puts
# clocks on these monitors: EVERY for every screen (the default), 2 for the show's screen
# (chosen in 外观设置 with the keyboard alone, and saved), OTHERS for the other screens.
readonly kStyleFontListId=1104
readonly kStyleScreensListId=1117
style=
style_open() { style=$(first_window --class Quorrin.StyleDialog --visible); }
style_gone() { ! first_window --class Quorrin.StyleDialog >/dev/null; }
style_focus_is() { [ "$(wininfo focus "$style" | cut -f 1)" = "$1" ]; }
style_ready() { style_open && style_focus_is $kStyleFontListId; }
check_screen_choice() {
    local every=$1 others=$2
    echo "--- the clock's screens, the show on the second monitor"
    new_app screens
    write_settings
    launch
    start_show "$work/screens.closed" --monitor 2
    check "every screen (as a file without the choice): clocks on $every" \
        wait_until "$kShowFoundSeconds" clocks_on "$every"
    local l t r b
    read -r l t r b < <(window_rect "$main")
    check "外观设置 opens from the clock" choose_from_menu "$kStyleSettingsItem" \
        $(((l + r) / 2)) $(((t + b) / 2))
    check "(it is up, its font list focused)" wait_until 10 style_ready
    # Size, colour, background colour, opacity, place, screens.
    xdotool key --delay 100 Tab Tab Tab Tab Tab Tab
    check "Tab reaches the screens list" wait_until 5 style_focus_is $kStyleScreensListId
    xdotool key --delay 100 Home Down Return
    check "Down and Enter save the show's screen" wait_until 10 saved_is Style Screens 1
    check "and close the dialog" wait_until 10 style_gone
    check "only the show's screen: a clock on 2 alone" wait_until 5 clocks_on 2
    end_show
    quit

    Screens=2 write_settings
    launch
    start_show "$work/others.closed" --monitor 2
    check "the other screens: clocks on $others" wait_until "$kShowFoundSeconds" clocks_on "$others"
    check "the show's screen stays without one" holds_for 1 clocks_on "$others"
    if [ -n "${QUORRIN_SCREENS_SCREENSHOT:-}" ]; then
        import -window root -display "$DISPLAY" "$QUORRIN_SCREENS_SCREENSHOT"
    fi
    end_show
    quit
}
