#!/usr/bin/env bash
# Figures of the real Quorrin.exe under Wine: idle CPU with a crowded desktop, the time from a
# slide show appearing to the clock being visible (and from its end to the clock hidden), the
# peak working set while the clock counts, and the size of the Release .exe for x86_64 and
# i686. Prints a table; the raw outputs stay in build/bench-wine/results/.
#
#   scripts/bench-wine.sh [--source DIR] [--windows N] [--idle-seconds S] [--warmup-seconds S]
#                         [--trials N] [--hold-seconds S] [--no-baseline] [--skip-idle]
#
#   --source DIR      build from DIR (e.g. an exported commit) instead of this checkout
#   --windows N       ordinary top-level windows put on the desktop for the idle run (300)
#   --idle-seconds S  length of each CPU measurement (60), after --warmup-seconds (10)
#   --trials N        latency trials of each kind (20)
#   --hold-seconds S  how long the clock counts before its memory is read (5)
#   --no-baseline     skip the idle run without the extra windows
#   --skip-idle       latency, memory and sizes only (e.g. to repeat them on a quiet machine)
#
# CPU time is read from /proc/<pid>/stat (utime + stime) of the Linux process that runs
# Quorrin.exe, and of the Wine server of this run's prefix, which answers the window calls of
# every Wine process. The run has its own build trees, prefix and virtual display under
# build/bench-wine and stops them at the end; other Wine sessions are left alone.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

source_dir=$root
windows=300
idle_seconds=60
warmup_seconds=10
trials=20
hold_seconds=5
baseline=1
idle=1
while [ $# -gt 0 ]; do
    case "$1" in
        --source) source_dir=$(cd "${2:?}" && pwd); shift 2 ;;
        --windows) windows=${2:?}; shift 2 ;;
        --idle-seconds) idle_seconds=${2:?}; shift 2 ;;
        --warmup-seconds) warmup_seconds=${2:?}; shift 2 ;;
        --trials) trials=${2:?}; shift 2 ;;
        --hold-seconds) hold_seconds=${2:?}; shift 2 ;;
        --no-baseline) baseline=0; shift ;;
        --skip-idle) idle=0; shift ;;
        *) sed -n '7,16p' "$0" >&2; exit 2 ;;
    esac
done

bash "$root/scripts/setup.sh"

build="$root/build/bench-wine"
results="$build/results/$(date +%Y%m%d-%H%M%S)"
mkdir -p "$results"
log() { echo "bench-wine: $*" >&2; }

# configure_and_build DIR TOOLCHAIN TARGETS...: a Release cross build of the source tree.
configure_and_build() {
    local dir=$1 toolchain=$2
    shift 2
    # A tree configured for another source folder cannot be reused.
    if [ -f "$dir/CMakeCache.txt" ] &&
        ! grep -qx "CMAKE_HOME_DIRECTORY:INTERNAL=$source_dir" "$dir/CMakeCache.txt"; then
        rm -rf "$dir"
    fi
    if ! { cmake -S "$source_dir" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DQUORRIN_TESTS=OFF &&
        cmake --build "$dir" -j2 --target "$@"; } >"$dir.log" 2>&1; then
        tail -n 40 "$dir.log" >&2
        log "build failed, see $dir.log"
        exit 1
    fi
}

log "building (x86_64 with the tools, i686 program only)"
mkdir -p "$build"
configure_and_build "$build/win64" toolchain-mingw-x86_64.cmake \
    Quorrin wininfo window-crowd show-latency
configure_and_build "$build/win32" toolchain-mingw-i686.cmake Quorrin
export QUORRIN_BIN="$build/win64/bin"

state="$build/wine"
quorrin=
crowd=
cleanup() {
    set +e
    if [ -n "$crowd" ] && kill -0 "$crowd" 2>/dev/null; then
        wininfo close "$(first_window --class Quorrin.CrowdWindow)" >/dev/null 2>&1
        wait_until 10 process_gone "$crowd" || kill "$crowd" 2>/dev/null
    fi
    if [ -n "$quorrin" ] && kill -0 "$quorrin" 2>/dev/null; then
        wininfo close "$(first_window --class Quorrin.TimeForm)" >/dev/null 2>&1
        wait_until 10 process_gone "$quorrin" || kill "$quorrin" 2>/dev/null
    fi
    "$root/tests/wine/wine-env.sh" stop "$state"
}
log "starting Wine (prefix and virtual display in $state)"
"$root/tests/wine/wine-env.sh" start "$state"
trap cleanup EXIT
# shellcheck disable=SC1091
. "$state/env.sh"
# shellcheck source=tests/wine/win-helpers.sh
. "$root/tests/wine/win-helpers.sh"

# cpu_ticks PID: user + system time of a Linux process in clock ticks (the fields after the
# parenthesised name, which could hold spaces).
cpu_ticks() {
    sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'
}
# our_wineserver: the pid of the Wine server of this run's prefix.
our_wineserver() {
    local p
    for p in $(pgrep -x 'wineserver64|wineserver'); do
        if tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            echo "$p"
            return 0
        fi
    done
    return 1
}
load_average() { cut -d' ' -f1-3 /proc/loadavg; }
# cpu_counters: "busy total" jiffies of all cores together, from /proc/stat.
cpu_counters() {
    awk '$1 == "cpu" { t = 0; for (i = 2; i <= 9; i++) t += $i; print t - $5 - $6, t; exit }' \
        /proc/stat
}
# busy_since "BUSY TOTAL": percent of the machine's CPU time busy since that reading (this
# run's own processes included).
busy_since() {
    local b0 t0 b1 t1
    read -r b0 t0 <<<"$1"
    read -r b1 t1 <<<"$(cpu_counters)"
    awk -v b=$((b1 - b0)) -v t=$((t1 - t0)) \
        'BEGIN { p = (t > 0) ? 100 * b / t : 0; printf "%.0f", p }'
}
top_level_windows() { wininfo list | wc -l; }

# measure_cpu NAME: waits the warm-up, then prints "NAME quorrin% wineserver% seconds
# machine-busy%" for the next idle_seconds (percent of one core; the machine's of all cores).
measure_cpu() {
    local q0 s0 q1 s1 t0 t1 hz machine busy
    hz=$(getconf CLK_TCK)
    sleep "$warmup_seconds"
    t0=$EPOCHREALTIME q0=$(cpu_ticks "$quorrin") s0=$(cpu_ticks "$server") machine=$(cpu_counters)
    sleep "$idle_seconds"
    t1=$EPOCHREALTIME q1=$(cpu_ticks "$quorrin") s1=$(cpu_ticks "$server")
    busy=$(busy_since "$machine")
    awk -v n="$1" -v q=$((q1 - q0)) -v s=$((s1 - s0)) -v hz="$hz" -v t0="$t0" -v t1="$t1" \
        -v m="$busy" 'BEGIN { w = t1 - t0
            printf "%s %.3f %.3f %.1f %s\n", n, 100 * q / hz / w, 100 * s / hz / w, w, m }'
}

# value FILE NAME: the value of a "NAME<TAB>value" line of a show-latency output.
value() { awk -F'\t' -v n="$2" '{ sub(/\r$/, "") } $1 == n { print $2; exit }' "$1"; }

# --- Config.ini: the first run writes it and says so in a message box, answered here.
app=$(mktemp -d "$build/app.XXXXXX")
cp "$QUORRIN_BIN/Quorrin.exe" "$app/"
find_box() { box=$(first_window --class '#32770' --title Quorrin); }
box=
start_quorrin "$app"
# shellcheck disable=SC2154 # set by start_quorrin
quorrin=$pid
wait_until 30 find_box || { log "the first run showed no message box"; exit 1; }
wininfo command "$box" 1 >/dev/null
wait_until 10 test -s "$app/Config.ini" || { log "the first run wrote no Config.ini"; exit 1; }
wininfo close "$(first_window --class Quorrin.TimeForm)" >/dev/null
wait_until 10 process_gone "$quorrin" || { log "the first run did not end"; exit 1; }
cp "$app/Config.ini" "$results/Config.ini"

# --- The measured run.
start_quorrin "$app"
quorrin=$pid
wait_until 30 first_window --class Quorrin.TimeForm >/dev/null || { log "no clock window"; exit 1; }
# The wine loader has become Quorrin.exe by now (same pid).
[ "$(cat "/proc/$quorrin/comm")" = Quorrin.exe ] || { log "pid $quorrin is not Quorrin.exe"; exit 1; }
sleep 1
if find_box; then log "Quorrin showed a message box: $(message_text "$box")"; exit 1; fi
server=$(our_wineserver) || { log "no Wine server for $WINEPREFIX"; exit 1; }
load_before=$(load_average)
: >"$results/idle.txt"

if [ "$idle" -eq 1 ] && [ "$baseline" -eq 1 ]; then
    base_windows=$(top_level_windows)
    log "idle, ${base_windows} top-level windows (Wine's own and Quorrin's): ${warmup_seconds} s + ${idle_seconds} s"
    measure_cpu baseline >>"$results/idle.txt"
fi

ready="$results/crowd.ready"
# Wine's drive Z: is the Linux root.
wine "$QUORRIN_BIN/window-crowd.exe" --count "$windows" --ready-flag "Z:${ready//\//\\}" \
    >"$results/crowd.log" 2>&1 </dev/null &
crowd=$!
wait_until 60 test -f "$ready" || { log "window-crowd.exe did not get ready"; exit 1; }
crowd_windows=$(top_level_windows)
if [ "$idle" -eq 1 ]; then
    log "idle, ${crowd_windows} top-level windows: ${warmup_seconds} s + ${idle_seconds} s"
    measure_cpu crowd >>"$results/idle.txt"
fi

# The latency probe creates its show on top of the same crowded desktop.
machine=$(cpu_counters)
log "latency, show retitled: $trials trials"
wine "$QUORRIN_BIN/show-latency.exe" --trials "$trials" --appear title \
    >"$results/latency-title.txt" 2>&1 </dev/null ||
    { cat "$results/latency-title.txt" >&2; log "show-latency.exe failed"; exit 1; }
log "latency, show mapped: $trials trials, then the clock counts ${hold_seconds} s"
wine "$QUORRIN_BIN/show-latency.exe" --trials "$trials" --appear map \
    --hold-ms $((hold_seconds * 1000)) >"$results/latency-map.txt" 2>&1 </dev/null ||
    { cat "$results/latency-map.txt" >&2; log "show-latency.exe failed"; exit 1; }
latency_busy=$(busy_since "$machine")
grep -E '^Vm(HWM|RSS)' "/proc/$quorrin/status" >"$results/linux-status.txt"
load_after=$(load_average)

# --- Report.
kib() { awk -v b="$1" 'BEGIN { printf "%.1f KiB", b / 1024 }'; }
mib() { awk -v b="$1" 'BEGIN { printf "%.1f MiB", b / 1048576 }'; }
row() { printf '%-44s %s\n' "$1" "$2"; }
title_out="$results/latency-title.txt"
map_out="$results/latency-map.txt"
peak=$(value "$map_out" peak_working_set_bytes)
size64=$(stat -c %s "$build/win64/bin/Quorrin.exe")
size32=$(stat -c %s "$build/win32/bin/Quorrin.exe")
hwm=$(awk '$1 == "VmHWM:" { print $2 * 1024 }' "$results/linux-status.txt")

echo
revision="source $source_dir"
if [ "$(git -C "$source_dir" rev-parse --show-toplevel 2>/dev/null)" = "$source_dir" ]; then
    revision="commit $(git -C "$source_dir" describe --always --dirty)"
fi
echo "Quorrin.exe under $(wine --version), Xvfb, $(nproc) cores; $revision"
echo "load average before $load_before, after $load_after;" \
    "machine ${latency_busy} % busy during the latency trials (the probe's own polling included)"
echo
if [ "$idle" -eq 1 ]; then
    while read -r name q s w m; do
        case "$name" in
            baseline) what="idle CPU, ${base_windows:-?} top-level windows" ;;
            crowd) what="idle CPU, ${crowd_windows} top-level windows" ;;
        esac
        row "$what" "Quorrin ${q} %, wineserver ${s} % of one core (${w} s; machine ${m} % busy)"
    done <"$results/idle.txt"
fi
row "show retitled -> clock visible (${trials} trials)" \
    "p50 $(value "$title_out" appeared_to_clock_p50) ms, p95 $(value "$title_out" appeared_to_clock_p95) ms, max $(value "$title_out" appeared_to_clock_max) ms"
row "show mapped -> clock visible (${trials} trials)" \
    "p50 $(value "$map_out" appeared_to_clock_p50) ms, p95 $(value "$map_out" appeared_to_clock_p95) ms (mapping call p50 $(value "$map_out" appear_call_p50) ms)"
row "show ended -> clock hidden (retitled)" \
    "p50 $(value "$title_out" ended_to_hidden_p50) ms, p95 $(value "$title_out" ended_to_hidden_p95) ms"
row "peak working set (GetProcessMemoryInfo)" "${peak} bytes = $(mib "$peak")"
row "peak resident set of the Linux process" "VmHWM ${hwm} bytes = $(mib "$hwm")"
row "Quorrin.exe Release x86_64" "${size64} bytes = $(kib "$size64")"
row "Quorrin.exe Release i686" "${size32} bytes = $(kib "$size32")"
echo
echo "raw outputs: $results"
