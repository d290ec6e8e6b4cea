#!/usr/bin/env bash
# Figures of the real Quorrin.exe under Wine: idle CPU with a crowded desktop (and the Wine
# server's time for the same desktop without Quorrin), the time from a slide show appearing to
# the clock being visible and from its end to the clock hidden, through the window events and
# through the fallback pass alone, the CPU and the clock's steps on a busy desktop, the peak
# working set while the clock counts, and the size of the Release .exe for x86_64 and i686.
# Prints a table; the raw outputs stay in build/bench-wine/results/.
#
#   scripts/bench-wine.sh [--source DIR] [--windows N] [--idle-seconds S] [--warmup-seconds S]
#                         [--trials N] [--hold-seconds S] [--no-baseline] [--skip-idle]
#                         [--compare EXE]... [--rounds N] [--compare-only]
#
#   --source DIR      build from DIR (e.g. an exported commit) instead of this checkout
#   --windows N       ordinary top-level windows put on the desktop for the idle run (300)
#   --idle-seconds S  length of each CPU measurement (60), after --warmup-seconds (10)
#   --trials N        latency trials of each kind (20)
#   --hold-seconds S  how long the clock counts before its memory is read (5)
#   --no-baseline     skip the idle run without Quorrin
#   --skip-idle       latency, memory and sizes only (e.g. to repeat them on a quiet machine)
#   --compare EXE     another Quorrin.exe (e.g. an older tree's Release build) measured beside
#                     this tree's on the busy desktop, with and without a show: the programs
#                     take turns, one at a time, --rounds N times (3), and the medians are
#                     printed (repeatable)
#   --compare-only    the comparison and the x86_64 size only (no idle runs, latency, memory
#                     or i686 build)
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
latency_runs=1
rounds=3
compare=()
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
        --compare) compare+=("$(realpath "${2:?}")"); shift 2 ;;
        --rounds) rounds=${2:?}; shift 2 ;;
        --compare-only) idle=0 latency_runs=0; shift ;;
        *) sed -n '9,25p' "$0" >&2; exit 2 ;;
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

if [ "$latency_runs" -eq 1 ]; then
    log "building (x86_64 with the tools, i686 program only)"
else
    log "building (x86_64 with the tools)"
fi
mkdir -p "$build"
configure_and_build "$build/win64" toolchain-mingw-x86_64.cmake \
    Quorrin wininfo window-crowd show-latency slideshow-sim
[ "$latency_runs" -eq 0 ] || configure_and_build "$build/win32" toolchain-mingw-i686.cmake Quorrin
export QUORRIN_BIN="$build/win64/bin"

state="$build/wine"
quorrin=
crowd_pids=()
crowds_fewer_than() {
    local p alive=0
    for p in "${crowd_pids[@]}"; do kill -0 "$p" 2>/dev/null && alive=$((alive + 1)); done
    [ "$alive" -lt "$1" ]
}
cleanup() {
    set +e
    local p
    # One close request ends a whole crowd: one per crowd still running.
    for p in "${crowd_pids[@]}"; do
        kill -0 "$p" 2>/dev/null || continue
        wininfo close "$(first_window --class Quorrin.CrowdWindow)" >/dev/null 2>&1
        wait_until 10 crowds_fewer_than "${#crowd_pids[@]}"
    done
    for p in "${crowd_pids[@]}"; do kill "$p" 2>/dev/null; done
    if [ -n "$quorrin" ] && kill -0 "$quorrin" 2>/dev/null; then
        wininfo close "$(clock_window)" >/dev/null 2>&1
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
window_visible() { wininfo list --class "$1" --visible >/dev/null; }
# The clock window: Quorrin.MainClock, or Quorrin.TimeForm in builds of 1.0.0 and before.
clock_window() { first_window --class Quorrin.MainClock 2>/dev/null || first_window --class Quorrin.TimeForm; }
clock_visible() { window_visible Quorrin.MainClock || window_visible Quorrin.TimeForm; }
# watch_steps: "MS VALUE" each time [Normal] timeFree of Quorrin's Config.ini changes.
watch_steps() {
    local value seen=""
    while :; do
        value=$(ini_value "$app/Config.ini" Normal timeFree 2>/dev/null) || value=$seen
        if [ "$value" != "$seen" ]; then
            echo "$(now_ms) $value"
            seen=$value
        fi
        sleep 0.02
    done
}

# quorrin_ticks: cpu_ticks of Quorrin, 0 while it is not running.
quorrin_ticks() {
    if [ -n "$quorrin" ] && kill -0 "$quorrin" 2>/dev/null; then cpu_ticks "$quorrin"; else echo 0; fi
}
# measure_cpu NAME: waits the warm-up, then prints "NAME quorrin% wineserver% seconds
# machine-busy%" for the next idle_seconds (percent of one core; the machine's of all cores).
measure_cpu() {
    local q0 s0 q1 s1 t0 t1 hz machine busy
    hz=$(getconf CLK_TCK)
    sleep "$warmup_seconds"
    t0=$EPOCHREALTIME q0=$(quorrin_ticks) s0=$(cpu_ticks "$server") machine=$(cpu_counters)
    sleep "$idle_seconds"
    t1=$EPOCHREALTIME q1=$(quorrin_ticks) s1=$(cpu_ticks "$server")
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
wininfo close "$(clock_window)" >/dev/null
wait_until 10 process_gone "$quorrin" || { log "the first run did not end"; exit 1; }
cp "$app/Config.ini" "$results/Config.ini"
quorrin=

# --- The measured run. The crowd comes first, so that the Wine server's time for that desktop
# can be measured without Quorrin, then with it.
server=$(our_wineserver) || { log "no Wine server for $WINEPREFIX"; exit 1; }
load_before=$(load_average)
: >"$results/idle.txt"

# start_crowd NAME ARGS...: window-crowd.exe with these arguments, until its windows exist.
start_crowd() {
    local name=$1 ready="$results/$1.ready" p
    shift
    # Wine's drive Z: is the Linux root.
    wine "$QUORRIN_BIN/window-crowd.exe" --ready-flag "Z:${ready//\//\\}" "$@" \
        >"$results/$name.log" 2>&1 </dev/null &
    p=$!
    wait_until 60 test -f "$ready" || { log "window-crowd.exe ($name) did not get ready"; exit 1; }
    crowd_pids+=("$p")
}
start_crowd crowd --count "$windows"
crowd_windows=$(top_level_windows)
if [ "$idle" -eq 1 ] && [ "$baseline" -eq 1 ]; then
    log "idle without Quorrin, ${crowd_windows} top-level windows: ${warmup_seconds} s + ${idle_seconds} s"
    measure_cpu without >>"$results/idle.txt"
fi

start_quorrin "$app"
quorrin=$pid
wait_until 30 clock_window >/dev/null || { log "no clock window"; exit 1; }
# The wine loader has become Quorrin.exe by now (same pid).
[ "$(cat "/proc/$quorrin/comm")" = Quorrin.exe ] || { log "pid $quorrin is not Quorrin.exe"; exit 1; }
sleep 1
if find_box; then log "Quorrin showed a message box: $(message_text "$box")"; exit 1; fi
if [ "$idle" -eq 1 ]; then
    log "idle with Quorrin, $(top_level_windows) top-level windows: ${warmup_seconds} s + ${idle_seconds} s"
    measure_cpu crowd >>"$results/idle.txt"
fi

# latency NAME ARGS...: show-latency.exe with these arguments, output in latency-NAME.txt.
latency() {
    local name=$1
    shift
    log "latency, $name: $trials trials"
    wine "$QUORRIN_BIN/show-latency.exe" --trials "$trials" "$@" \
        >"$results/latency-$name.txt" 2>&1 </dev/null ||
        { cat "$results/latency-$name.txt" >&2; log "show-latency.exe failed"; exit 1; }
}
# start_busy_crowd: another program that retitles windows 50 times a second, raising the
# name-change event each time (once for the whole run).
busy_crowd=0
start_busy_crowd() {
    [ "$busy_crowd" -eq 1 ] && return 0
    start_crowd busy --count 50 --retitle-per-second 50
    busy_crowd=1
}
# stop_quorrin: closes the running Quorrin as its tray menu's exit does.
stop_quorrin() {
    wininfo close "$(clock_window)" >/dev/null
    wait_until 10 process_gone "$quorrin" || { log "Quorrin did not end"; exit 1; }
    quorrin=
}
# start_show NAME: slideshow-sim.exe's window, raising the events Windows raises; sets show.
start_show() {
    local closed="$results/$1.closed"
    wine "$QUORRIN_BIN/slideshow-sim.exe" --windowed --notify --closed-flag "Z:${closed//\//\\}" \
        >"$results/$1.log" 2>&1 </dev/null &
    show=$!
    wait_until 10 clock_visible || { log "no clock over the show"; exit 1; }
}
stop_show() {
    wininfo close "$(first_window --class Quorrin.SlideShowSim)" >/dev/null
    wait_until 10 process_gone "$show" || kill "$show" 2>/dev/null
}

# The latency probe creates its show on top of the same crowded desktop. With --notify its
# window raises the events Windows raises; without, only its creation is reported (as Wine
# does), so the other changes wait for the fallback pass.
if [ "$latency_runs" -eq 1 ]; then
    machine=$(cpu_counters)
    latency events-title --appear title --notify
    latency events-map --appear map --notify --hold-ms $((hold_seconds * 1000))
    latency fallback-title --appear title
    latency_busy=$(busy_since "$machine")
    grep -E '^Vm(HWM|RSS)' "/proc/$quorrin/status" >"$results/linux-status.txt"
fi

# The clock counting over a show on the quiet desktop, then a busy desktop: another program
# retitles windows 50 times a second, raising the name-change event each time, first while the
# show runs and the clock counts, then without the show. The clock's steps are seen as the
# per-second resume point changing in Config.ini (polled every 20 ms).
if [ "$idle" -eq 1 ]; then
    start_show busy-show
    log "show up on the quiet desktop: ${warmup_seconds} s + ${idle_seconds} s"
    measure_cpu show >>"$results/idle.txt"
    start_busy_crowd
    watch_steps >"$results/steps.txt" &
    steps=$!
    log "busy desktop (50 retitles a second) with the show: ${warmup_seconds} s + ${idle_seconds} s"
    measure_cpu busy-show >>"$results/idle.txt"
    kill "$steps" 2>/dev/null
    stop_show
    log "busy desktop (50 retitles a second), no show: ${warmup_seconds} s + ${idle_seconds} s"
    measure_cpu busy >>"$results/idle.txt"
fi

# --- This tree's Quorrin.exe and the compared ones on the same busy desktop: each in a folder
# of its own with the same Config.ini, one running at a time, in turns whose order moves on by
# one each round, so that the machine's other load falls on all of them alike.
if [ ${#compare[@]} -gt 0 ]; then
    [ -n "$quorrin" ] && stop_quorrin
    start_busy_crowd
    programs=("$QUORRIN_BIN/Quorrin.exe" "${compare[@]}")
    folders=()
    for exe in "${programs[@]}"; do
        folder=$(mktemp -d "$build/app.XXXXXX")
        cp "$exe" "$folder/Quorrin.exe"
        cp "$results/Config.ini" "$folder/"
        folders+=("$folder")
    done
    : >"$results/compare.txt"
    for round in $(seq "$rounds"); do
        for turn in "${!programs[@]}"; do
            i=$(((turn + round) % ${#programs[@]}))
            start_quorrin "${folders[$i]}"
            quorrin=$pid
            wait_until 30 clock_window >/dev/null ||
                { log "no clock window from ${programs[$i]}"; exit 1; }
            sleep 1
            if find_box; then log "${programs[$i]} showed a message box: $(message_text "$box")"; exit 1; fi
            log "round $round/$rounds, ${programs[$i]}: busy desktop without, then with a show"
            measure_cpu "$i:busy" >>"$results/compare.txt"
            start_show "compare-$round-$i"
            measure_cpu "$i:busy-show" >>"$results/compare.txt"
            stop_show
            stop_quorrin
        done
    done
fi
load_after=$(load_average)

# --- Report.
kib() { awk -v b="$1" 'BEGIN { printf "%.1f KiB", b / 1024 }'; }
mib() { awk -v b="$1" 'BEGIN { printf "%.1f MiB", b / 1048576 }'; }
row() { printf '%-44s %s\n' "$1" "$2"; }
events_title="$results/latency-events-title.txt"
events_map="$results/latency-events-map.txt"
fallback_title="$results/latency-fallback-title.txt"
size64=$(stat -c %s "$build/win64/bin/Quorrin.exe")
if [ "$latency_runs" -eq 1 ]; then
    peak=$(value "$events_map" peak_working_set_bytes)
    hwm=$(awk '$1 == "VmHWM:" { print $2 * 1024 }' "$results/linux-status.txt")
fi
# step_gaps: the gaps between the clock's steps seen during the busy run, "max, p95" in ms
# (from the second change on: the first value seen was already there when the polling began).
step_gaps() {
    awk 'NR > 2 { print $1 - last } { last = $1 }' "$results/steps.txt" | sort -n |
        awk '{ v[NR] = $1 } END { if (NR == 0) { print "none seen"; exit }
            i = int(NR * 0.95 + 0.999); printf "%d gaps: p95 %d ms, max %d ms, min %d ms", NR, v[i], v[NR], v[1] }'
}
latency_row() {  # latency_row WHAT FILE NAME
    row "$1" "p50 $(value "$2" "$3_p50") ms, p95 $(value "$2" "$3_p95") ms, max $(value "$2" "$3_max") ms"
}

echo
revision="source $source_dir"
if [ "$(git -C "$source_dir" rev-parse --show-toplevel 2>/dev/null)" = "$source_dir" ]; then
    revision="commit $(git -C "$source_dir" describe --always --dirty)"
fi
echo "Quorrin.exe under $(wine --version), Xvfb, $(nproc) cores; $revision"
echo "load average before $load_before, after $load_after"
[ "$latency_runs" -eq 0 ] ||
    echo "machine ${latency_busy} % busy during the latency trials (the probe's own polling included)"
echo
if [ "$idle" -eq 1 ]; then
    while read -r name q s w m; do
        case "$name" in
            without) what="idle, ${crowd_windows} windows, no Quorrin" ;;
            crowd) what="idle, ${crowd_windows} windows, Quorrin" ;;
            busy) what="busy desktop (50 retitles/s), no show" ;;
            show) what="quiet desktop, show up, clock counting" ;;
            busy-show) what="busy desktop, show up, clock counting" ;;
        esac
        row "$what" "Quorrin ${q} %, wineserver ${s} % of one core (${w} s; machine ${m} % busy)"
    done <"$results/idle.txt"
    row "clock steps during the busy run" "$(step_gaps)"
fi
if [ "$latency_runs" -eq 1 ]; then
    latency_row "events: retitled -> clock visible" "$events_title" appeared_to_clock
    latency_row "events: mapped -> clock visible" "$events_map" appeared_to_clock
    latency_row "events: destroyed -> clock hidden" "$events_map" ended_to_hidden
    latency_row "events: retitled back -> clock hidden" "$events_title" ended_to_hidden
    latency_row "fallback: retitled -> clock visible" "$fallback_title" appeared_to_clock
    latency_row "fallback: retitled back -> clock hidden" "$fallback_title" ended_to_hidden
    row "peak working set (GetProcessMemoryInfo)" "${peak} bytes = $(mib "$peak")"
    row "peak resident set of the Linux process" "VmHWM ${hwm} bytes = $(mib "$hwm")"
fi
# compare_rows: per program and figure, the median of the rounds and every round's figure.
compare_rows() {
    local i figure what
    for figure in busy busy-show; do
        case "$figure" in
            busy) what="busy desktop (50 retitles/s), no show" ;;
            busy-show) what="busy desktop, show up, clock counting" ;;
        esac
        echo "$what, $rounds rounds (Quorrin % / wineserver % of one core; machine % busy):"
        for i in "${!programs[@]}"; do
            awk -v n="$i:$figure" '$1 == n { print $2, $3, $5 }' "$results/compare.txt" |
                awk -v label="${programs[$i]}" '
                    { q[NR] = $1; s[NR] = $2
                      runs = runs sprintf(" %.3f/%.3f (%s %%)", $1, $2, $3) }
                    function median(a, n,   i, j, t) {
                        for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++)
                            if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
                        return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2 }
                    END { printf "  %s\n    median %.3f %% / %.3f %%; runs%s\n",
                                 label, median(q, NR), median(s, NR), runs }'
        done
    done
}
if [ ${#compare[@]} -gt 0 ]; then
    compare_rows
    echo
fi
row "Quorrin.exe Release x86_64" "${size64} bytes = $(kib "$size64")"
if [ "$latency_runs" -eq 1 ]; then
    size32=$(stat -c %s "$build/win32/bin/Quorrin.exe")
    row "Quorrin.exe Release i686" "${size32} bytes = $(kib "$size32")"
fi
echo
echo "raw outputs: $results"
