#!/usr/bin/env bash
# Each way the real Quorrin.exe finds a slide show under Wine: the Chinese marker, PowerPoint's
# show class with an English title, an extra marker from Config.ini (left as it was), a show
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

echo "--- a show that gets its title later"
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
