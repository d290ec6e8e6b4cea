#!/usr/bin/env bash
# The record of talks written by the real Quorrin.exe under Wine, over the slide-show
# stand-in: a countdown that runs out, a show closed early, Quorrin closed during a show and
# Windows shutting down during one each leave their row in History.csv beside Config.ini,
# read back byte by byte (the byte-order mark, the header, the columns); with [Talk]
# History=False nothing is written.
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"

readonly kRowSeconds=15       # a row written after its show's end, on a slow machine
readonly kShowStartSeconds=30 # the stand-in's window up, on a busy machine
readonly kHeader="Start,Presentation,Planned,ResumedFrom,Actual,Paused,Overtime,End"
readonly kStartPattern='^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}$'

history_file() { echo "$app/History.csv"; }
# rows: the data rows of History.csv, without the byte-order mark, the header and the CRs.
rows() { tail -n +2 "$(history_file)" | tr -d '\r'; }
row_count_is() { [ -e "$(history_file)" ] && [ "$(rows | wc -l)" -eq "$1" ]; }
# field ROW COLUMN: one field of data row ROW (1 is the oldest); no field here needs quotes.
field() { rows | sed -n "${1}p" | cut -d , -f "$2"; }
field_is() { [ "$(field "$1" "$2")" = "$3" ]; }
field_matches() { [[ "$(field "$1" "$2")" =~ $3 ]]; }
starts_with_bom_and_header() {
    [ "$(head -c 3 "$(history_file)" | od -An -tx1 | tr -d ' ')" = efbbbf ] &&
        [ "$(head -n 1 "$(history_file)" | tail -c +4)" = "$kHeader"$'\r' ]
}
every_line_has_eight_fields_and_crlf() {
    ! tail -n +2 "$(history_file)" | grep -qv $'\r$' &&
        [ "$(rows | awk -F , 'NF != 8' | wc -l)" -eq 0 ]
}
show_up() { first_window --class "$kShowClass" --visible >/dev/null; }
# a_show TAG: starts a show and waits for it and the clock over it.
a_show() {
    start_show "$work/$1.closed" "$kShowTitle"
    check "show $1 is up" wait_until $kShowStartSeconds show_up
    check "the clock comes up over show $1" wait_until $kShowFoundSeconds clocks_are 1
}

echo "--- three ends in one run: the time runs out, the show is closed early, Quorrin exits"
new_app ends
timeCnt=00:00:03 timeWarning=00:00:00 close=True write_settings
launch
a_show timeup
check "the show is closed at the end" wait_until $kCloseSeconds process_gone "$show_pid"
check "a row is written when the time runs out" wait_until $kRowSeconds row_count_is 1
check "it starts with the byte-order mark and the header row" starts_with_bom_and_header
check "its start is the local date and time" field_matches 1 1 "$kStartPattern"
check "the shared timing's presentation" field_is 1 2 所有演示文稿
check "planned 00:00:03, not resumed" [ "$(field 1 3),$(field 1 4)" = "00:00:03," ]
echo "     $(rows | head -n 1)"
# The end comes on the step after the clock showed 00:00, so up to a second more ran.
check "the whole time ran" field_matches 1 5 '^00:00:0[34]$'
check "none paused, none over" [ "$(field 1 6),$(field 1 7)" = "00:00:00,00:00:00" ]
check "it ended as time-up" field_is 1 8 time-up
quit
launch

a_show early
end_show
check "a show closed early adds its row" wait_until $kRowSeconds row_count_is 2
check "it ended as show-ended" field_is 2 8 show-ended
check "less than the planned time ran" field_matches 2 5 '^00:00:0[0-2]$'

a_show exit
quit
check "Quorrin closed during a show writes its row as it exits" row_count_is 3
check "it ended as program-exit" field_is 3 8 program-exit
check "every row has the eight columns and ends in CRLF" every_line_has_eight_fields_and_crlf
check "the header is written once" [ "$(grep -c "^.*Start,Presentation" "$(history_file)")" -eq 1 ]
end_show

echo "--- Windows shuts down during a show"
new_app shutdown
timeCnt=00:10:00 write_settings
launch
a_show shutdown
wininfo endsession "$main" >/dev/null
check "Quorrin ends with the session" wait_until $kCloseSeconds process_gone "$pid"
check "and leaves a program-exit row" field_is 1 8 program-exit
end_show

echo "--- [Talk] History=False records nothing"
new_app off
talk='History=False' timeCnt=00:00:02 timeWarning=00:00:00 close=True write_settings
launch
a_show off
check "the show is closed at the end" wait_until $kCloseSeconds process_gone "$show_pid"
quit
launch
a_show off-exit
quit
check "no History.csv is written" [ ! -e "$(history_file)" ]
end_show

report_checks
