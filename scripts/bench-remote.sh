#!/usr/bin/env bash
# Figures of the timekeeper's server in the real Quorrin.exe under Wine, reached on 127.0.0.1:
#   - idle cost: Quorrin's CPU with no show, the server off, then on with nobody connected;
#   - a control call to the clock's change: pause and resume in turn. The server answers only
#     once the clock's thread has applied the command (the clock's text changed), so the
#     round trip bounds the time from the call to the change;
#   - load: CLIENTS clients each asking GET /api/state RATE times a second for SECONDS while a
#     show runs: failed answers, the clock's steps (Config.ini replaced by the per-second
#     resume point, its time stamp polled every 2 ms) and Quorrin's resident memory, sampled
#     every 5 s.
#
#   scripts/bench-remote.sh [--bin DIR] [--calls N] [--clients C] [--rate R] [--seconds S]
#                           [--idle-seconds S]
#
#   --bin DIR         the folder holding Quorrin.exe, wininfo.exe and slideshow-sim.exe
#                     (build/test/win64/bin, built by scripts/test.sh)
#   --calls N         control calls (200)
#   --clients C, --rate R, --seconds S    the load (20 clients, 10 a second, 60 s)
#   --idle-seconds S  each idle measurement (30)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bin="$root/build/test/win64/bin"
calls=200
clients=20
rate=10
seconds=60
idle_seconds=30
while [ $# -gt 0 ]; do
    case "$1" in
        --bin) bin=$(cd "${2:?}" && pwd); shift 2 ;;
        --calls) calls=${2:?}; shift 2 ;;
        --clients) clients=${2:?}; shift 2 ;;
        --rate) rate=${2:?}; shift 2 ;;
        --seconds) seconds=${2:?}; shift 2 ;;
        --idle-seconds) idle_seconds=${2:?}; shift 2 ;;
        *) sed -n '12,19p' "$0" >&2; exit 2 ;;
    esac
done
export QUORRIN_BIN=$bin QUORRIN_SOURCE=$root
log() { echo "bench-remote: $*" >&2; }

build="$root/build/bench-remote"
results="$build/results"
state="$build/wine"
mkdir -p "$results"
"$root/tests/wine/wine-env.sh" start "$state"
# shellcheck disable=SC1091
. "$state/env.sh"
# shellcheck source=../tests/wine/win-helpers.sh
. "$root/tests/wine/win-helpers.sh"

port=$((20000 + RANDOM % 20000))
app=$(mktemp -d "$build/app.XXXXXX")
cp "$bin/Quorrin.exe" "$app/"
quorrin=
show=
cleanup() {
    set +e
    [ -n "$show" ] && wininfo close "$(first_window --class Quorrin.SlideShowSim)" >/dev/null 2>&1
    if [ -n "$quorrin" ] && kill -0 "$quorrin" 2>/dev/null; then
        wininfo close "$(first_window --class Quorrin.MainClock)" >/dev/null 2>&1
        wait_until 10 process_gone "$quorrin" || kill "$quorrin" 2>/dev/null
    fi
    "$root/tests/wine/wine-env.sh" stop "$state"
}
trap cleanup EXIT

# write_config ENABLED: a Config.ini with a ten-minute shared timing and [Remote].
write_config() {
    write_ini "$app/Config.ini" <<EOF
[Normal]
timeMode=0
EndWarning=True
ReSetTime=True
SameMode=True
timeCnt=00:10:00
timeWarning=00:00:30
flush=False
close=False
file=所有演示文稿
timeFree=00:00:00
SoundFile=默认声音
endSoundFile=默认声音
[Remote]
Enabled=$1
Port=$port
EOF
}
cpu_ticks() { sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
rss_kib() { awk '$1 == "VmRSS:" { print $2 }' "/proc/$1/status"; }
start() {
    start_quorrin "$app"
    quorrin=$pid
    wait_until 30 first_window --class Quorrin.MainClock >/dev/null || { log "no clock window"; exit 1; }
    sleep 5  # settled: fonts, the first passes of the watch
}
stop() {
    wininfo close "$(first_window --class Quorrin.MainClock)" >/dev/null
    wait_until 10 process_gone "$quorrin" || kill "$quorrin"
    quorrin=
}
# idle_cpu: percent of one core Quorrin used over idle_seconds.
idle_cpu() {
    local t0 q0
    t0=$EPOCHREALTIME q0=$(cpu_ticks "$quorrin")
    sleep "$idle_seconds"
    awk -v q=$(($(cpu_ticks "$quorrin") - q0)) -v hz="$(getconf CLK_TCK)" -v t0="$t0" \
        -v t1="$EPOCHREALTIME" 'BEGIN { printf "%.3f", 100 * q / hz / (t1 - t0) }'
}

log "idle, server off: $idle_seconds s"
write_config False
start
cpu_off=$(idle_cpu)
stop
log "idle, server on, nobody connected: $idle_seconds s"
write_config True
start
cpu_on=$(idle_cpu)
key=$(ini_value "$app/Config.ini" Remote ControlKey)

wine "$bin/slideshow-sim.exe" --closed-flag "Z:${results//\//\\}\\show.closed" \
    "PowerPoint 幻灯片放映 - talk.pptx" >"$results/show.log" 2>&1 </dev/null &
show=$!
wait_until 10 wininfo list --class Quorrin.MainClock --visible >/dev/null || { log "no clock"; exit 1; }

log "control calls: $calls"
python3 - "$port" "$key" "$calls" >"$results/calls.txt" <<'EOF'
import http.client, sys, time
port, key, calls = int(sys.argv[1]), sys.argv[2], int(sys.argv[3])
connection = http.client.HTTPConnection("127.0.0.1", port, timeout=10)
times = []
for n in range(calls):
    started = time.perf_counter()
    connection.request("POST", "/api/" + ("pause" if n % 2 == 0 else "resume"), body="{}",
                       headers={"X-Quorrin-Key": key, "Content-Type": "application/json"})
    answer = connection.getresponse()
    answer.read()
    if answer.status != 200:
        sys.exit(f"call {n}: {answer.status}")
    times.append((time.perf_counter() - started) * 1000)
times.sort()
print(f"p50 {times[len(times) // 2]:.1f} ms, p95 {times[int(len(times) * 0.95)]:.1f} ms, "
      f"max {times[-1]:.1f} ms")
EOF

log "load: $clients clients x $rate/s x $seconds s"
# The clock's steps: each one saves the resume point, which replaces Config.ini; its time
# stamp is polled every 2 ms (a stat, cheap beside the clock's own work).
python3 - "$app/Config.ini" "$seconds" >"$results/steps.txt" <<'EOF2' &
import os, sys, time
path, until = sys.argv[1], time.monotonic() + int(sys.argv[2])
seen = None
while time.monotonic() < until:
    try:
        stamp = os.stat(path).st_mtime_ns
    except OSError:
        stamp = seen
    if stamp != seen:
        print(int(time.monotonic() * 1000), flush=True)
        seen = stamp
    time.sleep(0.002)
EOF2
watcher=$!
(for _ in $(seq 0 5 "$seconds"); do rss_kib "$quorrin"; sleep 5; done) >"$results/rss.txt" &
sampler=$!
python3 - "$port" "$key" "$clients" "$rate" "$seconds" >"$results/load.txt" <<'EOF'
import http.client, sys, threading, time
port, key, clients, rate, seconds = sys.argv[1:3] + [int(v) for v in sys.argv[3:]]
failed, answered, lock = [0], [0], threading.Lock()
def client():
    connection = http.client.HTTPConnection("127.0.0.1", int(port), timeout=10)
    start = time.monotonic()
    for n in range(rate * seconds):
        time.sleep(max(0, start + n / rate - time.monotonic()))
        try:
            connection.request("GET", "/api/state", headers={"X-Quorrin-Key": key})
            answer = connection.getresponse()
            answer.read()
            ok = answer.status == 200
        except OSError:
            ok = False
            connection = http.client.HTTPConnection("127.0.0.1", int(port), timeout=10)
        with lock:
            answered[0] += ok
            failed[0] += not ok
threads = [threading.Thread(target=client) for _ in range(clients)]
for t in threads: t.start()
for t in threads: t.join()
print(f"{answered[0]} answered, {failed[0]} failed")
EOF
kill "$watcher" "$sampler" 2>/dev/null || true
steps=$(awk 'NR > 2 { print $1 - last } { last = $1 }' "$results/steps.txt" | sort -n |
    awk '{ v[NR] = $1 } END { i = int(NR * 0.95 + 0.999)
        printf "%d steps: p95 %d ms, max %d ms", NR, v[i], v[NR] }')
rss=$(awk 'NR == 1 { first = $1 } { last = $1; if ($1 > max) max = $1 }
    END { printf "%.1f MiB at the start, %.1f MiB at the end, %.1f MiB at most", first / 1024, last / 1024, max / 1024 }' \
    "$results/rss.txt")

echo
echo "Quorrin.exe ($(stat -c %s "$bin/Quorrin.exe") bytes) under $(wine --version), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-46s %s\n' "idle, no show, server off" "$cpu_off % of one core"
printf '%-46s %s\n' "idle, no show, server on, nobody connected" "$cpu_on % of one core"
printf '%-46s %s\n' "control call -> clock changed ($calls calls)" "$(cat "$results/calls.txt")"
printf '%-46s %s\n' "$clients clients x $rate/s x $seconds s" "$(cat "$results/load.txt")"
printf '%-46s %s\n' "clock steps during the load" "$steps"
printf '%-46s %s\n' "Quorrin's resident memory during the load" "$rss"
