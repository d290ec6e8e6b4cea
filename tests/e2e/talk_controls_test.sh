#!/usr/bin/env bash
# The controls during a talk, on the real Quorrin.exe under Wine over the slide-show
# stand-in: the warning and overtime colours read from the screen, the count past zero with
# the resume point left at zero, and the presenter's global keys sent with xdotool (pause,
# one minute more and less, hide), one of them held by another program; and the settings
# dialog from the tray menu, which marks a held key and whose 保存 and 取消 write the
# [Talk] section or leave the file as it was.
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"

readonly kStepMaxSeconds=3
readonly kHoldSeconds=2
# The clock at 300,200 px, 200 x 80 px; the probe is left of the digits, inside the corners.
readonly kProbe="306,240"
readonly kWarningRgb="166,77,0"   # the default warning colour, 0x004DA6
readonly kOvertimeRgb="192,0,0"   # the default overtime colour, 0x0000C0
readonly kPauseKey=ctrl+alt+shift+p
readonly kMoreKey=ctrl+alt+shift+Prior
readonly kLessKey=ctrl+alt+shift+Next
readonly kHideKeyCode=0x0748      # Ctrl+Alt+Shift+H, held by another program below
readonly kDialogClass=Quorrin.TalkDialog

pixel_at() {  # pixel_at PNG X,Y: "R,G,B"
    convert "$1" -format "%[fx:int(255*p{$2}.r)],%[fx:int(255*p{$2}.g)],%[fx:int(255*p{$2}.b)]" info:
}
shot="$work/shot.png"
background_is() {  # background_is R,G,B: the clock's background on the screen
    import -window root -display "$DISPLAY" "$shot" && seen=$(pixel_at "$shot" "$kProbe") &&
        [ "$seen" = "$1" ]
}
label_is() { [ "$(child_text "$main" "$kLabelClass")" = "$1" ]; }
show_up() { first_window --class "$kShowClass" --visible >/dev/null; }
press() { xdotool key --clearmodifiers "$1"; }
balloon_names_key() {
    first_window --visible --class tooltips_class32 --title "Ctrl+Alt+Shift+H" >/dev/null
}
seconds_of() { echo $((10#${1%:*} * 60 + 10#${1#*:})); }           # MM:SS
mmss() { printf '%02d:%02d' $(($1 / 60)) $(($1 % 60)); }

echo "--- overtime and colours (close=False)"
new_app overtime
talk=$'Overtime=True\r\nColors=True' showPos=4 Left=4500 Top=3000 flush=False close=False \
    timeCnt=00:00:06 timeWarning=00:00:04 write_settings
start_show "$work/overtime.closed" "$kShowTitle"
check "the show is up" wait_until $kShowFoundSeconds show_up
launch
check "the clock comes up" wait_until $kShowFoundSeconds clocks_are 1
check "the warning colour from the warning second on" wait_until 8 background_is "$kWarningRgb"
echo "     at $(child_text "$main" "$kLabelClass"), seen $seen"
check "the clock shows -00:02 two seconds after zero" wait_until 12 clocks_reached -00:02
check "in the overtime colour, on the screen" wait_until $kStepMaxSeconds background_is "$kOvertimeRgb"
[ -n "${QUORRIN_SCREENSHOTS:-}" ] && cp "$shot" "$QUORRIN_SCREENSHOTS/overtime-clock.png"
check "the saved time stays 00:00:00" saved_is Normal timeFree 00:00:00
check "the show is left open" [ ! -e "$work/overtime.closed" ]
check "the count goes on" wait_until $kStepMaxSeconds clocks_reached -00:04
end_show
check "the clock goes with the show" wait_until $kShowFoundSeconds clocks_are 0
quit

echo "--- the presenter's keys (one of them held by the show)"
new_app keys
talk=$'HotKeys=True' timeCnt=00:10:00 write_settings
start_show "$work/keys.closed" --hold-key "$kHideKeyCode" "$kShowTitle"
check "the show is up" wait_until $kShowFoundSeconds show_up
launch
# The balloon shows for a while from the start: looked for first.
check "the key the show holds is named in a balloon" \
    wait_until 5 balloon_names_key
check "the clock counts" wait_until 5 clocks_reached 09:58
paused_label=
main_paused() { paused_label=$(child_text "$main" "$kLabelClass") && [[ $paused_label == "||"* ]]; }
holds_still() { label_is "$paused_label" && saved_is Normal timeFree "$paused_saved"; }
# shown_and_saved LABEL HH:MM:SS: the clock shows LABEL and Config.ini holds the time.
shown_and_saved() { label_is "$1" && saved_is Normal timeFree "$2"; }

press $kPauseKey
check "the pause key marks the clock (||MM:SS)" wait_until $kStepMaxSeconds main_paused
paused_saved="00:${paused_label#||}"
check "the time as it stands is saved ($paused_saved)" \
    wait_until 1 saved_is Normal timeFree "$paused_saved"
check "a paused clock neither counts nor saves for ${kHoldSeconds} s" \
    holds_for $kHoldSeconds holds_still
at=$(seconds_of "${paused_label#||}")
more=$(mmss $((at + 60))) less=$(mmss $((at - 60))) next=$(mmss $((at - 61)))
press $kMoreKey
check "one minute more: ||$more shown and 00:$more saved" \
    wait_until $kStepMaxSeconds shown_and_saved "||$more" "00:$more"
press $kLessKey
press $kLessKey
check "two minutes less: ||$less shown and 00:$less saved" \
    wait_until $kStepMaxSeconds shown_and_saved "||$less" "00:$less"
press $kPauseKey
check "resumed, the next step shows and saves $next" \
    wait_until $kStepMaxSeconds shown_and_saved "$next" "00:$next"
end_show
quit

echo "--- the settings dialog (放映控制)"
new_app dialog
write_settings
cp "$app/Config.ini" "$work/before.ini"
start_show "$work/holder.closed" --windowed --hold-key "$kHideKeyCode" "a program that holds a key"
launch
dialog=
dialog_open() { dialog=$(first_window --class "$kDialogClass" --visible); }
dialog_gone() { ! first_window --class "$kDialogClass" >/dev/null; }
open_dialog() { choose_from_menu $kTalkSettingsItem $kIconX $kIconY && wait_until 10 dialog_open; }
marked_taken() { [ "$(wininfo text "$dialog" | grep -c '已被占用')" = 1 ]; }
unchanged() { cmp -s "$app/Config.ini" "$work/before.ini"; }
check "放映控制 opens the dialog" open_dialog
check "the key held by the other program, and it alone, is marked as taken" marked_taken
[ -n "${QUORRIN_SCREENSHOTS:-}" ] && import -window root "$QUORRIN_SCREENSHOTS/talk-dialog.png"
xdotool key Escape
check "取消 (Esc) closes it" wait_until 5 dialog_gone
check "and leaves Config.ini as it was, without [Talk]" unchanged
check "opened again" open_dialog
# The focus starts on the first switch (超时后继续计时): Space turns it on, Enter saves.
xdotool key --delay 100 space Return
check "保存 (Enter) closes it" wait_until 5 dialog_gone
check "[Talk] is written with overtime on and the rest as it was" \
    eval 'saved_is Talk Overtime True && saved_is Talk Colors False &&
        saved_is Talk HideKey Ctrl+Alt+Shift+H && saved_is Talk OvertimeColor 192'
cp "$app/Config.ini" "$work/before.ini"
check "opened again" open_dialog
xdotool key --delay 100 space Escape
check "a change cancelled leaves the section as it was" eval 'wait_until 5 dialog_gone && unchanged'
quit

report_checks
