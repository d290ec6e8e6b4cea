#!/usr/bin/env bash
# The program in English: started with an English LANG (the user's UI language under Wine),
# or with [UI] Language=en-US in Config.ini, its dialogs speak English, the default sound and
# the shared timing's label are shown translated, and the same changes made from the keyboard
# in English and in Chinese leave Config.ini byte for byte the same (still GBK, still
# "默认声音" and "所有演示文稿"); the tray menu's 语言 / Language submenu switches the
# language at once and keeps the choice in [UI].
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"

readonly kTitleLabelId=3 kSoundLabelId=1004 kEndWarningId=1006 kSaveId=1
readonly kTimingTitleLabelId=3 kResumeId=1109 kListId=1111

text_of() { wininfo text "$dialog" | awk -F'\t' -v id="$1" '$1 == id { print $3; exit }'; }
text_is() {
    local shown
    shown=$(text_of "$1")
    [ "$shown" = "$2" ] || { echo "     control $1 shows \"$shown\", not \"$2\""; return 1; }
}
list_row_ends() { wininfo items "$dialog" $kListId | grep -q "$1\$"; }
# choose_language N: 自动 (1), 中文 (2) or English (3) from the menu's language submenu, which
# opens beside the menu as a second #32768 window of three equal rows.
submenu=
submenu_open() {
    submenu=$(wininfo list --class '#32768' --visible | cut -f 1 | grep -vx "$menu" | head -n 1)
    [ -n "$submenu" ]
}
choose_language() {
    local left top right bottom
    open_menu $kIconX $kIconY && click_menu_entry $kLanguageItem || return 1
    wait_until $kMenuSeconds submenu_open || return 1
    read -r left top right bottom < <(window_rect "$submenu") || return 1
    xdotool mousemove $(((left + right) / 2)) $((top + (bottom - top) * (2 * $1 - 1) / 6)) click 1
    wait_until $kMenuSeconds menu_closed
}

# run_changes LANG TITLE SOUND_TITLE DEFAULT_SOUND ALL_PRESENTATIONS: Quorrin started with LANG
# in a folder of its own; the timing dialog's resume rule and the sound dialog's end signal
# changed from the keyboard and saved, each dialog first checked for its language.
run_changes() {
    new_app "changes-$1"
    write_settings
    LANG=$1 LC_ALL=$1 start_quorrin "$app"
    check "Quorrin starts with LANG=$1" wait_until $kStartSeconds find_clocks
    check "[$1] the timing dialog opens" open_dialog $kTimingSettingsItem Quorrin.TimingDialog
    check "[$1] its caption is \"$2\"" text_is $kTimingTitleLabelId "$2"
    check "[$1] the shared timing's row shows \"$5\"" list_row_ends "$5"
    check "[$1] the resume list is reached with Tab" tab_to $kResumeId
    press Down Return
    check "[$1] Down and Enter save the resume rule" wait_until 10 saved_is Normal ReSetTime False
    check "[$1] and close the dialog" wait_until 10 dialog_gone
    check "[$1] the sound dialog opens" open_dialog $kSoundSettingsItem Quorrin.SoundDialog
    check "[$1] its caption is \"$3\"" text_is $kTitleLabelId "$3"
    check "[$1] the default sound shows as \"$4\"" text_is $kSoundLabelId "$4"
    check "[$1] the end signal's box is reached with Tab" tab_to $kEndWarningId
    press space Return
    check "[$1] Space and Enter save the end signal off" wait_until 10 saved_is Normal EndWarning False
    check "[$1] and close the dialog" wait_until 10 dialog_gone
    quit
}

echo "--- the same changes in Chinese and in English"
run_changes zh_CN.UTF-8 "设置播放时间" "声音设置" "默认声音" "所有演示文稿"
chinese=$app/Config.ini
run_changes en_US.UTF-8 "Presentation timing" "Sound settings" "Default sound" "All presentations"
english=$app/Config.ini
check "both leave Config.ini byte for byte the same" cmp "$chinese" "$english"
check "with the default sound as the file holds it" saved_is Normal SoundFile "默认声音"
check "and the shared timing's label" saved_is Normal file "所有演示文稿"
check "and no [UI] section" bash -c "! grep -q '^\[UI\]' '$english'"

echo "--- [UI] Language=en-US under a Chinese LANG"
new_app chosen
write_settings
printf '[UI]\r\nLanguage=en-US\r\n' >>"$app/Config.ini"
cp "$app/Config.ini" "$work/chosen-before.ini"
launch
if [ -n "${QUORRIN_SCREENSHOTS:-}" ]; then  # the English menu and its submenu, for the README
    balloon_up() { first_window --class tooltips_class32 --visible >/dev/null; }
    balloon_gone() { ! balloon_up; }
    wait_until 10 balloon_up
    if wait_until 40 balloon_gone && open_menu $kIconX $kIconY &&
        click_menu_entry $kLanguageItem && wait_until $kMenuSeconds submenu_open; then
        sleep 1  # lets the submenu paint: paces a screenshot for the README, not a check
        read -r _ _ r b < <(window_rect "$submenu")
        import -window root -crop "$((r + 12))x$((b + 12))+0+0" +repage \
            "$QUORRIN_SCREENSHOTS/tray-menu-en.png"
    fi
    xdotool key Escape Escape
    try_for $kMenuSeconds menu_closed || xdotool mousemove 600 400 click 1
fi
check "the sound dialog opens" open_dialog $kSoundSettingsItem Quorrin.SoundDialog
check "in English" text_is $kSaveId "Save"
press Escape
check "Esc closes it" wait_until 10 dialog_gone
quit
check "the file is left as it was" cmp "$app/Config.ini" "$work/chosen-before.ini"

echo "--- the language chosen from the tray menu"
launch
check "中文 is chosen from the submenu" choose_language 2
check "and kept in [UI]" wait_until 10 saved_is UI Language zh-CN
check "the sound dialog opens" open_dialog $kSoundSettingsItem Quorrin.SoundDialog
check "in Chinese at once" text_is $kSaveId "保存"
press Escape
check "Esc closes it" wait_until 10 dialog_gone
check "自动 is chosen" choose_language 1
check "and kept in [UI]" wait_until 10 saved_is UI Language auto
quit

report_checks
