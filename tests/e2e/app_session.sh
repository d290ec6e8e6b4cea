#!/usr/bin/env bash
# shellcheck disable=SC2034  # the constants are for the scripts that source this file
# Shared by the end-to-end tests of a running Quorrin (sourced): a fresh program folder per
# scenario with a Config.ini written for it, the two clock windows, and the slide-show
# stand-in.
# shellcheck source=../wine/win-helpers.sh
. "$QUORRIN_SOURCE/tests/wine/win-helpers.sh"

readonly kMainClass=Quorrin.MainClock
readonly kCopyClass=Quorrin.ClockCopy
readonly kLabelClass=Quorrin.TimeLabel
readonly kShowClass=Quorrin.SlideShowSim
readonly kShowTitle="PowerPoint 幻灯片放映 - talk.pptx"
readonly kStartSeconds=20      # Quorrin started and its windows created
readonly kShowFoundSeconds=5   # a new show noticed and the clock up (by an event, else within 1 s)
readonly kCloseSeconds=10      # a process gone after WM_CLOSE

work=$(mktemp -d "${WINE_STATE_DIR:-/tmp}/e2e.XXXXXX")

close_all() {  # close_all CLASS: posts WM_CLOSE to every window of the class
    local lines handle
    lines=$(wininfo list --class "$1") || return 0
    for handle in $(printf '%s\n' "$lines" | cut -f 1); do wininfo close "$handle" >/dev/null; done
}
cleanup() {
    local p
    close_all "$kShowClass"
    close_all "$kMainClass"
    for p in "${running[@]}"; do
        wait_until 5 process_gone "$p" || kill "$p" 2>/dev/null
    done
    # A script with more to undo (its own X server, say) defines cleanup_more.
    if declare -F cleanup_more >/dev/null; then cleanup_more; fi
    # QUORRIN_CONFIG_ARCHIVE=DIR keeps every Config.ini a scenario left, to compare the files
    # two builds write for the same actions.
    if [ -n "${QUORRIN_CONFIG_ARCHIVE:-}" ]; then
        (cd "$work" && find . -name Config.ini -exec cp --parents {} "$(archive_dir)" \;)
    fi
    rm -rf "$work"
}
archive_dir() {
    local dir
    dir="$QUORRIN_CONFIG_ARCHIVE/$(basename "$0" .sh)"
    mkdir -p "$dir" && echo "$dir"
}
trap cleanup EXIT

# write_settings: writes $app/Config.ini, a complete and valid file. Every key below can be
# given as a variable of the same name on the call (showPos=4 write_settings); $pptFiles
# holds the lines of a [PPTFiles] section and $talk those of a [Talk] section, none without.
write_settings() {
    write_ini "$app/Config.ini" <<EOF
[Normal]
timeMode=${timeMode:-0}
EndWarning=${EndWarning:-True}
ReSetTime=${ReSetTime:-True}
SameMode=${SameMode:-True}
timeCnt=${timeCnt:-00:10:00}
timeWarning=${timeWarning:-00:00:30}
flush=${flush:-True}
close=${close:-True}
file=所有演示文稿
timeFree=${timeFree:-00:00:00}
SoundFile=默认声音
endSoundFile=默认声音
[Style]
Width=${Width:-3000}
Height=${Height:-1200}
BackColor=12648447
Alpha=100
Top=${Top:-0}
Left=${Left:-0}
showPos=${showPos:-1}
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
bgBackColor=3394560${Screens:+
Screens=$Screens}
${pptFiles:+[PPTFiles]
$pptFiles}
${talk:+[Talk]
$talk}
EOF
}

# new_app NAME: a fresh program folder $work/NAME holding Quorrin.exe; sets $app.
new_app() {
    app="$work/$1"
    mkdir -p "$app"
    cp "$QUORRIN_BIN/Quorrin.exe" "$app/"
}

main=
copy=
find_clocks() {
    main=$(first_window --class "$kMainClass") && copy=$(first_window --class "$kCopyClass")
}

# launch: starts $app/Quorrin.exe and waits for its two clock windows; sets $pid, $main, $copy.
launch() {
    start_quorrin "$app"
    check "Quorrin starts with its two clock windows" wait_until $kStartSeconds find_clocks
}

# quit: ends Quorrin with WM_CLOSE, as the system does.
quit() {
    wininfo close "$main" >/dev/null
    wait_until $kCloseSeconds process_gone "$pid" || kill "$pid" 2>/dev/null
}

# end_show: closes the show window, as a presenter does.
end_show() {
    close_all "$kShowClass"
    wait_until $kCloseSeconds process_gone "$show_pid" || kill "$show_pid" 2>/dev/null
}

# clock_field LISTING CLASS N: column N of the clock window of CLASS in a `wininfo list` output.
clock_field() {
    printf '%s\n' "$1" | awk -F'\t' -v c="$2" -v n="$3" '$11 == c { print $n; exit }'
}

# clocks_are STATE: both clock windows are visible (1) or hidden (0), seen in one listing.
clocks_are() {
    local listing
    listing=$(wininfo list) || return 1
    [ "$(clock_field "$listing" "$kMainClass" 3)$(clock_field "$listing" "$kCopyClass" 3)" = "$1$1" ]
}

# clocks_show MM:SS: both clock windows show this time.
clocks_show() {
    [ "$(child_text "$main" "$kLabelClass")" = "$1" ] &&
        [ "$(child_text "$copy" "$kLabelClass")" = "$1" ]
}

# clocks_reached [-]MM:SS: both clock windows show this time or a later one of the count
# (a lower one; in overtime, -MM:SS, a higher one after the minus). A wait on one exact
# second can miss it when each look takes longer than a second (a loaded machine).
signed_seconds() {
    local seconds
    seconds=$(mmss_seconds "${1#-}") || return 1
    [ "${1:0:1}" = - ] && seconds=$((-seconds))
    echo "$seconds"
}
clocks_reached() {
    local target shown window
    target=$(signed_seconds "$1") || return 1
    for window in "$main" "$copy"; do
        shown=$(signed_seconds "$(child_text "$window" "$kLabelClass")") &&
            [ "$shown" -le "$target" ] || return 1
    done
}

# saved SECTION KEY: the value of the key in $app/Config.ini.
saved() {
    ini_value "$app/Config.ini" "$1" "$2"
}
saved_is() { [ "$(saved "$1" "$2")" = "$3" ]; }
saved_is_not() { [ "$(saved "$1" "$2")" != "$3" ]; }
# next_saved SECTION KEY FROM SECONDS: the first value of the key other than FROM.
next_saved() {
    wait_until "$4" saved_is_not "$1" "$2" "$3" && saved "$1" "$2"
}
label=
main_label_set() { label=$(child_text "$main" "$kLabelClass") && [ -n "$label" ]; }
# mmss_seconds MM:SS: the seconds of a clock's time (minutes may run past 59).
mmss_seconds() {
    [[ "$1" =~ ^([0-9]+):([0-5][0-9])$ ]] || return 1
    echo $((10#${BASH_REMATCH[1]} * 60 + 10#${BASH_REMATCH[2]}))
}
label_empty_ms=
main_label_seen() {
    local at
    at=$(now_ms)
    main_label_set && return 0
    label_empty_ms=$at
    return 1
}
# clocks_start_at MM:SS: the clocks of a freshly started Quorrin show this time as soon as
# they show any (their labels are empty until the first show). A look that comes late (each
# one starts a Windows program, slow on a loaded machine) may find the count a step further
# for every whole second since the last look that found the label still empty, or since the
# show was started just before; no further, and never above the start.
clocks_start_at() {
    local start copy_label late_ms shown seconds
    start=$(mmss_seconds "$1") || return 1
    label_empty_ms=$(now_ms)
    wait_until $kShowFoundSeconds main_label_seen || return 1
    copy_label=$(child_text "$copy" "$kLabelClass")
    late_ms=$(($(now_ms) - label_empty_ms))
    for shown in "$label" "$copy_label"; do
        seconds=$(mmss_seconds "$shown") &&
            [ "$seconds" -le "$start" ] && [ "$seconds" -ge $((start - late_ms / 1000)) ] && continue
        echo "     they show $label and $copy_label, looked at within $late_ms ms of the start"
        return 1
    done
}

# The tray icon and its menu. Without a tray manager Wine shows the icons in a "Wine System
# Tray" window at the top left; the menu is a #32768 window whose rows are its entries (E),
# of equal height, and its separators (S), half as tall.
readonly kMenuSeconds=5
readonly kIconX=12
readonly kIconY=32
readonly kMenuRows=EEEEEESEEESE
# The entries, numbered from the top (separators not counted).
readonly kTimingSettingsItem=1
readonly kStyleSettingsItem=2
readonly kSoundSettingsItem=3
readonly kTalkSettingsItem=4
readonly kTalkHistoryItem=5
readonly kTimekeeperItem=6
readonly kAutostartItem=7
readonly kAboutItem=8
readonly kLanguageItem=9  # opens the submenu 自动 / 中文 / English
readonly kExitItem=10
menu=
menu_open() { menu=$(first_window --class '#32768' --visible); }
menu_closed() { ! first_window --class '#32768' --visible >/dev/null; }
# menu_entry_y ITEM: the middle of entry ITEM of the open menu $menu, in screen pixels.
# $menu_rows, when set, describes the menu of another build (1.0.0's, say) in place of kMenuRows.
menu_entry_y() {
    local left top right bottom halves=0 entries=0 middle=0 i rows=${menu_rows:-$kMenuRows}
    read -r left top right bottom < <(window_rect "$menu") || return 1
    for ((i = 0; i < ${#rows}; i++)); do
        if [ "${rows:i:1}" = E ]; then
            entries=$((entries + 1))
            [ $entries -eq "$1" ] && middle=$((halves + 1))
            halves=$((halves + 2))
        else
            halves=$((halves + 1))
        fi
    done
    echo $((top + (bottom - top) * middle / halves))
}
# open_menu X Y: opens the menu by a right click at X,Y. A click that Wine swallows while
# another window is being activated is given once more; that the menu opens on the first
# click is tray_test's business.
open_menu() {
    xdotool mousemove "$1" "$2" click 3
    if ! try_for $kMenuSeconds menu_open; then
        xdotool mousemove "$1" "$2" click 3
        wait_until $kMenuSeconds menu_open || return 1
    fi
}
# click_menu_entry ITEM: clicks entry ITEM (1 is the top one) of the open menu.
click_menu_entry() {
    local left top right bottom
    read -r left top right bottom < <(window_rect "$menu")
    xdotool mousemove $((left + (right - left) / 2)) "$(menu_entry_y "$1")" click 1
}
# open_dialog ITEM CLASS: the dialog of tray menu entry ITEM, whose window class is CLASS;
# sets $class and $dialog (dialog_open), which dialog_gone waits on. A script with one
# dialog may define its own dialog_open and dialog_gone.
class=
dialog=
dialog_open() { dialog=$(first_window --class "$class" --visible); }
dialog_gone() { ! first_window --class "$class" >/dev/null; }
open_dialog() {
    class=$2
    choose_from_menu "$1" $kIconX $kIconY && wait_until 10 dialog_open
}
# choose_from_menu ITEM X Y: opens the menu by a right click at X,Y and clicks entry ITEM.
choose_from_menu() {
    open_menu "$2" "$3" && click_menu_entry "$1"
}

# The keyboard in the open dialog $dialog: focused prints the id of the control with the
# focus; tab_to ID presses Tab until control ID has it, each press waited on until the focus
# has moved (a press sent before the last one was handled would skip a control).
readonly kMaxTabs=12
focused() { wininfo focus "$dialog" | cut -f 1; }
focus_is() { [ "$(focused)" = "$1" ]; }
focus_is_not() { [ "$(focused)" != "$1" ]; }
focus_set() { [ -n "$(focused)" ]; }
tab_to() {
    local n from
    wait_until 5 focus_set || { echo "     no control of the dialog has the focus"; return 1; }
    for ((n = 0; n < kMaxTabs; n++)); do
        from=$(focused)
        [ "$from" = "$1" ] && return 0
        xdotool key Tab
        wait_until 5 focus_is_not "$from" || { echo "     Tab left the focus on $from"; return 1; }
    done
    echo "     Tab never reached $1"
    return 1
}
# press KEYS...: the keys pressed one after the other.
press() { xdotool key --delay 100 "$@"; }
