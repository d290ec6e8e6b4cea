#!/usr/bin/env bash
# 开机时自动运行 and 关于 Quorrin with the real Quorrin.exe under Wine: choosing the entry
# writes the Run value with this copy's quoted path and removes it again; a value left by a
# copy that was moved counts as off, and choosing the entry points it here; with the entry
# disabled in Task Manager (StartupApproved) choosing it writes nothing. 关于 Quorrin shows
# the version, Config.ini's path and whether this copy starts with Windows, and Esc closes it.
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"

readonly kRunKey='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
readonly kApprovedKey='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run'
readonly kDisabledBytes=030000000000000000000000
readonly kAboutClass=Quorrin.FrmAbout
readonly kVersionId=1304 kConfigId=1308 kAutostartId=1311
readonly kRegSeconds=5

# wine_quiet COMMAND...: a Wine command with its output in a file (never in a pipe), printed
# without carriage returns.
wine_quiet() {
    local out rc
    out=$(mktemp)
    wine "$@" >"$out" 2>/dev/null </dev/null
    rc=$?
    tr -d '\r' <"$out"
    rm -f "$out"
    return $rc
}
# reg_value KEY: the data of the value "Quorrin" under KEY; fails when there is none.
reg_value() {
    local lines
    lines=$(wine_quiet reg query "$1" /v Quorrin) || return 1
    printf '%s\n' "$lines" | awk '$1 == "Quorrin" { sub(/^[ \t]*Quorrin[ \t]+REG_[A-Z_]+[ \t]+/, ""); print; found = 1 }
        END { exit !found }'
}
run_value_is() { [ "$(reg_value "$kRunKey")" = "$1" ]; }
run_value_absent() { ! reg_value "$kRunKey" >/dev/null; }
forget_autostart() {
    wine_quiet reg delete "$kRunKey" /v Quorrin /f >/dev/null
    wine_quiet reg delete "$kApprovedKey" /v Quorrin /f >/dev/null
    return 0
}
cleanup_more() { forget_autostart; }

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
exe=$(wine_quiet winepath -w "$app/Quorrin.exe")
config=$(wine_quiet winepath -w "$app/Config.ini")
version=$(sed -n 's/^project(Quorrin VERSION \([0-9.]*\).*/\1/p' "$QUORRIN_SOURCE/CMakeLists.txt")

echo "--- 开机时自动运行"
check "no Run value to begin with" run_value_absent
check "the entry is chosen" choose_from_menu $kAutostartItem $kIconX $kIconY
check "the Run value holds this copy's quoted path ($exe)" \
    wait_until $kRegSeconds run_value_is "\"$exe\""
if [ -n "${QUORRIN_SCREENSHOTS:-}" ]; then  # the menu with the entry ticked, for the README
    xdotool mousemove $kIconX $kIconY click 3 && wait_until $kMenuSeconds menu_open &&
        read -r l t r b < <(window_rect "$menu") &&
        import -window root -crop "$((r + 12))x$((b + 12))+0+0" +repage \
            "$QUORRIN_SCREENSHOTS/tray-menu.png"
    xdotool key Escape
    wait_until $kMenuSeconds menu_closed || xdotool mousemove 600 400 click 1
fi

echo "--- 关于 Quorrin"
check "it opens from the menu" eval 'choose_from_menu $kAboutItem $kIconX $kIconY && wait_until 10 about_open'
check "it shows the version ($version)" [ "$(about_text $kVersionId)" = "$version" ]
check "and Config.ini's full path" [ "$(about_text $kConfigId)" = "$config" ]
check "and that this copy starts with Windows" about_says 是
xdotool key Escape
check "Esc closes it" wait_until 10 about_gone

echo "--- off again, a moved copy, Task Manager's choice"
check "the entry is chosen again" choose_from_menu $kAutostartItem $kIconX $kIconY
check "the Run value is removed" wait_until $kRegSeconds run_value_absent
check "关于 says so" about_shows 否
readonly elsewhere='"C:\Elsewhere\Quorrin.exe" /tray'
wine_quiet reg add "$kRunKey" /v Quorrin /d "$elsewhere" /f >/dev/null
check "a value naming another copy is off here" about_shows 否
check "choosing the entry" choose_from_menu $kAutostartItem $kIconX $kIconY
check "points the value at this copy" wait_until $kRegSeconds run_value_is "\"$exe\""

wine_quiet reg add "$kApprovedKey" /v Quorrin /t REG_BINARY /d $kDisabledBytes /f >/dev/null
check "disabled in Task Manager, 关于 says so" about_shows "否（已在任务管理器中禁用）"
check "choosing the greyed entry" choose_from_menu $kAutostartItem $kIconX $kIconY
# A greyed entry does not close the menu.
xdotool key Escape
wait_until $kMenuSeconds menu_closed || xdotool mousemove 600 400 click 1
check "leaves the Run value as it was" holds_for 2 run_value_is "\"$exe\""
check "and Task Manager's choice too" [ "$(reg_value "$kApprovedKey")" = $kDisabledBytes ]
wine_quiet reg delete "$kRunKey" /v Quorrin /f >/dev/null
check "nor is a value written when there is none" \
    eval 'choose_from_menu $kAutostartItem $kIconX $kIconY; xdotool key Escape;
        holds_for 2 run_value_absent'
quit

report_checks
