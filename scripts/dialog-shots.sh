#!/usr/bin/env bash
# Pictures of the settings dialogs for the README, at 100 % and 150 % display scale:
# docs/{timing-dialog,timing-entry-editor,style-dialog,sound-dialog,talk-dialog,remote-dialog,
# about-dialog}-at-{100,150}-percent.png, and at 100 % docs/talk-settings-dialog.png: 放映控制
# with a key another program holds (docs/remote-dialog.png and remote-dialog-en.png are the
# remote dialog's 100 % pictures in each language).
# Each dialog is opened from the tray menu of a Quorrin.exe that shows no clock (no show
# runs), and cut from the screen by its visible part (the frame strips its region cuts away
# left out). Uses the x86_64 build of scripts/test.sh (build/test/win64/bin), or the one in
# QUORRIN_BIN. With QUORRIN_LANG=en_US.UTF-8 the program runs as for an English user.
#
#   scripts/dialog-shots.sh [OUTPUT_FOLDER]      (default: docs/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$root/docs}" && cd "${1:-$root/docs}" && pwd)
export QUORRIN_SOURCE=$root QUORRIN_BIN=${QUORRIN_BIN:-$root/build/test/win64/bin}
[ -x "$QUORRIN_BIN/Quorrin.exe" ] || { echo "build first: bash scripts/test.sh" >&2; exit 1; }

state="$root/build/dialog-shots"
# Wine names the Windows user after $USER: the paths 关于 shows are a presenter's.
export USER=presenter
[ -d "$state/prefix/drive_c/users/$USER" ] || rm -rf "$state/prefix"
"$root/tests/wine/wine-env.sh" start "$state" >/dev/null
# shellcheck disable=SC1091
. "$state/env.sh"
if [ -n "${QUORRIN_LANG:-}" ]; then export LANG=$QUORRIN_LANG LC_ALL=$QUORRIN_LANG; fi
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
cleanup_more() { "$root/tests/wine/wine-env.sh" stop "$state" >/dev/null; }
# shellcheck source=../tests/e2e/app_session.sh
. "$root/tests/e2e/app_session.sh"
check() { shift; "$@" || echo "dialog-shots: $* failed" >&2; }

readonly kPresentations="pptFiles=3
timeCnt1=00:15:00
timeWarning1=00:01:00
flush1=True
close1=False
file1=开学第一课
timeFree1=00:00:00
timeCnt2=00:45:00
timeWarning2=00:05:00
flush2=True
close2=True
file2=年度总结
timeFree2=00:00:00
timeCnt3=00:20:00
timeWarning3=00:02:00
flush3=False
close3=False
file3=Quarterly review
timeFree3=00:00:00"

# new_installed_app: Quorrin.exe alone where the installer puts it (%LOCALAPPDATA%\Programs\
# Quorrin), so that 关于 shows the folder a user sees rather than a build folder; sets $app.
new_installed_app() {
    local local_app_data
    local_app_data=$(echo "$WINEPREFIX"/drive_c/users/*/AppData/Local)
    app="$local_app_data/Programs/Quorrin"
    rm -rf "$app"
    mkdir -p "$app"
    cp "$QUORRIN_BIN/Quorrin.exe" "$app/"
}

dialog=
dialog_open() { dialog=$(first_window --class "$1" --visible); }
# shot NAME DPI: the visible part of $dialog, as NAME-at-PERCENT-percent.png.
shot() {
    local l t r b side top
    read -r l t r b < <(window_rect "$dialog")
    side=$(($2 * 15 / 96)) top=$(($2 * 30 / 96))
    import -window root -crop "$((r - l - 2 * side - 1))x$((b - t - top))+$((l + side))+$((t + top))" \
        +repage "$out/$1-at-$(($2 * 100 / 96))-percent.png"
}
# The hide key (Ctrl+Alt+Shift+H), which a windowed slide-show stand-in holds for the
# picture of 放映控制 marking it as taken.
readonly kHeldKeyCode=0x0748
holder_up() { first_window --class "$kShowClass" >/dev/null; }
marked_taken() { [ "$(wininfo text "$dialog" | grep -c '已被占用')" -ge 1 ]; }

# open_dialog MENU_ITEM CLASS: the dialog of the tray menu's entry, open and painted.
open_dialog() {
    choose_from_menu "$1" $kIconX $kIconY && wait_until 10 dialog_open "$2" && sleep 1
}

for dpi in 96 144; do
    set_wine_dpi "$dpi"
    new_installed_app
    SameMode=False pptFiles=$kPresentations write_settings
    launch
    if open_dialog $kTimingSettingsItem Quorrin.TimingDialog; then
        wininfo select "$dialog" 1111 1 >/dev/null  # the second presentation
        shot timing-dialog "$dpi"
        timing=$dialog
        wininfo notify "$timing" 1111 2 >/dev/null  # its double click opens the editor
        if wait_until 10 dialog_open Quorrin.TimingEntryDialog && sleep 1; then
            shot timing-entry-editor "$dpi"
            wininfo close "$dialog" >/dev/null
        fi
        sleep 1
        wininfo close "$timing" >/dev/null
    fi
    for entry in "$kStyleSettingsItem Quorrin.StyleDialog style-dialog" \
        "$kSoundSettingsItem Quorrin.SoundDialog sound-dialog" \
        "$kTalkSettingsItem Quorrin.TalkDialog talk-dialog" \
        "$kTimekeeperItem Quorrin.RemoteDialog remote-dialog" \
        "$kAboutItem Quorrin.AboutDialog about-dialog"; do
        read -r item class name <<<"$entry"
        if open_dialog "$item" "$class"; then
            shot "$name" "$dpi"
            wininfo close "$dialog" >/dev/null
            sleep 1
        fi
    done
    if [ "$dpi" = 96 ]; then
        start_show "$state/holder.closed" --windowed --hold-key "$kHeldKeyCode" "a program that holds a key"
        # The dialog looks at the keys as it opens: the holder has its key by then.
        if wait_until 10 holder_up && open_dialog $kTalkSettingsItem Quorrin.TalkDialog &&
            wait_until 10 marked_taken; then
            shot talk-settings-dialog "$dpi"
            mv "$out/talk-settings-dialog-at-100-percent.png" "$out/talk-settings-dialog.png"
            wininfo close "$dialog" >/dev/null
        fi
        end_show
    fi
    quit
done
ls "$out"/*-percent.png "$out/talk-settings-dialog.png"
