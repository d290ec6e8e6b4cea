#!/usr/bin/env bash
# The countdown clock of the real Quorrin.exe under Wine, over the slide-show stand-in: where
# the two clock windows come up for each placement, the held time of timeMode=1, the count and
# its resume point in Config.ini, a listed presentation resuming from its saved time, a second
# instance during a countdown, and the clock leaving with the show.
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"

# A clock of 240 x 90 px (15 twips a pixel); the free position is 300, 200 px.
readonly kWidthTwips=3600
readonly kHeightTwips=1350
readonly kLeftTwips=4500
readonly kTopTwips=3000
# Its rectangle for showPos 0..4 in the 1280 x 800 work area of the test display.
readonly kExpectedRects=("0 0 240 90" "1040 0 1280 90" "0 710 240 800" "1040 710 1280 800"
    "300 200 540 290")
readonly kHoldSeconds=3
readonly kStepMaxSeconds=3          # one countdown step seen, with room for a slow machine
readonly kStepMinGapMs=700          # two saves one second apart, seen by polling
readonly kStepMaxGapMs=1500
readonly kSavedPollSeconds=0.05
readonly kSecondInstanceMaxMs=3000
readonly kListedTitle="PowerPoint 幻灯片放映 - 年度总结.pptx"

is_at() {  # is_at HANDLE "LEFT TOP RIGHT BOTTOM"
    local rect
    rect=$(window_rect "$1")
    [ "$rect" = "$2" ] || { echo "     it is at $rect"; return 1; }
}
# Both clocks are topmost and lie above the show in the Z order (wininfo lists top first).
clocks_above_show() {
    local listing
    listing=$(wininfo list) || return 1
    printf '%s\n' "$listing" | awk -F'\t' -v m="$kMainClass" -v c="$kCopyClass" -v s="$kShowClass" '
        ($11 == m || $11 == c) && $4 == 1 { clocks++ }
        $11 == s { show = 1; exit }
        END { exit !(show && clocks == 2) }'
}
one_window_each() {  # one_window_each CLASS...
    local class
    for class in "$@"; do [ "$(wininfo list --class "$class" | wc -l)" -eq 1 ] || return 1; done
}
between() { [ "$1" -le "$2" ] && [ "$2" -le "$3" ]; }
seconds_of() {  # seconds_of HH:MM:SS
    local h m s
    IFS=: read -r h m s <<<"$1"
    echo $((10#$h * 3600 + 10#$m * 60 + 10#$s))
}
# clock_shows_saved HANDLE SECTION KEY: the clock shows the time saved under the key (under an
# hour: 00:09:57 shows 09:57), read between two reads of the file: no higher than the first,
# no lower than the second (equal to both when no step came between).
clock_shows_saved() {
    local before after shown
    before=$(seconds_of "$(saved "$2" "$3")")
    shown=$(mmss_seconds "$(child_text "$1" "$kLabelClass")") || return 1
    after=$(seconds_of "$(saved "$2" "$3")")
    [ "$shown" -le "$before" ] && [ "$shown" -ge "$after" ]
}
# record_saves SECTION KEY LAST: watch_saved from now on in the background, into
# $work/saves, until LAST is saved (or a show is found and steps twice, with patience):
# looks at the windows meanwhile cannot make it miss a value. recorded_saves waits for it
# (in this shell, whose child it is) and sets $values to the values seen.
recorder=
record_saves() {
    watch_saved "$1" "$2" "$3" $(((kShowFoundSeconds + 2 * kStepMaxSeconds) * kPatience)) \
        >"$work/saves" &
    recorder=$!
}
values=
recorded_saves() {
    wait "$recorder"
    values=$(cut -d ' ' -f 2 "$work/saves" | paste -sd ' ')
}
time_text() { printf '%02d:%02d:%02d\n' $(($1 / 3600)) $(($1 / 60 % 60)) $(($1 % 60)); }
saved_below() { [[ "$(saved "$1" "$2")" < "$3" ]]; }
# watch_saved SECTION KEY LAST SECONDS: "MS VALUE" for each value the key takes, the first
# one included, until it is LAST.
watch_saved() {
    local value seen="" until=$(($(now_ms) + $4 * 1000))
    while [ "$(now_ms)" -lt $until ]; do
        value=$(saved "$1" "$2")
        if [ "$value" != "$seen" ]; then
            echo "$(now_ms) $value"
            seen=$value
        fi
        [ "$value" = "$3" ] && return 0
        sleep $kSavedPollSeconds  # paces the polls (each a read of the file)
    done
}

echo "--- the clock over a show at each placement (timeMode=1: the time is held)"
for pos in 0 1 2 3 4; do
    new_app "placement$pos"
    timeMode=1 showPos=$pos Width=$kWidthTwips Height=$kHeightTwips Left=$kLeftTwips \
        Top=$kTopTwips write_settings
    cp "$app/Config.ini" "$work/placement.ini"
    launch
    start_show "$work/placement$pos.closed" "$kShowTitle"
    check "showPos=$pos: both clocks come up with the show" \
        wait_until $kShowFoundSeconds clocks_are 1
    check "showPos=$pos: both are topmost, above the show" clocks_above_show
    check "showPos=$pos: both show 10:00" clocks_show 10:00
    check "showPos=$pos: the clock is at ${kExpectedRects[pos]}" is_at "$main" "${kExpectedRects[pos]}"
    check "showPos=$pos: its copy lies on it (one monitor)" is_at "$copy" "${kExpectedRects[pos]}"
    if [ "$pos" -eq 4 ]; then
        check "timeMode=1: 10:00 stays for ${kHoldSeconds} s" holds_for $kHoldSeconds clocks_show 10:00
        check "timeMode=1: Config.ini is not written" cmp -s "$app/Config.ini" "$work/placement.ini"
    fi
    end_show
    quit
done

echo "--- counting down under the shared timing, the resume point saved every second"
new_app counting
timeFree=00:04:00 write_settings  # ReSetTime=True: a saved time is not resumed
launch
record_saves Normal timeFree 00:09:58
start_show "$work/counting.closed" "$kShowTitle"
check "both clocks start at 10:00" clocks_start_at 10:00
check "both are up" wait_until $kShowFoundSeconds clocks_are 1
recorded_saves
check "[Normal] timeFree goes 00:09:59, then 00:09:58 (saw: $values)" \
    [ "$values" = "00:04:00 00:09:59 00:09:58" ]
if [ "$(wc -l <"$work/saves")" -eq 3 ]; then
    gap_ms=$(($(sed -n 3p "$work/saves" | cut -d ' ' -f 1) - $(sed -n 2p "$work/saves" | cut -d ' ' -f 1)))
    check "one second apart (${gap_ms} ms)" between $kStepMinGapMs $gap_ms $kStepMaxGapMs
fi
check "the clock shows the saved time" wait_until $kStepMaxSeconds clock_shows_saved "$main" Normal timeFree
check "so does its copy" wait_until $kStepMaxSeconds clock_shows_saved "$copy" Normal timeFree

echo "--- a second instance while the countdown runs"
before=$(saved Normal timeFree)
started_ms=$(now_ms)
timeout 30 wine "$app/Quorrin.exe" >"$work/second.log" 2>&1 </dev/null
second_rc=$?
elapsed_ms=$(($(now_ms) - started_ms))
check "it ends by itself within $((kSecondInstanceMaxMs * kPatience)) ms (took ${elapsed_ms} ms)" \
    [ $elapsed_ms -le $((kSecondInstanceMaxMs * kPatience)) ]
check "with exit code 0 (got $second_rc)" [ "$second_rc" -eq 0 ]
check "the countdown goes on below $before" wait_until $kStepMaxSeconds saved_below Normal timeFree "$before"
check "the clocks stay up" clocks_are 1
check "there is still one clock and one copy" one_window_each "$kMainClass" "$kCopyClass"

echo "--- the show ends while counting"
end_show
check "both clocks hide" wait_until $kStepMaxSeconds clocks_are 0
last=$(saved Normal timeFree)
check "the count stops: timeFree stays $last" holds_for 2 saved_is Normal timeFree "$last"
quit

echo "--- a listed presentation resumes from its saved time (SameMode=False, ReSetTime=False)"
new_app resume
# Slot 2's file name is in the show's title; slot 1's is not.
SameMode=False ReSetTime=False timeFree=00:05:00 pptFiles="pptFiles=2
timeCnt1=00:15:00
timeWarning1=00:01:00
flush1=True
close1=False
file1=talk
timeFree1=00:07:00
timeCnt2=00:20:00
timeWarning2=00:02:00
flush2=True
close2=False
file2=年度总结
timeFree2=00:02:05" write_settings
launch
record_saves PPTFiles timeFree2 00:02:04
start_show "$work/resume.closed" "$kListedTitle"
check "both clocks start at slot 2's saved 02:05" clocks_start_at 02:05
check "both are up" wait_until $kShowFoundSeconds clocks_are 1
recorded_saves
check "the next second is saved as [PPTFiles] timeFree2=00:02:04 (saw: $values)" \
    [ "$values" = "00:02:05 00:02:04" ]
check "slot 1's saved time is left alone" saved_is PPTFiles timeFree1 00:07:00
check "the shared saved time is left alone" saved_is Normal timeFree 00:05:00
end_show
check "both clocks hide with the show" wait_until $kStepMaxSeconds clocks_are 0
paused=$(saved PPTFiles timeFree2)
resumed=$(time_text $(($(seconds_of "$paused") - 1)))
record_saves PPTFiles timeFree2 "$resumed"
start_show "$work/resume-again.closed" "$kListedTitle"
check "the show started again brings the clocks back" wait_until $kShowFoundSeconds clocks_are 1
recorded_saves
check "it goes on from where it stopped: $paused, then $resumed (saw: $values)" \
    [ "$values" = "$paused $resumed" ]
end_show
quit

report_checks
