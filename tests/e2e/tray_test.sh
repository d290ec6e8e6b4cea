#!/usr/bin/env bash
# The notification-area icon and its menu with the real Quorrin.exe: the icon and its balloon
# at start-up, the menu on a right-button press on the icon (not on a left click), closing it
# by a click elsewhere, the menu on a right click over the shown clock, and "退出程序".
# Without a tray manager Wine shows the icons in a "Wine System Tray" window at the top left.
set -uo pipefail
# shellcheck source=../wine/win-helpers.sh
. "$QUORRIN_SOURCE/tests/wine/win-helpers.sh"

readonly kStartSeconds=20
readonly kMenuSeconds=5
readonly kIconX=12
readonly kIconY=32
readonly kMenuItems=4
readonly kOnTheShowX=400
readonly kOnTheShowY=400
readonly kBalloonText="程序已经运行！"

work=$(mktemp -d "${WINE_STATE_DIR:-/tmp}/tray.XXXXXX")
cleanup() {
    local form pid
    xdotool key Escape 2>/dev/null
    if form=$(first_window --class Quorrin.TimeForm); then wininfo close "$form" >/dev/null; fi
    for pid in "${running[@]}"; do
        wait_until 5 process_gone "$pid" || kill "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT

app="$work/app"
mkdir -p "$app"
cp "$QUORRIN_BIN/Quorrin.exe" "$app/"
write_ini "$app/Config.ini" <<'INI'
[Normal]
timeMode=0
EndWarning=True
ReSetTime=True
SameMode=True
timeCnt=00:10:00
timeWarning=00:00:30
flush=True
close=True
file=所有演示文稿
timeFree=00:00:00
SoundFile=默认声音
endSoundFile=默认声音
[Style]
Width=3000
Height=1200
BackColor=12648447
Alpha=100
Top=0
Left=0
showPos=2
numFontName=Arial
numFontSize=36
numForeColor=16777215
numHeight=840
numWidth=1995
numLeft=480
numTop=200
bgHeight=1200
bgWidth=3000
bgLeft=0
bgTop=0
bgBackColor=3394560
INI

tray_shown() { first_window --class __winex11_standalone_tray --visible >/dev/null; }
balloon_shown() { first_window --class tooltips_class32 --title "$kBalloonText" --visible >/dev/null; }
menu=
menu_open() { menu=$(first_window --class '#32768' --visible); }
menu_closed() { ! first_window --class '#32768' --visible >/dev/null; }
form=
find_form() { form=$(first_window --class Quorrin.TimeForm); }
clock_shown() { [ "$(window_field "$form" 3)" = 1 ]; }

echo "--- the icon"
start_quorrin "$app"
quorrin=$pid
check "the program starts" wait_until $kStartSeconds find_form
check "its icon shows in the notification area" wait_until 10 tray_shown
check "the balloon says the program is running" wait_until 10 balloon_shown
check "no menu is open at start-up" menu_closed

echo "--- the menu from the icon"
xdotool mousemove $kIconX $kIconY click 1
check "a left click on the icon opens nothing" holds_for 1 menu_closed
xdotool mousemove $kIconX $kIconY click --repeat 2 1
check "nor does a double click" holds_for 1 menu_closed
xdotool mousemove $kIconX $kIconY mousedown 3
check "the right button's press opens the menu at once" wait_until $kMenuSeconds menu_open
xdotool mouseup 3
check "the menu stays open after the release" holds_for 1 menu_open
# Under Wine a menu opened from the icon (its owner hidden) misses clicks on other programs'
# windows and keys; choosing an entry still ends it. Clicks elsewhere are checked below with
# the menu opened from the clock, which is the same menu.
xdotool mousemove $((kIconX + 30)) $((kIconY + 10)) click 1
check "choosing an entry without an action closes it" wait_until $kMenuSeconds menu_closed
check "and the program runs on" find_form

echo "--- the menu from the clock"
start_show "$work/show.closed"
check "the clock appears over the show" wait_until 10 clock_shown
read -r left top right bottom < <(window_rect "$form")
xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click 3
check "a right click on the clock opens the menu" wait_until $kMenuSeconds menu_open
check "the clock stays where it is" [ "$(window_rect "$form")" = "$left $top $right $bottom" ]
xdotool key Escape
check "Esc closes it" wait_until $kMenuSeconds menu_closed
xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click 3
check "the menu opens once more" wait_until $kMenuSeconds menu_open
xdotool mousemove $kOnTheShowX $kOnTheShowY click 1
check "a click on the show closes it" wait_until $kMenuSeconds menu_closed
check "the clock still counts" clock_shown
check "the show was left alone" [ ! -e "$work/show.closed" ]
# The full-screen show covers the notification area, as it does on a real desktop.
if show=$(first_window --class Quorrin.SlideShowSim --title "PowerPoint 幻灯片放映 - talk.pptx"); then wininfo close "$show" >/dev/null; fi
clock_hidden() { ! clock_shown; }
check "the clock hides when the show ends" wait_until 10 clock_hidden

echo "--- 退出程序"
xdotool mousemove $kIconX $kIconY click 3
check "the menu opens again" wait_until $kMenuSeconds menu_open
read -r left top right bottom < <(window_rect "$menu")
# The last of the entries, in the middle of its row.
xdotool mousemove $((left + (right - left) / 2)) \
    $((top + (bottom - top) * (2 * kMenuItems - 1) / (2 * kMenuItems))) click 1
check "the program ends" wait_until 10 process_gone "$quorrin"
ended_cleanly() { process_gone "$quorrin" && wait "$quorrin"; }
check "with exit code 0" ended_cleanly
no_clock() { ! first_window --class Quorrin.TimeForm >/dev/null; }
check "the clock windows have gone" no_clock
tray_gone() { ! tray_shown; }
check "the icon has gone" wait_until 10 tray_gone

report_checks
