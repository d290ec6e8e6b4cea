#!/usr/bin/env bash
# The timing settings with the real Quorrin.exe, reached through the tray menu: the dialog
# with the stored defaults and only one of it; Cancel writing nothing; a presentation added
# through the editor, its file chosen in the file dialog and its times typed into the time
# fields (which stay valid times whatever is typed, and take fast typing with one key going
# down before the last came up), saved from the keyboard; Save writing [PPTFiles]; the no-file
# and name-clash messages; a show of the added presentation counting down from the time
# typed in; deleting a row and clearing the list; saving while a show counts; a presentation
# whose name GBK cannot hold, which makes Config.ini UTF-16 and is found after a restart.
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"

readonly kDialogClass=Quorrin.TimingDialog
readonly kEditorClass=Quorrin.TimingEntryDialog
# Control ids of the list dialog.
readonly kCloseId=4
readonly kSameModeId=1103
readonly kIndividualId=1104
readonly kAddId=1105
readonly kDeleteId=1106
readonly kClearId=1107
readonly kResumeId=1109
readonly kListId=1111
readonly kSaveId=1
readonly kCancelId=2
# ... of the editor.
readonly kDurationId=1204
readonly kWarningId=1206
readonly kFlushId=1207
readonly kFileLabelId=1210
readonly kBrowseId=1211
readonly kEditorSaveId=1
readonly kEditorCancelId=2
# ... of the file dialog and the message box.
readonly kFileNameEditId=0x47C
readonly kOkId=1
readonly kDisabledStyle=0x08000000
readonly kTab=$'\t'
readonly kNoFileMessage="请选择需要倒计时的PPT文件!"

dialog=
dialog_open() { dialog=$(first_window --class "$kDialogClass" --visible); }
dialog_gone() { ! first_window --class "$kDialogClass" >/dev/null; }
dialog_count() { wininfo list --class "$kDialogClass" | wc -l; }
editor=
editor_open() { editor=$(first_window --class "$kEditorClass" --visible); }
editor_gone() { ! first_window --class "$kEditorClass" >/dev/null; }
file_dialog=
file_dialog_open() { file_dialog=$(first_window --class '#32770' --visible --title 'PPT'); }
file_dialog_gone() { ! first_window --class '#32770' --visible --title 'PPT' >/dev/null; }
message=
message_open() { message=$(first_window --class '#32770' --visible --title Quorrin); }
message_gone() { ! first_window --class '#32770' --visible --title Quorrin >/dev/null; }

open_dialog() { choose_from_menu $kTimingSettingsItem $kIconX $kIconY && wait_until 10 dialog_open; }
# rows: the list's rows, one per line (columns tab-separated).
rows() { wininfo items "$dialog" $kListId | cut -f 3-; }
rows_are() { [ "$(rows)" = "$1" ]; }
state_of() { wininfo state "$1" "$2"; }  # enabled checked visible left top right bottom
enabled_is() { [ "$(state_of "$1" "$2" | cut -f 1)" = "$3" ]; }
checked_is() { [ "$(state_of "$1" "$2" | cut -f 2)" = "$3" ]; }
resume_choice() { wininfo items "$dialog" $kResumeId | awk -F'\t' '$2 == 1 { print $3 }'; }
row_buttons_are() {
    enabled_is "$dialog" $kAddId "$1" && enabled_is "$dialog" $kDeleteId "$1" &&
        enabled_is "$dialog" $kClearId "$1"
}
text_of() { wininfo text "$1" | awk -F'\t' -v id="$2" '$1 == id { print $3 }'; }
text_is() { [ "$(text_of "$1" "$2")" = "$3" ]; }
dialog_disabled() { (($(window_field "$dialog" 9) & kDisabledStyle)); }

# pick_file WINDOWS_PATH: the editor's "浏览", then the file typed into the file dialog and OK.
pick_file() {
    wininfo command "$editor" $kBrowseId >/dev/null
    wait_until 10 file_dialog_open || return 1
    wininfo settext "$file_dialog" $kFileNameEditId "$1" >/dev/null || return 1
    wininfo command "$file_dialog" $kOkId >/dev/null
    wait_until 10 file_dialog_gone
}
# message_says TEXT: a message box titled Quorrin shows TEXT; OK closes it.
message_says() {
    wait_until 10 message_open || return 1
    local shown
    shown=$(message_text "$message")
    wininfo command "$message" $kOkId >/dev/null
    wait_until 5 message_gone || return 1
    [ "$shown" = "$1" ] || { echo "     it says: $shown"; return 1; }
}
# click_digit FIELD_ID: a click on the first digit of the editor's time field.
click_digit() {
    local l t r b
    read -r _ _ _ l t r b < <(state_of "$editor" "$1")
    xdotool mousemove $((l + 4)) $(((t + b) / 2)) click 1
}
field_is() { text_is "$editor" "$1" "$2"; }
valid_time() { [[ $(text_of "$editor" "$1") =~ ^([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]$ ]]; }

new_app timing
write_settings
launch
touch "$app/年度报告.pptx" "$app/年度报告2.ppt"

echo "--- opening with the defaults"
check "计时设置 in the tray menu opens the dialog" open_dialog
check "同一计时设置 is selected" checked_is "$dialog" $kSameModeId 1
check "the resume rule is 重新计时" [ "$(resume_choice)" = "重新计时" ]
check "the three row buttons are disabled" row_buttons_are 0
check "the one row is the shared timing" rows_are "00:10:00${kTab}00:00:30${kTab}是${kTab}是${kTab}所有演示文稿"
first_dialog=$dialog
check "choosing it again" choose_from_menu $kTimingSettingsItem $kIconX $kIconY
same_single_dialog() { dialog_open && [ "$dialog" = "$first_dialog" ] && [ "$(dialog_count)" -eq 1 ]; }
check "brings the same dialog forward, no second one" wait_until 5 same_single_dialog

echo "--- cancelling"
cp "$app/Config.ini" "$work/before-cancel.ini"
wininfo click "$dialog" $kIndividualId >/dev/null
check "个性化设置 enables the row buttons" row_buttons_are 1
check "and shows the empty individual list" rows_are ""
wininfo select "$dialog" $kResumeId 1 >/dev/null
wininfo command "$dialog" $kCancelId >/dev/null
check "取消 closes the dialog" wait_until 10 dialog_gone
check "Config.ini is byte for byte as before" cmp -s "$app/Config.ini" "$work/before-cancel.ini"
check "the dialog opens again" open_dialog
wininfo click "$dialog" $kIndividualId >/dev/null
wininfo command "$dialog" $kCloseId >/dev/null
check "× closes it" wait_until 10 dialog_gone
check "and writes nothing either" cmp -s "$app/Config.ini" "$work/before-cancel.ini"

echo "--- adding a presentation"
check "the dialog opens" open_dialog
wininfo click "$dialog" $kIndividualId >/dev/null
wininfo command "$dialog" $kAddId >/dev/null
check "添加 opens the editor" wait_until 10 editor_open
check "modal: the list dialog is disabled" dialog_disabled
check "its fields start at 00:00:00" field_is $kDurationId "00:00:00"
click_digit $kDurationId
# 1, then 2 and 3 typed fast: 3 goes down before 2 comes up.
xdotool type --delay 80 1
xdotool keydown 2 keydown 3 keyup 2 keyup 3
check "each digit typed fills the next one, across the colon" \
    wait_until 3 field_is $kDurationId "12:30:00"
# Tab moves on to the warning field, its first digit selected.
xdotool key Tab
xdotool type --delay 80 "a9"
xdotool key --delay 80 BackSpace Delete ctrl+v shift+Insert ctrl+x ctrl+z
# (Pasting real clipboard text is the Win32 test's: a clipboard filled from here does not
# outlive the filling process under Wine.)
check "letters, a 9 for tens of hours, Backspace, Delete, paste, cut and undo change nothing" \
    field_is $kWarningId "00:00:00"
xdotool type --delay 80 "0071"
xdotool keydown 0 keydown 3 keyup 0 keyup 3
xdotool type --delay 80 0
check "out-of-range digits are refused and the rest go in, fast across the colon too" \
    wait_until 3 field_is $kWarningId "00:10:30"
check "it is a valid time" valid_time $kWarningId
wininfo click "$editor" $kFlushId >/dev/null
wininfo command "$editor" $kEditorSaveId >/dev/null
check "保存 without a file shows the no-file message" message_says "$kNoFileMessage"
check "and the editor stays open" editor_open
check "the file is chosen in the file dialog" pick_file "$(windows_path "$app/年度报告.pptx")"
check "its base name shows" text_is "$editor" $kFileLabelId "年度报告"
# From the warning field, Tab passes the two switches and 浏览 to 保存; Space clicks it.
click_digit $kWarningId
xdotool key --delay 80 Tab Tab Tab Tab space
check "保存 reached with Tab and pressed with Space closes the editor" wait_until 10 editor_gone
check "the row is added" rows_are "12:30:00${kTab}00:10:30${kTab}是${kTab}否${kTab}年度报告"
wininfo command "$dialog" $kSaveId >/dev/null
check "保存 closes the dialog" wait_until 10 dialog_gone
check "SameMode=False is saved" saved_is Normal SameMode False
check "ReSetTime stays True" saved_is Normal ReSetTime True
check "pptFiles=1" saved_is PPTFiles pptFiles 1
check "timeCnt1=12:30:00" saved_is PPTFiles timeCnt1 12:30:00
check "timeWarning1=00:10:30" saved_is PPTFiles timeWarning1 00:10:30
check "flush1=True" saved_is PPTFiles flush1 True
check "close1=False" saved_is PPTFiles close1 False
check "file1=年度报告" saved_is PPTFiles file1 "年度报告"
check "timeFree1=00:00:00" saved_is PPTFiles timeFree1 00:00:00
check "the shared timing is left alone" saved_is Normal timeCnt 00:10:00

echo "--- the name clash"
check "the dialog opens in 个性化设置" open_dialog
check "(with the saved row)" checked_is "$dialog" $kIndividualId 1
wininfo command "$dialog" $kAddId >/dev/null
check "添加 opens the editor" wait_until 10 editor_open
wininfo command "$editor" $kBrowseId >/dev/null
check "a file whose name contains a listed one is chosen" wait_until 10 file_dialog_open
wininfo settext "$file_dialog" $kFileNameEditId "$(windows_path "$app/年度报告2.ppt")" >/dev/null
wininfo command "$file_dialog" $kOkId >/dev/null
check "the clash message names both" message_says \
    "对不起，该文件名[年度报告2]与列表中已存在的文件名[年度报告]存在名称上的匹配关系，会引起误判断，请重新命名该文件名"
check "and the name stays empty" text_is "$editor" $kFileLabelId ""
wininfo command "$editor" $kEditorCancelId >/dev/null
check "取消 closes the editor" wait_until 10 editor_gone
check "and adds nothing" rows_are "12:30:00${kTab}00:10:30${kTab}是${kTab}否${kTab}年度报告"
wininfo command "$dialog" $kCancelId >/dev/null
check "the dialog closes" wait_until 10 dialog_gone

echo "--- a show of the added presentation"
start_show "$work/show.closed" "PowerPoint 幻灯片放映 - [年度报告.pptx]"
check "its clock starts at the duration typed in" clocks_start_at "750:00"
check "and counts down into timeFree1" wait_until 5 saved_is PPTFiles timeFree1 12:29:59
end_show
check "the clock hides with the show" wait_until 5 clocks_are 0
quit

echo "--- deleting and clearing"
# write_rows: settings with the three presentations 第1讲, 第2讲 and 第3讲.
write_rows() {
    SameMode=False pptFiles=$(for n in 1 2 3; do
        printf 'timeCnt%s=00:0%s:00\ntimeWarning%s=00:00:30\nflush%s=True\nclose%s=False\nfile%s=第%s讲\ntimeFree%s=00:00:00\n' \
            $n $n $n $n $n $n $n $n
    done; echo pptFiles=3) write_settings
}
new_app timing-rows
write_rows
launch
check "the dialog opens with the three rows" open_dialog
check "(three rows)" wait_until 3 [ "$(rows | wc -l)" -eq 3 ]
wininfo select "$dialog" $kListId 1 >/dev/null
wininfo command "$dialog" $kDeleteId >/dev/null
check "删除 removes the second row" wait_until 3 [ "$(rows | cut -f 5 | tr '\n' ' ')" = "第1讲 第3讲 " ]
wininfo command "$dialog" $kSaveId >/dev/null
check "保存 closes the dialog" wait_until 10 dialog_gone
check "pptFiles=2" saved_is PPTFiles pptFiles 2
check "the third row is now the second" saved_is PPTFiles file2 "第3讲"
no_key_3() { ! iconv -f GBK -t UTF-8 "$app/Config.ini" | tr -d '\r' | grep -q '^[a-zA-Z]*3='; }
check "no key numbered 3 is left" no_key_3
check "the dialog opens again" open_dialog
wininfo command "$dialog" $kClearId >/dev/null
check "清空 empties the list" wait_until 3 rows_are ""
wininfo command "$dialog" $kSaveId >/dev/null
check "保存 closes the dialog" wait_until 10 dialog_gone
only_count() {
    [ "$(iconv -f GBK -t UTF-8 "$app/Config.ini" | tr -d '\r' |
        awk '/^\[/ { inside = ($0 == "[PPTFiles]"); next } inside')" = "pptFiles=0" ]
}
check "[PPTFiles] holds only pptFiles=0" only_count
quit

echo "--- saving while a show counts"
new_app timing-running
write_rows
launch
start_show "$work/running.closed" "PowerPoint 幻灯片放映 - [第2讲.pptx]"
check "the clock of 第2讲 comes up" wait_until $kShowFoundSeconds clocks_are 1
check "and counts into timeFree2" wait_until 5 saved_is_not PPTFiles timeFree2 00:00:00
# The show covers the tray icon: the menu comes from a right click on the clock.
read -r left top right bottom < <(window_rect "$main")
open_from_clock() {
    choose_from_menu $kTimingSettingsItem $(((left + right) / 2)) $(((top + bottom) / 2)) &&
        wait_until 10 dialog_open
}
check "the dialog opens meanwhile, from the clock" open_from_clock
when_opened=$(saved PPTFiles timeFree2)
counted_on() { [[ "$(saved PPTFiles timeFree2)" < "$when_opened" ]]; }
check "the countdown goes on while it is open" wait_until 5 counted_on
wininfo select "$dialog" $kListId 0 >/dev/null
wininfo command "$dialog" $kDeleteId >/dev/null
wininfo command "$dialog" $kSaveId >/dev/null
check "the first row is deleted and saved" wait_until 10 dialog_gone
check "第2讲 is now the first" saved_is PPTFiles file1 "第2讲"
saved_live() { [[ "$(saved PPTFiles timeFree1)" < "$when_opened" ]]; }
check "its resume point is the live one, not the one read at opening" saved_live
after_save=$(saved PPTFiles timeFree1)
moves_on() { next_saved PPTFiles timeFree1 "$after_save" 5 >/dev/null; }
check "the countdown goes on into timeFree1" moves_on
check "and leaves 第3讲's resume point alone" holds_for 2 saved_is PPTFiles timeFree2 00:00:00
end_show
quit

echo "--- a presentation whose name GBK cannot hold"
new_app timing-any-script
write_settings
launch
touch "$app/Präsentation.pptx"
check "the dialog opens" open_dialog
wininfo click "$dialog" $kIndividualId >/dev/null
wininfo command "$dialog" $kAddId >/dev/null
check "添加 opens the editor" wait_until 10 editor_open
click_digit $kDurationId
xdotool type --delay 80 0007
check "its duration is typed in" wait_until 3 field_is $kDurationId "00:07:00"
check "Präsentation.pptx is chosen in the file dialog" pick_file "$(windows_path "$app/Präsentation.pptx")"
check "its base name shows whole" text_is "$editor" $kFileLabelId "Präsentation"
wininfo command "$editor" $kEditorSaveId >/dev/null
check "保存 closes the editor" wait_until 10 editor_gone
check "the row is added" wait_until 3 [ "$(rows | cut -f 1,5)" = "00:07:00${kTab}Präsentation" ]
wininfo command "$dialog" $kSaveId >/dev/null
check "保存 closes the dialog" wait_until 10 dialog_gone
check "Config.ini is now UTF-16 LE with its byte-order mark" [ "$(ini_bom "$app/Config.ini")" = fffe ]
check "file1=Präsentation" saved_is PPTFiles file1 "Präsentation"
check "timeCnt1=00:07:00" saved_is PPTFiles timeCnt1 00:07:00
check "the Chinese values are kept" saved_is Normal SoundFile "默认声音"
quit
launch
start_show "$work/any-script.closed" "PowerPoint 幻灯片放映 - [Präsentation.pptx]"
check "after a restart, its show counts down from its own time" clocks_start_at "07:00"
check "into timeFree1" wait_until 5 saved_is_not PPTFiles timeFree1 00:00:00
check "and Config.ini stays UTF-16" [ "$(ini_bom "$app/Config.ini")" = fffe ]
end_show

report_checks
