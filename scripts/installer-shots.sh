#!/usr/bin/env bash
# Pictures of the installer's pages for the README, taken under Wine on a virtual display, as
# a Chinese user sees them (docs/installer-PAGE.png) and as an English one does
# (docs/installer-en-PAGE.png), PAGE being welcome, components, directory, finish, uninstall.
# Runs the setup.exe that scripts/test.sh made (build/test/dist) as a person would, in a new
# prefix for each language (LANG and LC_ALL give Wine its display language), pressing Next
# page by page, then the uninstaller up to its page with "同时删除设置" / "Also remove the
# settings".
#
#   scripts/installer-shots.sh [OUTPUT_FOLDER]      (default: docs/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$root/docs}" && cd "${1:-$root/docs}" && pwd)
export QUORRIN_BIN=$root/build/test/win64/bin
setup="$root/build/test/dist/Quorrin-$(bash "$root/scripts/project-version.sh")-x64-setup.exe"
if [ ! -f "$setup" ] || [ ! -x "$QUORRIN_BIN/wininfo.exe" ]; then
    echo "build first: bash scripts/test.sh" >&2
    exit 1
fi

# Wine names the Windows user after $USER: the install folder shown is a presenter's.
export USER=presenter
# shellcheck source=../tests/wine/win-helpers.sh
. "$root/tests/wine/win-helpers.sh"

readonly kNextId=1
readonly kPageSeconds=2
page=
find_page() { page=$(first_window --class '#32770' --title "$1" --visible); }
prefix=
# shot NAME: the setup's window, cut from the screen once its page has painted.
shot() {
    local l t r b
    sleep $kPageSeconds
    read -r l t r b < <(window_rect "$page")
    import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$out/installer-$prefix$1.png"
    echo "$out/installer-$prefix$1.png"
}
next() { wininfo command "$page" $kNextId >/dev/null; }

state=
stop_wine() { [ -z "$state" ] || "$root/tests/wine/wine-env.sh" stop "$state" >/dev/null; }
trap stop_wine EXIT
# take LOCALE PREFIX SETUP_TITLE UNINSTALL_TITLE: the pages as a user of LOCALE sees them.
take() {
    prefix=$2
    state="$root/build/installer-shots/${1%%.*}"
    rm -rf "$state/prefix"  # a prefix where Quorrin was never installed
    "$root/tests/wine/wine-env.sh" start "$state" >/dev/null
    # shellcheck disable=SC1091
    . "$state/env.sh"
    export LANG=$1 LC_ALL=$1

    wine "$setup" >"$state/setup.log" 2>&1 </dev/null &
    wait_until 30 find_page "$3" || { echo "no setup window ($1)" >&2; exit 1; }
    shot welcome
    next && shot components
    next && shot directory
    next && sleep 5 && shot finish

    local uninstaller=("$WINEPREFIX"/drive_c/users/*/AppData/Local/Programs/Quorrin/Uninstall.exe)
    wine "${uninstaller[0]}" >"$state/uninstall.log" 2>&1 </dev/null &
    wait_until 30 find_page "$4" || { echo "no uninstaller window ($1)" >&2; exit 1; }
    next && shot uninstall
    stop_wine
}
take zh_CN.UTF-8 "" 安装 卸载
take en_US.UTF-8 en- Setup Uninstall
