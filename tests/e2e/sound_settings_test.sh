#!/usr/bin/env bash
# The sound settings dialog with the real Quorrin.exe, reached through the tray menu: one
# dialog however often it is chosen; sound files chosen through the file dialog and saved;
# Cancel writing nothing; the end signal switched off; the clock hidden while the dialog is
# open during a show; and "退出程序" waiting for the open dialog.
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"

readonly kDialogClass=Quorrin.SoundDialog
# Control ids of the dialog and of the system's file dialog.
readonly kSoundLabelId=1004
readonly kBrowseSoundId=1005
readonly kEndWarningId=1006
readonly kEndSoundLabelId=1008
readonly kBrowseEndSoundId=1009
readonly kSaveId=1
readonly kCancelId=2
readonly kCloseId=4
readonly kFileNameEditId=0x47C
readonly kOkId=1

dialog=
dialog_open() { dialog=$(first_window --class "$kDialogClass" --visible); }
dialog_gone() { ! first_window --class "$kDialogClass" >/dev/null; }
dialog_count() { wininfo list --class "$kDialogClass" | wc -l; }
file_dialog=
file_dialog_open() { file_dialog=$(first_window --class '#32770' --visible); }
file_dialog_gone() { ! first_window --class '#32770' --visible >/dev/null; }
label_of() { wininfo text "$dialog" | awk -F'\t' -v id="$1" '$1 == id { print $3 }'; }
label_is() { [ "$(label_of "$1")" = "$2" ]; }

open_dialog() { choose_from_menu $kSoundSettingsItem "$@" && wait_until 10 dialog_open; }

# pick_file BROWSE_ID WINDOWS_PATH: "浏览", then the file typed into the file dialog and OK.
pick_file() {
    wininfo command "$dialog" "$1" >/dev/null
    wait_until 10 file_dialog_open || return 1
    wininfo settext "$file_dialog" $kFileNameEditId "$2" >/dev/null || return 1
    wininfo command "$file_dialog" $kOkId >/dev/null
    wait_until 10 file_dialog_gone
}

new_app sounds
write_settings
launch
warning_wav="$app/提示音.wav"
end_wav="$app/结束音.wav"
# Two short silent WAV files (44-byte header, no samples).
for wav in "$warning_wav" "$end_wav"; do
    printf 'RIFF\x24\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x40\x1f\x00\x00\x80\x3e\x00\x00\x02\x00\x10\x00data\x00\x00\x00\x00' >"$wav"
done

echo "--- opening"
check "声音设置 in the tray menu opens the dialog" open_dialog $kIconX $kIconY
check "it shows the default sounds" label_is $kSoundLabelId "默认声音"
# Its tick is checked below: one click on it and 保存 write EndWarning=False.
check "and the end reminder check box" label_is $kEndWarningId "结束提醒"
first_dialog=$dialog
check "choosing it again" choose_from_menu $kSoundSettingsItem $kIconX $kIconY
check "brings the same dialog forward, no second one" wait_until 5 dialog_open
same_single_dialog() { [ "$dialog" = "$first_dialog" ] && [ "$(dialog_count)" -eq 1 ]; }
check "(the same window, and only one)" same_single_dialog

echo "--- choosing and saving"
check "a warning sound is chosen through the file dialog" pick_file $kBrowseSoundId "$(windows_path "$warning_wav")"
check "its full path shows" label_is $kSoundLabelId "$(windows_path "$warning_wav")"
check "an end sound is chosen" pick_file $kBrowseEndSoundId "$(windows_path "$end_wav")"
check "its full path shows" label_is $kEndSoundLabelId "$(windows_path "$end_wav")"
wininfo command "$dialog" $kSaveId >/dev/null
check "保存 closes the dialog" wait_until 10 dialog_gone
check "SoundFile is saved" saved_is Normal SoundFile "$(windows_path "$warning_wav")"
check "endSoundFile is saved" saved_is Normal endSoundFile "$(windows_path "$end_wav")"
check "EndWarning stays True" saved_is Normal EndWarning True

echo "--- cancelling"
cp "$app/Config.ini" "$work/before-cancel.ini"
check "the dialog opens again" open_dialog $kIconX $kIconY
check "with the saved sound" label_is $kSoundLabelId "$(windows_path "$warning_wav")"
check "another file is chosen" pick_file $kBrowseSoundId "$(windows_path "$end_wav")"
wininfo click "$dialog" $kEndWarningId >/dev/null
wininfo command "$dialog" $kCancelId >/dev/null
check "取消 closes the dialog" wait_until 10 dialog_gone
check "Config.ini is byte for byte as before" cmp -s "$app/Config.ini" "$work/before-cancel.ini"
check "the dialog opens again" open_dialog $kIconX $kIconY
wininfo command "$dialog" $kCloseId >/dev/null
check "× closes it" wait_until 10 dialog_gone
check "and writes nothing either" cmp -s "$app/Config.ini" "$work/before-cancel.ini"

echo "--- the end signal off"
check "the dialog opens" open_dialog $kIconX $kIconY
wininfo click "$dialog" $kEndWarningId >/dev/null
wininfo command "$dialog" $kSaveId >/dev/null
check "保存 closes it" wait_until 10 dialog_gone
check "EndWarning=False is saved" saved_is Normal EndWarning False
check "the sounds stay" saved_is Normal SoundFile "$(windows_path "$warning_wav")"

echo "--- during a show"
start_show "$work/show.closed"
check "the clock comes up over the show" wait_until $kShowFoundSeconds clocks_are 1
read -r left top right bottom < <(window_rect "$main")
check "the dialog opens from a right click on the clock" \
    open_dialog $(((left + right) / 2)) $(((top + bottom) / 2))
check "the clock is hidden while it is open" wait_until 5 clocks_are 0
check "and stays hidden" holds_for 2 clocks_are 0
counts_on() { next_saved Normal timeFree "$(saved Normal timeFree)" 5 >/dev/null; }
check "the countdown goes on meanwhile" counts_on
wininfo command "$dialog" $kCancelId >/dev/null
check "closing the dialog shows the clock again" wait_until 5 clocks_are 1
end_show
check "the clock hides with the show" wait_until 5 clocks_are 0

echo "--- 退出程序 with the dialog open"
check "the dialog opens" open_dialog $kIconX $kIconY
check "退出程序 is chosen" choose_from_menu $kExitItem $kIconX $kIconY
no_clock() { ! first_window --class "$kMainClass" >/dev/null; }
check "the clock windows go" wait_until 10 no_clock
check "the program keeps running for the dialog" holds_for 2 kill -0 "$pid"
check "the dialog is still there" dialog_open
wininfo command "$dialog" $kCancelId >/dev/null
check "closing the dialog ends the program" wait_until 10 process_gone "$pid"

report_checks
