#!/usr/bin/env bash
# Pictures of the installer's pages for the README, taken under Wine on a virtual display:
# docs/installer-{welcome,components,directory,finish,uninstall}.png. Runs the setup.exe that
# scripts/test.sh made (build/test/dist) as a person would, with its own prefix, pressing
# 下一步 page by page, then the uninstaller up to its page with "同时删除设置".
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

state="$root/build/installer-shots"
rm -rf "$state/prefix"  # a prefix where Quorrin was never installed
"$root/tests/wine/wine-env.sh" start "$state" >/dev/null
trap '"$root/tests/wine/wine-env.sh" stop "$state" >/dev/null' EXIT
# shellcheck disable=SC1091
. "$state/env.sh"
# shellcheck source=../tests/wine/win-helpers.sh
. "$root/tests/wine/win-helpers.sh"

readonly kNextId=1
readonly kPageSeconds=2
page=
find_page() { page=$(first_window --class '#32770' --title "$1" --visible); }
# shot NAME: the setup's window, cut from the screen once its page has painted.
shot() {
    local l t r b
    sleep $kPageSeconds
    read -r l t r b < <(window_rect "$page")
    import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$out/installer-$1.png"
    echo "$out/installer-$1.png"
}
next() { wininfo command "$page" $kNextId >/dev/null; }

wine "$setup" >"$state/setup.log" 2>&1 </dev/null &
wait_until 30 find_page 安装 || { echo "no setup window" >&2; exit 1; }
shot welcome
next && shot components
next && shot directory
next && sleep 5 && shot finish

uninstaller=("$WINEPREFIX"/drive_c/users/*/AppData/Local/Programs/Quorrin/Uninstall.exe)
wine "${uninstaller[0]}" >"$state/uninstall.log" 2>&1 </dev/null &
wait_until 30 find_page 卸载 || { echo "no uninstaller window" >&2; exit 1; }
next && shot uninstall
