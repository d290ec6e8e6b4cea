#!/usr/bin/env bash
# Config.ini held by another program, and its attributes, with the real Quorrin.exe: the
# per-second save while the file is held open without sharing (the count goes on, the saved
# value catches up after the release); the sound dialog's 保存 while it is held (a message
# naming the file, the dialog stays open with the user's choice, 保存 after the release
# works); a Hidden Config.ini stays hidden through a countdown.
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"

readonly kHoldMs=5000
readonly kDialogHoldMs=15000
readonly kDialogClass=Quorrin.SoundDialog
readonly kEndWarningId=1006
readonly kSaveId=1
readonly kOkId=1
readonly kCatchUpSeconds=3

seconds_of() {  # seconds_of HH:MM:SS
    local h m s
    IFS=: read -r h m s <<<"$1"
    echo $((10#$h * 3600 + 10#$m * 60 + 10#$s))
}

# hold FILE MS: holds FILE open without sharing for MS milliseconds (tools/hold-file.exe);
# returns once it is held. Sets $hold_pid.
hold() {
    local ready="$work/held.$RANDOM"
    wine "$QUORRIN_BIN/hold-file.exe" "$(windows_path "$1")" "$2" "$(windows_path "$ready")" \
        >"$work/hold.log" 2>&1 </dev/null &
    hold_pid=$!
    running+=("$hold_pid")
    wait_until 10 test -e "$ready"
}
released() { process_gone "$hold_pid"; }

label_now() { child_text "$main" "$kLabelClass"; }
# The clock's MM:SS in seconds.
clock_seconds() {
    local text
    text=$(label_now) || return 1
    echo $((10#${text%%:*} * 60 + 10#${text##*:}))
}
# saved_matches_clock: the saved timeFree is what the clock shows, or one step behind it.
saved_matches_clock() {
    local saved_s clock_s
    saved_s=$(seconds_of "$(saved Normal timeFree)")
    clock_s=$(clock_seconds) || return 1
    [ $((saved_s - clock_s)) -ge 0 ] && [ $((saved_s - clock_s)) -le 1 ]
}

echo "--- the per-second save while Config.ini is held"
new_app held
SameMode=True ReSetTime=True timeCnt=00:10:00 write_settings
launch
start_show "$work/show.closed"
check "the clock comes up over the show" wait_until $kShowFoundSeconds clocks_are 1
check "the count is saved" wait_until 5 saved_is_not Normal timeFree 00:00:00
check "Config.ini is held open without sharing for 5 s" hold "$app/Config.ini" $kHoldMs
held_value=$(saved Normal timeFree)
clock_before=$(clock_seconds)
clock_after=
counted() { clock_after=$(clock_seconds) && [ $((clock_before - clock_after)) -ge 2 ]; }
check "the clock counts on while it is held" wait_until $kCatchUpSeconds counted
echo "     $clock_before s -> $clock_after s"
# Two saves were due meanwhile. (Only a machine too loaded to count two steps within the
# hold sees the holder gone first; then there is nothing to look at.)
unsaved_while_held() { released || saved_is Normal timeFree "$held_value"; }
check "nothing could be saved meanwhile" unsaved_while_held
check "the holder lets go" wait_until 10 released
check "the saved value catches up with the clock within ${kCatchUpSeconds} s" \
    wait_until $kCatchUpSeconds saved_matches_clock
caught_up() { [ "$(seconds_of "$(saved Normal timeFree)")" -le $(($(seconds_of "$held_value") - 5)) ]; }
check "and is at least 5 s below the last value saved before" caught_up
check "no temporary file is left beside it" test -z "$(ls "$app" | grep '\.tmp$')"
end_show
quit

echo "--- 保存 in the sound dialog while Config.ini is held"
new_app dialog
EndWarning=True write_settings
launch
dialog=
dialog_open() { dialog=$(first_window --class "$kDialogClass" --visible); }
dialog_gone() { ! first_window --class "$kDialogClass" >/dev/null; }
box=
box_open() { box=$(first_window --class '#32770' --title Quorrin --visible); }
box_gone() { ! first_window --class '#32770' --title Quorrin --visible >/dev/null; }
check "the dialog opens from the tray menu" \
    eval 'choose_from_menu $kSoundSettingsItem $kIconX $kIconY && wait_until 10 dialog_open'
wininfo click "$dialog" $kEndWarningId >/dev/null  # the end reminder switched off
cp "$app/Config.ini" "$work/before-save.ini"
check "Config.ini is held open without sharing" hold "$app/Config.ini" $kDialogHoldMs
wininfo command "$dialog" $kSaveId >/dev/null
check "保存 shows a message box captioned Quorrin" wait_until 10 box_open
# The whole text of the box (its message runs over several lines).
box_text=$(wininfo text "$box")
echo "     it says: $(printf '%s' "$box_text" | tr '\n\t' '| ')"
if [ -n "${QUORRIN_SCREENSHOTS:-}" ]; then import -window root "$QUORRIN_SCREENSHOTS/save-failed.png"; fi
names_file() { [[ "$box_text" == *"$(windows_path "$app/Config.ini")"* ]]; }
check "naming the file" names_file
# The system's text for the error follows the file name.
has_reason() {
    printf '%s\n' "$box_text" | awk -F'\t' '/Config\.ini/ { after = 1; next }
        after && $0 != "" && $2 != "Button" { found = 1 } END { exit !found }'
}
check "and a reason" has_reason
only_ok() { [ "$(wininfo text "$box" | awk -F'\t' '$2 == "Button"' | wc -l)" -eq 1 ]; }
check "with one button only" only_ok
check "the dialog stays open" dialog_open
check "Config.ini is untouched" cmp -s "$app/Config.ini" "$work/before-save.ini"
wininfo command "$box" $kOkId >/dev/null
check "OK closes the message" wait_until 5 box_gone
check "the dialog is still open" dialog_open
kill "$hold_pid" 2>/dev/null
check "the holder lets go" wait_until 10 released
wininfo command "$dialog" $kSaveId >/dev/null
check "保存 after the release closes the dialog" wait_until 10 dialog_gone
check "with the choice made before the failed save" saved_is Normal EndWarning False
check "and no message" box_gone
quit

echo "--- a Hidden Config.ini through a countdown"
new_app hidden
SameMode=True ReSetTime=True timeCnt=00:10:00 write_settings
config_win=$(windows_path "$app/Config.ini")
wine attrib +h "$config_win" >"$work/attrib.log" 2>&1 </dev/null
is_hidden() {
    wine attrib "$config_win" >"$work/attrib.log" 2>&1 </dev/null
    grep -q '^[A-Z ]*H[A-Z ]*Z:' "$work/attrib.log"
}
check "Config.ini is hidden" is_hidden
launch
start_show "$work/show2.closed"
check "the clock comes up over the show" wait_until $kShowFoundSeconds clocks_are 1
first=$(next_saved Normal timeFree 00:00:00 5)
check "the count is saved" test -n "$first"
saved_again() { next_saved Normal timeFree "$first" 3 >/dev/null; }
check "and saved again" saved_again
check "Config.ini is still hidden after the saves" is_hidden
end_show
quit

report_checks
