#!/usr/bin/env bash
# Start-up of the real Quorrin.exe under Wine: the first run without Config.ini, a run with
# the file it wrote, the single-instance rule, no visible window while idle, a clean end on
# WM_CLOSE, and a program folder with a long Chinese path.
set -uo pipefail
# shellcheck source=../wine/win-helpers.sh
. "$QUORRIN_SOURCE/tests/wine/win-helpers.sh"

readonly kResetMessage="倒计时配置已被 初始化！"
readonly kNormalKeys="timeMode EndWarning ReSetTime SameMode timeCnt timeWarning flush close file timeFree SoundFile endSoundFile"
readonly kStyleKeys="Width Height BackColor Alpha Top Left showPos numFontName numFontSize numForeColor numHeight numWidth numLeft numTop bgHeight bgWidth bgLeft bgTop bgBackColor Screens"
readonly kStartSeconds=20
readonly kSecondInstanceMaxSeconds=3
readonly kShowFoundSeconds=5  # a new show noticed (by an event, else within 1 s)
readonly kToolWindowStyle=0x80

work=$(mktemp -d "${WINE_STATE_DIR:-/tmp}/startup.XXXXXX")
cleanup() {
    local form pid
    if form=$(first_window --class Quorrin.MainClock); then wininfo close "$form" >/dev/null; fi
    for pid in "${running[@]}"; do
        wait_until 5 process_gone "$pid" || kill "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT

box=
find_box() { box=$(first_window --class '#32770' --title Quorrin); }
box_gone() { ! first_window --class '#32770' --title Quorrin >/dev/null; }
form=
find_form() { form=$(first_window --class Quorrin.MainClock); }

# Keys of one [section] of a UTF-8 copy of the file, one per line.
section_keys() {
    awk -v s="[$2]" '/^\[/ { inside = ($0 == s); next } inside && /=/ { sub(/=.*/, ""); print }' "$1"
}
has_keys() {  # has_keys FILE SECTION KEYS...
    local file=$1 section=$2 key keys
    shift 2
    keys=$(section_keys "$file" "$section")
    for key in "$@"; do
        grep -qx "$key" <<<"$keys" || { echo "     [$section] lacks $key"; return 1; }
    done
}
is_gbk_not_utf8() {
    iconv -f GBK -t UTF-8 "$1" >/dev/null 2>&1 && ! iconv -f UTF-8 -t UTF-8 "$1" >/dev/null 2>&1
}
all_lines_crlf() {
    [ "$(grep -c $'\r$' "$1")" -eq "$(wc -l <"$1")" ]
}
only_ok_button() {
    local lines
    lines=$(wininfo text "$1") || return 1
    [ "$(printf '%s\n' "$lines" | awk -F'\t' '$2 == "Button"' | cut -f 1)" = 1 ]
}
no_visible_window_of() { ! wininfo list --pid "$1" --visible >/dev/null; }
is_tool_window() { (($(window_field "$1" 10) & kToolWindowStyle)); }
window_gone() { ! window_field "$1" 1 | grep -q .; }
exit_code_is() {  # exit_code_is PID CODE
    local rc=0
    wait "$1" || rc=$?
    [ "$rc" -eq "$2" ]
}

echo "--- first run, no Config.ini"
app="$work/app"
mkdir -p "$app"
cp "$QUORRIN_BIN/Quorrin.exe" "$app/"
start_quorrin "$app"
first=$pid
check "the reset message box appears" wait_until $kStartSeconds find_box
if [ -n "$box" ]; then
    check "it says the settings were reset" [ "$(message_text "$box")" = "$kResetMessage" ]
    check "it has the caption Quorrin" [ "$(window_field "$box" 12)" = Quorrin ]
    check "it has an OK button only" only_ok_button "$box"
    wininfo command "$box" 1 >/dev/null
    check "OK dismisses it" wait_until 10 box_gone
fi
check "Config.ini is written beside the .exe" wait_until 10 test -s "$app/Config.ini"
iconv -f GBK -t UTF-8 "$app/Config.ini" >"$work/config.utf8" 2>/dev/null
check "Config.ini is GBK" is_gbk_not_utf8 "$app/Config.ini"
check "Config.ini lines end in CRLF" all_lines_crlf "$app/Config.ini"
tr -d '\r' <"$work/config.utf8" >"$work/config.txt"
# shellcheck disable=SC2086
check "[Normal] is complete" has_keys "$work/config.txt" Normal $kNormalKeys
# shellcheck disable=SC2086
check "[Style] is complete" has_keys "$work/config.txt" Style $kStyleKeys
check "the warning sound is the default sound" grep -qx 'SoundFile=默认声音' "$work/config.txt"

echo "--- idle"
check "the main window exists" wait_until $kStartSeconds find_form
windows_pid=$(window_field "$form" 2)
check "no window of Quorrin is visible" no_visible_window_of "$windows_pid"
check "the main window has no task-bar button" is_tool_window "$form"

echo "--- second instance"
started=$SECONDS
timeout 30 wine "$app/Quorrin.exe" >"$work/second.log" 2>&1 </dev/null
second_rc=$?
elapsed=$((SECONDS - started))
check "a second copy ends by itself within $((kSecondInstanceMaxSeconds * kPatience)) s (took ${elapsed} s)" \
    [ "$elapsed" -le $((kSecondInstanceMaxSeconds * kPatience)) ]
check "it ends with exit code 0 (got $second_rc)" [ "$second_rc" -eq 0 ]
check "it shows no message" box_gone
check "the first copy keeps running" kill -0 "$first"
check "the first copy's main window is still there" find_form

echo "--- ending"
cp "$app/Config.ini" "$work/config.before"
wininfo close "$form" >/dev/null
check "WM_CLOSE ends the program" wait_until 10 process_gone "$first"
check "with exit code 0" exit_code_is "$first" 0
check "its window has gone" window_gone "$form"

echo "--- second run, with the Config.ini of the first, watching a show come and go"
# Wine writes OutputDebugString lines to the process's stderr on its "seh" warning channel.
WINEDEBUG=-all,warn+seh start_quorrin "$app"
check "the main window exists" wait_until $kStartSeconds find_form
check "no message box appears" box_gone
check "Config.ini is left as it was" cmp -s "$app/Config.ini" "$work/config.before"
logged() { grep -qa "Quorrin: $1" "$app/quorrin.log"; }
wine "$QUORRIN_BIN/slideshow-sim.exe" --windowed "PowerPoint 幻灯片放映 - e2e.pptx" \
    >"$work/sim.log" 2>&1 </dev/null &
sim=$!
running+=("$sim")
# The show's own start (a Wine process) is waited for apart from Quorrin's noticing it: on a
# loaded machine the first can take most of a deadline meant for the second.
show=
show_up() { show=$(first_window --class Quorrin.SlideShowSim --visible); }
check "(the show is up)" wait_until $kStartSeconds show_up
check "the start of the show is noticed" wait_until $kShowFoundSeconds logged "slide show started"
[ -n "$show" ] && wininfo close "$show" >/dev/null
check "the show ends" wait_until 10 process_gone "$sim"
check "the end of the show is noticed" wait_until 10 logged "slide show ended"
wininfo close "$form" >/dev/null
check "WM_CLOSE ends it" wait_until 10 process_gone "$pid"

echo "--- a program folder with a long Chinese path"
deep="$work/演示文稿工具"
while [ ${#deep} -lt 300 ]; do deep="$deep/倒计时时钟-$((${#deep} % 97))"; done
mkdir -p "$deep"
cp "$QUORRIN_BIN/Quorrin.exe" "$deep/"
start_quorrin "$deep"
check "the reset message box appears" wait_until $kStartSeconds find_box
[ -n "$box" ] && wininfo command "$box" 1 >/dev/null
check "Config.ini is written in that folder" wait_until 10 test -s "$deep/Config.ini"
if find_form; then wininfo close "$form" >/dev/null; fi
check "WM_CLOSE ends it" wait_until 10 process_gone "$pid"

report_checks
