#!/usr/bin/env bash
# The end of a countdown of the real Quorrin.exe under Wine, over the slide-show stand-in: the
# warning flash of both clock windows, the end that closes the show, and the end without the
# end signal, which leaves the show alone and the clock down until the show comes anew.
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"

readonly kRunMaxSeconds=30          # a countdown of a few seconds, on a slow machine
readonly kEndedHoldSeconds=3        # how long an ended countdown is watched staying ended
readonly kSamplesFile="$work/samples"

# sample_until_closed FLAG: one line per look until the show got WM_CLOSE (FLAG exists):
# "MAIN COPY SAVED CLOSED", the clocks' visible flags (1/0), [Normal] timeFree, and 1 once the
# show has been asked to close. The windows are looked at first, the rest right after.
sample_until_closed() {
    local listing closed=0 until=$((SECONDS + kRunMaxSeconds * kPatience))
    while [ "$closed" -eq 0 ] && [ $SECONDS -lt $until ]; do
        listing=$(wininfo list)
        [ -e "$1" ] && closed=1
        echo "$(clock_field "$listing" "$kMainClass" 3) $(clock_field "$listing" "$kCopyClass" 3)" \
            "$(saved Normal timeFree) $closed"
    done
}
# sampled PATTERN: some sample matches the extended regular expression.
sampled() { grep -Eq "$1" "$kSamplesFile"; }
never_sampled() { ! sampled "$1"; }
# all_sampled PATTERN EXPECTED: the samples matching PATTERN exist and all match EXPECTED too.
all_sampled() {
    grep -Eq "$1" "$kSamplesFile" && ! grep -E "$1" "$kSamplesFile" | grep -Evq "$2"
}
# shown_again: the clock, hidden by the flash, is shown again before the time is up.
shown_again() {
    awk '$1 == 0 && $4 == 0 { hidden = 1 } $1 == 1 && hidden && $3 ~ /^00:00:0[1-5]$/ { again = 1 }
        END { exit !again }' "$kSamplesFile"
}
show_running() { kill -0 "$show_pid" 2>/dev/null; }
ended_alone() {  # the countdown is over, the show is up and was not asked to close
    [ ! -e "$1" ] && show_running && clocks_are 0
}

echo "--- the warning flash, then the end closes the show (EndWarning=True, close=True)"
# 8 s with the warning at 5 s left: the warning comes 3 s after the start, the flash (hidden
# and shown every half second) stops 3 s later, the end comes after 9 s.
new_app flash
timeCnt=00:00:08 timeWarning=00:00:05 timeFree=00:01:00 write_settings
launch
flag="$work/flash.closed"
start_show "$flag" "$kShowTitle"
check "both clocks come up with the show" wait_until $kShowFoundSeconds clocks_are 1
sample_until_closed "$flag" >"$kSamplesFile"
echo "     $(wc -l <"$kSamplesFile") looks at the clocks"
check "the show is asked to close at the end" test -e "$flag"
check "the clock does not blink before the warning" \
    never_sampled '^(0 .|. 0) (00:01:00|00:00:0[67]) '
check "the clock hides in the warning seconds" sampled '^0 . 00:00:0[45] 0$'
check "so does its copy" sampled '^. 0 00:00:0[45] 0$'
check "the clock is shown again after it was hidden" shown_again
check "after the flash both stay up (the second with 00:00:01 saved)" \
    all_sampled ' 00:00:01 0$' '^1 1 '
check "00:00:00 is saved while the clock is still up" sampled '^1 . 00:00:00 0$'
check "at the end both clocks hide" wait_until $kShowFoundSeconds clocks_are 0
check "the show closes" wait_until $kCloseSeconds process_gone "$show_pid"
check "the last saved time is 00:00:00" saved_is Normal timeFree 00:00:00
quit

echo "--- the end without the end signal (EndWarning=False, close=True)"
new_app silent
# ReSetTime=False: the first show after start-up still starts afresh, not at the saved 2 s.
EndWarning=False ReSetTime=False timeCnt=00:00:03 timeWarning=00:00:00 timeFree=00:00:02 \
    write_settings
# Wine writes OutputDebugString lines to the process's stderr on its "seh" warning channel:
# the log tells when Quorrin has noticed a show's end.
WINEDEBUG=-all,warn+seh launch
flag="$work/silent.closed"
start_show "$flag" "$kShowTitle"
check "the first show after start-up starts at the full 00:03" clocks_start_at 00:03
check "at the end both clocks hide" wait_until $kRunMaxSeconds clocks_are 0
check "the last saved time is 00:00:00" saved_is Normal timeFree 00:00:00
check "the show is not closed; the ended countdown stays down for ${kEndedHoldSeconds} s" \
    holds_for $kEndedHoldSeconds ended_alone "$flag"
check "nothing more is saved" saved_is Normal timeFree 00:00:00
# The clocks are down already, so nothing shows when Quorrin notices the show has gone: its
# log does (Wine reports no window's end: the fallback pass, once a second, sees it).
ends_noticed() { grep -ac "Quorrin: slide show ended" "$app/quorrin.log"; }
ends_before=$(ends_noticed)
end_show
one_more_end_noticed() { [ "$(ends_noticed)" -gt "$ends_before" ]; }
check "(Quorrin notices the show has gone)" wait_until $kShowFoundSeconds one_more_end_noticed
start_show "$work/silent-again.closed" "$kShowTitle"
check "the show found anew brings the clocks back" wait_until $kShowFoundSeconds clocks_are 1
next=$(next_saved Normal timeFree 00:00:00 $kShowFoundSeconds)
check "a countdown that ran out starts afresh at 00:03: 00:00:02 is saved next (got $next)" \
    [ "$next" = 00:00:02 ]
end_show
quit

report_checks
