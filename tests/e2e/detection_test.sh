#!/usr/bin/env bash
# Each way the real Quorrin.exe finds a slide show under Wine: the Chinese marker, PowerPoint's
# show class with an English title, WPS Presentation's program (wpp.exe) with a full-screen
# window of a generic class, an extra marker from Config.ini (left as it was), a show
# that gets its title later with and without the events Windows raises, a show that was up
# before Quorrin started, and the clock leaving when a show is destroyed.
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"

readonly kEnglishTitle="PowerPoint Slide Show - talk.pptx"
readonly kPlainTitle="talk.pptx - PowerPoint"
readonly kRetitleMs=1500
readonly kExtraMarkers="| 放映 - |"

# end_any_show: closes the show, whichever class it has.
end_any_show() {
    close_all screenClass
    end_show
}
clocks_up() { wait_until $kShowFoundSeconds clocks_are 1; }
clocks_down() { wait_until $kShowFoundSeconds clocks_are 0; }
clocks_stay_down() { holds_for 2 clocks_are 0; }
# found_after SIM-ARGS...: starts a show with these arguments; prints how long the clock took.
found_after() {
    local from=$(($(now_ms)))
    start_show "$work/show.closed" --windowed "$@"
    clocks_up || return 1
    echo "     found after $(($(now_ms) - from)) ms"
}

echo "--- the marker, then a destroyed show"
new_app marker
write_settings
launch
check "a window titled with the marker is found" found_after "$kShowTitle"
end_show
check "the clock goes with the show" clocks_down

echo "--- PowerPoint's show class with an English title"
check "a screenClass window is found" found_after --screen-class --notify
check "its title is the English one" test "$(first_window --class screenClass --title "$kEnglishTitle")" != ""
end_any_show
check "the clock goes with it" clocks_down
start_show "$work/plain.closed" --windowed "$kEnglishTitle"
check "the same title on another class is no show" clocks_stay_down
end_show

echo "--- WPS Presentation: its program and a window over the whole monitor, any title"
readonly kWpsTitle="WPS Presentation Slide Show - [talk.pptx]"
readonly kQtClass=Qt5QWindowIcon
cp "$QUORRIN_BIN/slideshow-sim.exe" "$work/wpp.exe"
end_qt_show() {
    close_all $kQtClass
    wait_until $kCloseSeconds process_gone "$show_pid" || kill "$show_pid" 2>/dev/null
}
# no_clock_for SIM-ARGS...: starts a show with these arguments; the clock stays down while it
# is up.
no_clock_for() {
    start_show "$work/qt.closed" --class $kQtClass "$@"
    wait_until $kStartSeconds first_window --class $kQtClass --visible >/dev/null || return 1
    clocks_stay_down
}
quit
new_app wps
SameMode=False pptFiles="pptFiles=1
timeCnt1=00:07:00
timeWarning1=00:00:30
flush1=True
close1=False
file1=talk
timeFree1=00:00:00" write_settings
launch
show_exe="$work/wpp.exe" start_show "$work/wps.closed" --class $kQtClass "$kWpsTitle"
check "wpp.exe's full-screen window with an English title gets talk's clock" clocks_start_at "07:00"
end_qt_show
check "the clock goes with it" clocks_down
check "the same window of another program is no show" no_clock_for "$kWpsTitle"
end_qt_show
wps_no_clock_for() { show_exe="$work/wpp.exe" no_clock_for "$@"; }
check "nor is a wpp.exe window short of the whole monitor" wps_no_clock_for --windowed "$kWpsTitle"
end_qt_show
quit

echo "--- a show that gets its title later"
new_app later
write_settings
launch
check "with Windows' events, the retitle is found" \
    found_after --notify --retitle-after $kRetitleMs "$kShowTitle" "$kPlainTitle"
end_show
check "the clock goes" clocks_down
check "without events (as Wine itself), the slow pass finds it" \
    found_after --retitle-after $kRetitleMs "$kShowTitle" "$kPlainTitle"
end_show
check "and sees the show gone without events" clocks_down
quit

echo "--- a show up before Quorrin started"
new_app before
write_settings
start_show "$work/before.closed" --windowed "$kShowTitle"
wait_until $kStartSeconds first_window --class "$kShowClass" >/dev/null
launch
check "the show already up is found" clocks_up
end_show
quit

echo "--- an extra marker from Config.ini"
new_app extra
write_settings
printf '[Detection]\nExtraMarkers=%s\n' "$kExtraMarkers" | write_ini "$app/detection.ini"
cat "$app/detection.ini" >>"$app/Config.ini"
launch
check "a title with the extra marker is found" found_after "XYZ 放映 - talk"
check "the countdown saves the remaining time meanwhile" \
    wait_until $kShowFoundSeconds saved_is_not Normal timeFree 00:00:00
end_show
check "the clock goes" clocks_down
quit
detection_kept() { cmp -s <(tail -c "$(stat -c %s "$app/detection.ini")" "$app/Config.ini") "$app/detection.ini"; }
check "the marker and its section are left as they were, at the end" detection_kept
check "the value reads back" test "$(saved Detection ExtraMarkers)" = "$kExtraMarkers"
check "the other settings are kept too" saved_is Normal SameMode True

report_checks
