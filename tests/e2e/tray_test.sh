#!/usr/bin/env bash
# The notification-area icon and its menu with the real Quorrin.exe: the icon and its balloon
# at start-up, the menu on a right-button press on the icon (not on a left click), closing it
# by a click elsewhere, the menu on a right click over the shown clock, the icon kept when
# the notification area announces itself again (TaskbarCreated), and "退出程序".
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"

readonly kOnTheShowX=400
readonly kOnTheShowY=400
readonly kBalloonText="程序已经运行！"
readonly kHideKeyCode=0x0748  # Ctrl+Alt+Shift+H, held by another program below

new_app tray
talk=$'HotKeys=True' showPos=2 write_settings

tray_shown() { first_window --class __winex11_standalone_tray --visible >/dev/null; }
balloon_shown() { first_window --class tooltips_class32 --title "$kBalloonText" --visible >/dev/null; }
balloon_gone() { ! balloon_shown; }
balloon_names_key() {
    first_window --visible --class tooltips_class32 --title "Ctrl+Alt+Shift+H" >/dev/null
}
clock_shown() { [ "$(window_field "$main" 3)" = 1 ]; }

echo "--- the icon"
launch
quorrin=$pid
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
check "choosing an entry closes it" wait_until $kMenuSeconds menu_closed
check "and the program runs on" find_clocks
# That was 计时设置: its dialog would keep the program running after 退出程序 below.
timing_dialog_gone() { ! first_window --class Quorrin.TimingDialog >/dev/null; }
close_all Quorrin.TimingDialog
check "(the timing dialog it opened is closed again)" wait_until 10 timing_dialog_gone

echo "--- the menu from the clock"
start_show "$work/show.closed"
check "the clock appears over the show" wait_until 10 clock_shown
read -r left top right bottom < <(window_rect "$main")
xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click 3
check "a right click on the clock opens the menu" wait_until $kMenuSeconds menu_open
check "the clock stays where it is" [ "$(window_rect "$main")" = "$left $top $right $bottom" ]
xdotool key Escape
check "Esc closes it" wait_until $kMenuSeconds menu_closed
xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click 3
check "the menu opens once more" wait_until $kMenuSeconds menu_open
xdotool mousemove $kOnTheShowX $kOnTheShowY click 1
check "a click on the show closes it" wait_until $kMenuSeconds menu_closed
check "the clock still counts" clock_shown
check "the show was left alone" [ ! -e "$work/show.closed" ]
# The full-screen show covers the notification area, as it does on a real desktop.
end_show
clock_hidden() { ! clock_shown; }
check "the clock hides when the show ends" wait_until 10 clock_hidden

echo "--- TaskbarCreated while the icon is there (as on a display change)"
# Under Wine a second balloon while the first is up can be missed.
check "(the start-up balloon has gone)" wait_until 40 balloon_gone
check "TaskbarCreated is broadcast" wininfo broadcast TaskbarCreated
check "the icon stays" holds_for 1 tray_shown
# Another program holds a key of the show (before the show starts, which then takes the rest).
start_show "$work/holder.closed" --windowed --hold-key "$kHideKeyCode" "a program that holds a key"
holder_up() { first_window --class "$kShowClass" --visible >/dev/null; }
check "(a program holds Ctrl+Alt+Shift+H)" wait_until 10 holder_up
start_show "$work/show2.closed"
check "a later balloon still shows: the key the other program holds" wait_until 10 balloon_names_key
end_show
check "the clock hides when that show ends" wait_until 10 clock_hidden

echo "--- 退出程序"
check "退出程序 is chosen from the icon's menu" choose_from_menu $kExitItem $kIconX $kIconY
check "the program ends" wait_until 10 process_gone "$quorrin"
ended_cleanly() { process_gone "$quorrin" && wait "$quorrin"; }
check "with exit code 0" ended_cleanly
no_clock() { ! first_window --class Quorrin.MainClock >/dev/null; }
check "the clock windows have gone" no_clock
tray_gone() { ! tray_shown; }
check "the icon has gone" wait_until 10 tray_gone

report_checks
