#!/usr/bin/env bash
# The three settings dialogs and 关于 Quorrin from the keyboard alone, with the real
# Quorrin.exe: the focus starts on the first control, Tab and Shift+Tab go through the
# controls in the order they are seen (disabled ones passed by), a choice made with keys and
# Enter is saved to Config.ini, and a choice made and Esc close the dialog leaving Config.ini
# as it was; 关于 Quorrin closes with Enter and with Esc.
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"


# keys_move_focus KEY FIRST NEXT...: the focus is on control FIRST, and each KEY moves it
# to the next control given.
keys_move_focus() {
    local key=$1 id
    wait_until 5 focus_is "$2" || { echo "     the focus is on $(focused), not $2"; return 1; }
    shift 2
    for id in "$@"; do
        xdotool key "$key"
        wait_until 5 focus_is "$id" || { echo "     $key went to $(focused), not $id"; return 1; }
    done
}
unchanged() { cmp -s "$app/Config.ini" "$work/before.ini"; }
# cancels ITEM CLASS FIELD KEYS...: the dialog opened again, FIELD reached with Tab, KEYS
# pressed there, then Esc: the dialog goes and Config.ini stays as it was.
cancels() {
    local item=$1 dialog_class=$2 field=$3
    shift 3
    cp "$app/Config.ini" "$work/before.ini"
    open_dialog "$item" "$dialog_class" && tab_to "$field" || return 1
    press "$@" Escape
    wait_until 10 dialog_gone && holds_for 1 unchanged
}

new_app keyboard
write_settings
launch

echo "--- 计时设置 (the shared timing: 添加, 删除 and 清空 are disabled)"
readonly kSameModeId=1103 kResumeId=1109 kListId=1111 kTimeSaveId=1 kTimeCancelId=2
check "the dialog opens" open_dialog $kTimingSettingsItem Quorrin.TimingDialog
check "Tab goes from the mode over the resume list and the list to 保存 and 取消, and round" \
    keys_move_focus Tab $kSameModeId $kResumeId $kListId $kTimeSaveId $kTimeCancelId $kSameModeId
check "Shift+Tab goes back" keys_move_focus shift+Tab $kSameModeId $kTimeCancelId $kTimeSaveId $kListId
check "the resume list is reached with Tab" tab_to $kResumeId
press Down Return
check "Down there and Enter save 从上一断点计时" wait_until 10 saved_is Normal ReSetTime False
check "and close the dialog" wait_until 10 dialog_gone
check "Up and Esc close it and save nothing" cancels $kTimingSettingsItem Quorrin.TimingDialog $kResumeId Up

echo "--- 外观设置"
readonly kFontId=1104 kSizeId=1106 kTextColorId=1107 kBackColorId=1108 kAlphaId=1110
readonly kPosId=1112 kScreensId=1117 kStyleSaveId=1 kStyleCancelId=2
check "the dialog opens" open_dialog $kStyleSettingsItem Quorrin.StyleDialog
check "Tab goes down the left column to 保存 and 取消, and round" \
    keys_move_focus Tab $kFontId $kSizeId $kTextColorId $kBackColorId $kAlphaId $kPosId \
    $kScreensId $kStyleSaveId $kStyleCancelId $kFontId
check "Shift+Tab goes back" \
    keys_move_focus shift+Tab $kFontId $kStyleCancelId $kStyleSaveId $kScreensId $kPosId
press Down Return
check "Down on the position and Enter save 屏幕左下角" wait_until 10 saved_is Style showPos 2
check "and close the dialog" wait_until 10 dialog_gone
check "Down and Esc close it and save nothing" cancels $kStyleSettingsItem Quorrin.StyleDialog $kPosId Down

echo "--- 声音设置"
readonly kBrowseId=1005 kEndWarningId=1006 kBrowseEndId=1009 kSoundSaveId=1 kSoundCancelId=2
check "the dialog opens" open_dialog $kSoundSettingsItem Quorrin.SoundDialog
check "Tab goes over both 浏览 and 结束提醒 to 保存 and 取消, and round" \
    keys_move_focus Tab $kBrowseId $kEndWarningId $kBrowseEndId $kSoundSaveId $kSoundCancelId $kBrowseId
check "Shift+Tab goes back" keys_move_focus shift+Tab $kBrowseId $kSoundCancelId
check "结束提醒 is reached with Tab" tab_to $kEndWarningId
press space Return
check "Space on 结束提醒 and Enter save EndWarning=False" wait_until 10 saved_is Normal EndWarning False
check "and close the dialog" wait_until 10 dialog_gone
check "Space and Esc close it and save nothing" cancels $kSoundSettingsItem Quorrin.SoundDialog $kEndWarningId space

echo "--- 关于 Quorrin (nothing to save: 关闭 alone)"
readonly kShowConfigId=1309 kAboutDoneId=2
check "the dialog opens" open_dialog $kAboutItem Quorrin.AboutDialog
check "the focus starts on 关闭; Tab goes to 打开所在文件夹, and round" \
    keys_move_focus Tab $kAboutDoneId $kShowConfigId $kAboutDoneId
check "Shift+Tab goes back" keys_move_focus shift+Tab $kAboutDoneId $kShowConfigId $kAboutDoneId
cp "$app/Config.ini" "$work/before.ini"
press Return
check "Enter closes it" wait_until 10 dialog_gone
check "the dialog opens again" open_dialog $kAboutItem Quorrin.AboutDialog
press Escape
check "Esc closes it" wait_until 10 dialog_gone
check "and Config.ini is as it was" unchanged

report_checks
