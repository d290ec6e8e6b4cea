#!/usr/bin/env bash
# 开机时自动运行 and 关于 Quorrin with the real Quorrin.exe under Wine: choosing the entry
# writes the Run value with this copy's quoted path and removes it again; a value left by a
# copy that was moved counts as off, and choosing the entry points it here; with the entry
# disabled in Task Manager (StartupApproved), or the copy on a removable drive, it is greyed
# and choosing it writes nothing. The entry's tick and grey are read from the screen.
# 关于 Quorrin shows the version, Config.ini's path and whether this copy starts with Windows,
# opens Explorer on Config.ini's folder, and Esc closes it.
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"

readonly kRunKey='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
readonly kApprovedKey='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run'
readonly kDisabledBytes=030000000000000000000000
readonly kAboutClass=Quorrin.AboutDialog
readonly kVersionId=1304 kConfigId=1308 kShowConfigId=1309 kAutostartId=1311
readonly kExplorerClass=ExplorerWClass
readonly kRegSeconds=5
# Parts of the entry's row, in pixels from the menu's left edge: the tick's place, the text,
# and the right end, where nothing is drawn.
readonly kTickSpan="2 20" kTextSpan="24 90"

# reg_value KEY: the data of the value "Quorrin" under KEY; fails when there is none.
reg_value() {
    local lines
    lines=$(wine_out reg query "$1" /v Quorrin) || return 1
    printf '%s\n' "$lines" | awk '$1 == "Quorrin" { sub(/^[ \t]*Quorrin[ \t]+REG_[A-Z_]+[ \t]+/, ""); print; found = 1 }
        END { exit !found }'
}
run_value_is() { [ "$(reg_value "$kRunKey")" = "$1" ]; }
run_value_absent() { ! reg_value "$kRunKey" >/dev/null; }
forget_autostart() {
    wine_out reg delete "$kRunKey" /v Quorrin /f >/dev/null
    wine_out reg delete "$kApprovedKey" /v Quorrin /f >/dev/null
    return 0
}
readonly kDrivesKey='HKLM\Software\Wine\Drives' kStickDrive=r:
# restart_wine_server: Wine's mount manager reads the drive types when it starts again.
restart_wine_server() {
    wineserver -k >/dev/null 2>&1 </dev/null
    wineserver -w >/dev/null 2>&1 </dev/null
    wineserver -p >/dev/null 2>&1 </dev/null
}
forget_stick() {
    [ -L "$WINEPREFIX/dosdevices/$kStickDrive" ] || return 0
    rm -f "$WINEPREFIX/dosdevices/$kStickDrive"
    wine_out reg delete "$kDrivesKey" /v $kStickDrive /f >/dev/null
    restart_wine_server
}
cleanup_more() {
    forget_autostart
    close_all "$kExplorerClass"
    forget_stick
}

# row_ink FROM TO: the dark pixels of the autostart entry's row of the open menu, between
# FROM and TO pixels from the menu's left edge (negative: from its right edge).
row_ink() {
    local l t r b y from=$1 to=$2
    read -r l t r b < <(window_rect "$menu") || return 1
    [ "$from" -lt 0 ] && from=$((r - l + from))
    [ "$to" -lt 0 ] && to=$((r - l + to))
    y=$(menu_entry_y $kAutostartItem)
    import -window root -crop "$((to - from))x12+$((l + from))+$((y - 6))" +repage "$work/row.png" &&
        convert "$work/row.png" -colorspace gray -threshold 30% \
            -format '%[fx:int(w*h*(1-mean)+0.5)]' info:
}
menu_painted() { [ "$(row_ink -12 -4)" = 0 ]; }
# entry_looks TICK TEXT: the menu is opened and its autostart entry has a black tick (1) or
# none (0), and black text (1) or grey (0); the menu stays open. A greyed entry's tick is
# grey too: TICK "-" does not look at it.
entry_looks() {
    open_menu $kIconX $kIconY && wait_until 3 menu_painted || return 1
    local tick text
    tick=$(row_ink $kTickSpan) text=$(row_ink $kTextSpan)
    [ "$tick" -gt 0 ] && tick=1
    [ "$text" -gt 0 ] && text=1
    [ "$1" = - ] && tick=-
    [ "$tick $text" = "$1 $2" ] || { echo "     seen: tick $tick, text $text"; return 1; }
}
# A greyed entry does not close the menu when clicked; other entries do.
close_menu() {
    xdotool key Escape
    try_for $kMenuSeconds menu_closed || xdotool mousemove 600 400 click 1
    wait_until $kMenuSeconds menu_closed
}

dialog=
about_open() { dialog=$(first_window --class "$kAboutClass" --visible); }
about_gone() { ! first_window --class "$kAboutClass" >/dev/null; }
# about_text ID: the text of the dialog's child ID.
about_text() {
    wininfo text "$dialog" | awk -F'\t' -v id="$1" 'NR > 1 && $1 == id { print $3; exit }'
}
about_says() { [ "$(about_text "$kAutostartId")" = "$1" ]; }
# about_shows TEXT: 关于 Quorrin opened from the menu says TEXT for starting with Windows,
# and closes with Esc.
about_shows() {
    choose_from_menu $kAboutItem $kIconX $kIconY && wait_until 10 about_open || return 1
    wait_until 2 about_says "$1" || echo "     it says: $(about_text "$kAutostartId")"
    about_says "$1" && xdotool key Escape && wait_until 10 about_gone
}

forget_autostart
new_app autostart
write_settings
launch
exe=$(wine_out winepath -w "$app/Quorrin.exe")
config=$(wine_out winepath -w "$app/Config.ini")
version=$(sed -n 's/^project(Quorrin VERSION \([0-9.]*\).*/\1/p' "$QUORRIN_SOURCE/CMakeLists.txt")

echo "--- 开机时自动运行"
check "no Run value to begin with" run_value_absent
check "the entry shows without a tick" entry_looks 0 1
check "the entry is chosen" click_menu_entry $kAutostartItem
check "the Run value holds this copy's quoted path ($exe)" \
    wait_until $kRegSeconds run_value_is "\"$exe\""
check "the menu shows it ticked" entry_looks 1 1
close_menu
if [ -n "${QUORRIN_SCREENSHOTS:-}" ]; then  # the menu with the entry ticked, for the README
    balloon_gone() { ! first_window --class tooltips_class32 --visible >/dev/null; }
    wait_until 40 balloon_gone && open_menu $kIconX $kIconY && wait_until 3 menu_painted &&
        read -r l t r b < <(window_rect "$menu") &&
        import -window root -crop "$((r > 188 ? r + 12 : 200))x$((b + 12))+0+0" +repage \
            "$QUORRIN_SCREENSHOTS/tray-menu.png"
    close_menu
fi

echo "--- 关于 Quorrin"
check "it opens from the menu" eval 'choose_from_menu $kAboutItem $kIconX $kIconY && wait_until 10 about_open'
check "it shows the version ($version)" [ "$(about_text $kVersionId)" = "$version" ]
check "and Config.ini's full path" [ "$(about_text $kConfigId)" = "$config" ]
check "and that this copy starts with Windows" about_says 是
xdotool key Escape
check "Esc closes it" wait_until 10 about_gone
explorer_open() { first_window --class $kExplorerClass --title autostart --visible >/dev/null; }
explorer_gone() { ! first_window --class $kExplorerClass >/dev/null; }
check "it opens again" eval 'choose_from_menu $kAboutItem $kIconX $kIconY && wait_until 10 about_open'
wininfo command "$dialog" $kShowConfigId >/dev/null
check "打开所在文件夹 opens Explorer on Config.ini's folder" wait_until 15 explorer_open
close_all $kExplorerClass
check "(which is closed again)" wait_until 10 explorer_gone
close_all $kAboutClass
check "(and so is 关于 Quorrin)" wait_until 10 about_gone

echo "--- off again, a moved copy, Task Manager's choice"
check "the entry is chosen again" choose_from_menu $kAutostartItem $kIconX $kIconY
check "the Run value is removed" wait_until $kRegSeconds run_value_absent
check "the tick has gone" entry_looks 0 1
close_menu
check "关于 says so" about_shows 否
readonly elsewhere='"C:\Elsewhere\Quorrin.exe" /tray'
wine_out reg add "$kRunKey" /v Quorrin /d "$elsewhere" /f >/dev/null
check "a value naming another copy shows no tick here" entry_looks 0 1
check "choosing the entry" click_menu_entry $kAutostartItem
check "points the value at this copy" wait_until $kRegSeconds run_value_is "\"$exe\""
check "关于 says it starts with Windows" about_shows 是

wine_out reg add "$kApprovedKey" /v Quorrin /t REG_BINARY /d $kDisabledBytes /f >/dev/null
check "disabled in Task Manager, the entry is greyed" entry_looks - 0
check "choosing it" click_menu_entry $kAutostartItem
close_menu
check "leaves the Run value as it was" holds_for 2 run_value_is "\"$exe\""
check "and Task Manager's choice too" [ "$(reg_value "$kApprovedKey")" = $kDisabledBytes ]
check "关于 says so" about_shows "否（已在任务管理器中禁用）"
wine_out reg delete "$kRunKey" /v Quorrin /f >/dev/null
check "without a Run value the entry is still greyed" entry_looks 0 0
click_menu_entry $kAutostartItem
close_menu
check "and choosing it writes none" holds_for 2 run_value_absent
quit

echo "--- a copy on a removable drive"
wine_out reg delete "$kApprovedKey" /v Quorrin /f >/dev/null
new_app stick
write_settings
ln -sfn "$app" "$WINEPREFIX/dosdevices/$kStickDrive"
wine_out reg add "$kDrivesKey" /v $kStickDrive /d floppy /f >/dev/null
close_all "$kExplorerClass"
restart_wine_server
wine "${kStickDrive^^}\\Quorrin.exe" >"$app/quorrin.log" 2>&1 </dev/null &
pid=$!
running+=("$pid")
check "Quorrin starts from drive ${kStickDrive^^}" wait_until $kStartSeconds find_clocks
check "the entry is greyed" entry_looks 0 0
click_menu_entry $kAutostartItem
close_menu
check "choosing it writes no Run value" holds_for 2 run_value_absent
check "关于 gives the reason" about_shows "否（程序在可移动磁盘上）"
quit
forget_stick

report_checks
