#!/usr/bin/env bash
# A Wine prefix on a virtual display for the tests of the Windows program.
#   wine-env.sh start STATE_DIR [DISPLAY]
#       start Xvfb (or use the given display, e.g. a person's desktop with a window manager)
#       and a prepared prefix; write STATE_DIR/env.sh
#   wine-env.sh stop STATE_DIR    stop the Wine server and the Xvfb started here
#   wine-env.sh free-display      print the number of an X display nobody uses
set -euo pipefail
cmd=${1:?start|stop|free-display}
given_display=${3:-}

stop() {
    if [ -f "$state/env.sh" ]; then
        # shellcheck disable=SC1091
        . "$state/env.sh"
        wineserver -k >/dev/null 2>&1 || true
    fi
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" >/dev/null 2>&1 || true
        rm -f "$state/xvfb.pid"
    fi
}

free_display() {
    local n
    for n in $(seq 95 140); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            echo "$n"
            return
        fi
    done
    echo "no free X display" >&2
    exit 1
}

start() {
    stop
    local display managed=N
    if [ -n "$given_display" ]; then
        display=$given_display
        managed=Y
    else
        local n
        n=$(free_display)
        display=":$n"
        Xvfb "$display" -screen 0 1280x800x24 -noreset >"$state/xvfb.log" 2>&1 </dev/null &
        echo $! >"$state/xvfb.pid"
        # Up within a few tenths of a second when quiet; a loaded machine may need more.
        local deadline=$((SECONDS + 30))
        until [ -e "/tmp/.X11-unix/X$n" ]; do
            [ $SECONDS -lt $deadline ] || { echo "Xvfb $display did not start" >&2; exit 1; }
            sleep 0.1  # paces the polls
        done
    fi
    cat >"$state/env.sh" <<ENV
export WINEPREFIX="$state/prefix"
export WINEDEBUG=-all
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export DISPLAY="$display"
export WINE_STATE_DIR="$state"
ENV
    # shellcheck disable=SC1091
    . "$state/env.sh"
    if [ ! -f "$WINEPREFIX/.quorrin-ready" ]; then
        rm -rf "$WINEPREFIX"
        wineboot -i >"$state/wineboot.log" 2>&1
        # Without a window manager (Xvfb), unmanaged windows avoid a 2 s stall in every
        # DestroyWindow and let xdotool drive them; on a real desktop the manager stays.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f >/dev/null 2>&1
        cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
        # Metric-compatible faces for the fonts the program asks for (the file must be GBK).
        printf '%s\r\n' 'REGEDIT4' '' \
            '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
            '"Arial"="Liberation Sans"' '"Times New Roman"="Liberation Serif"' \
            '"Courier New"="Liberation Mono"' '"宋体"="WenQuanYi Zen Hei"' \
            '"SimSun"="WenQuanYi Zen Hei"' '"黑体"="WenQuanYi Zen Hei"' \
            '"微软雅黑"="WenQuanYi Micro Hei"' '"Microsoft YaHei"="WenQuanYi Micro Hei"' |
            iconv -f UTF-8 -t GBK >"$state/fonts.reg"
        wine regedit /S "$state/fonts.reg" >/dev/null 2>&1
        wineserver -w >/dev/null 2>&1 </dev/null
        touch "$WINEPREFIX/.quorrin-ready"
    fi
    # Wine's server outlives this script: it must not hold on to the caller's output (ctest
    # would wait for it forever).
    wineserver -p >/dev/null 2>&1 </dev/null
}

[ "$cmd" = free-display ] || state=$(mkdir -p "${2:?state dir}" && cd "$2" && pwd)
case "$cmd" in
    start) start ;;
    stop) stop ;;
    free-display) free_display ;;
    *) echo "usage: $0 start|stop STATE_DIR" >&2; exit 2 ;;
esac
