#!/usr/bin/env bash
# Shell helpers for driving Windows programs under Wine; sourced by the end-to-end tests and
# scripts/run.sh. Needs QUORRIN_BIN (folder of wininfo.exe) and the Wine environment.
#
# Wine programs never write into a pipe here: a Wine service process would inherit it and
# keep it open. Output goes through a file first.

# wine_out PROGRAM ARGS...: runs a Windows program (or Wine's own, as reg or winepath) and
# prints its output without carriage returns; its exit code is the program's.
wine_out() {
    local out rc
    out=$(mktemp)
    wine "$@" >"$out" 2>/dev/null </dev/null
    rc=$?
    tr -d '\r' <"$out"
    rm -f "$out"
    return $rc
}

# wininfo ARGS...: runs tools/wininfo.exe (see its header for the commands).
wininfo() { wine_out "$QUORRIN_BIN/wininfo.exe" "$@"; }

# Every wait is on a condition, polled until it holds or its deadline passes. A deadline in
# the scripts is what a quiet machine needs with some room; every wait allows kPatience times
# that (QUORRIN_E2E_PATIENCE), as a 2-core machine under full load needs, which costs nothing
# while the condition comes in time. With QUORRIN_WAIT_LOG=FILE each wait appends
# "milliseconds<TAB>result<TAB>script<TAB>condition" to FILE, to see how close waits come to
# their deadlines.
readonly kPatience=${QUORRIN_E2E_PATIENCE:-3}
readonly kPollSeconds=0.2

# wait_until SECONDS COMMAND...: polls COMMAND until it succeeds; fails when kPatience x
# SECONDS have passed.
wait_until() {
    local started deadline rc=0
    started=$(now_ms)
    deadline=$((started + $1 * ${patience:-$kPatience} * 1000))
    shift
    until "$@"; do
        if [ "$(now_ms)" -ge $deadline ]; then
            rc=1
            break
        fi
        sleep $kPollSeconds  # paces the polls, each of which starts a Windows program
    done
    if [ -n "${QUORRIN_WAIT_LOG:-}" ]; then
        printf '%s\t%s\t%s\t%s\n' $(($(now_ms) - started)) "$rc" "$(basename "$0")" "$*" \
            >>"$QUORRIN_WAIT_LOG"
    fi
    return $rc
}

# first_window ARGS...: the handle of the first window that `wininfo list ARGS` lists.
first_window() {
    local lines
    lines=$(wininfo list "$@") || return 1
    printf '%s\n' "$lines" | head -n 1 | cut -f 1
}

# window_field HANDLE N: column N of the window's `wininfo list` line (1 handle, 2 pid,
# 3 visible, 4 topmost, 5-8 rect, 9 style, 10 exstyle, 11 class, 12 title).
window_field() {
    local lines
    lines=$(wininfo list) || return 1
    printf '%s\n' "$lines" | awk -F'\t' -v h="$1" -v n="$2" '$1 == h { print $n; exit }'
}

# message_text HANDLE: the message of a message box (its non-empty static texts).
message_text() {
    local lines
    lines=$(wininfo text "$1") || return 1
    printf '%s\n' "$lines" | awk -F'\t' '$2 == "Static" && $3 != "" { print $3 }'
}

# process_gone PID: true once the (Linux) process has ended.
process_gone() {
    ! kill -0 "$1" 2>/dev/null
}

# Checks of an end-to-end test: check WHAT COMMAND... prints ok or FAIL and counts failures;
# report_checks ends the script with the count and a matching exit code.
failures=0
check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok   $what"
    else
        echo "FAIL $what"
        failures=$((failures + 1))
    fi
}
report_checks() {
    echo "--- $failures failed check(s)"
    [ "$failures" -eq 0 ]
}

# Processes a test started; its cleanup waits for them or kills them.
running=()

# start_quorrin FOLDER: starts FOLDER/Quorrin.exe (output in FOLDER/quorrin.log); sets $pid.
start_quorrin() {
    wine "$1/Quorrin.exe" >"$1/quorrin.log" 2>&1 </dev/null &
    pid=$!
    running+=("$pid")
}

# windows_path PATH: the Windows name of a Linux path (Wine's drive Z: is the Linux root).
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# now_ms: the wall clock in milliseconds.
now_ms() {
    local micros=${EPOCHREALTIME//[!0-9]/}
    echo $((micros / 1000))
}

# try_for SECONDS COMMAND...: polls COMMAND like wait_until, for SECONDS as given (not
# stretched): for a first attempt whose failure is handled by a fallback (a second click), so
# that a quiet machine does not wait kPatience times longer for the fallback. Never a check.
try_for() {
    patience=1 wait_until "$@"
}

# holds_for SECONDS COMMAND...: polls COMMAND for SECONDS (the time a change would need to
# show, not stretched by kPatience), and at least twice; fails at the first poll at which it
# does not hold.
holds_for() {
    local until=$(($(now_ms) + $1 * 1000)) polls=0
    shift
    while [ "$(now_ms)" -lt $until ] || [ $polls -lt 2 ]; do
        "$@" || return 1
        polls=$((polls + 1))
        sleep $kPollSeconds
    done
}

# window_rect HANDLE: the window's rectangle in pixels, "left top right bottom".
window_rect() {
    local lines
    lines=$(wininfo list) || return 1
    printf '%s\n' "$lines" | awk -F'\t' -v h="$1" '$1 == h { print $5, $6, $7, $8; found = 1; exit }
        END { exit !found }'
}

# child_text HANDLE CLASS: the text of the window's first child of class CLASS.
child_text() {
    local lines
    lines=$(wininfo text "$1") || return 1
    printf '%s\n' "$lines" | awk -F'\t' -v c="$2" 'NR > 1 && $2 == c { print $3; found = 1; exit }
        END { exit !found }'
}

# write_ini FILE: writes standard input (UTF-8 lines) to FILE as the profile functions keep an
# INI file here: GBK text, CRLF line ends.
write_ini() {
    sed 's/\r*$/\r/' | iconv -f UTF-8 -t GBK >"$1"
}

# ini_bom FILE: the first two bytes of FILE in hex ("fffe" for UTF-16 LE).
ini_bom() {
    head -c 2 "$1" | od -An -tx1 | tr -d ' \n'
}

# ini_text FILE: the text of an INI file (GBK, or UTF-16 LE with its byte-order mark) in
# UTF-8; fails when the file is missing.
ini_text() {
    local from=GBK
    [ "$(ini_bom "$1")" = fffe ] && from=UTF-16
    iconv -f $from -t UTF-8 "$1" 2>/dev/null
}

# ini_value FILE SECTION KEY: the value of KEY in [SECTION] of an INI file (see ini_text), in
# UTF-8; fails when the file or the key is missing. Names are compared exactly.
ini_value() {
    local text
    text=$(ini_text "$1") || return 1
    printf '%s\n' "$text" | tr -d '\r' | awk -v s="[$2]" -v k="$3" '
        /^\[/ { inside = ($0 == s); next }
        inside && index($0, k "=") == 1 { print substr($0, length(k) + 2); found = 1; exit }
        END { exit !found }'
}

# start_show FLAG [ARGS...]: starts tools/slideshow-sim.exe full screen (with the title and
# options in ARGS, or its own default title); on WM_CLOSE it writes the file FLAG (a Linux
# path) before it ends. Sets $show_pid. With show_exe=PATH, a copy of it under another name
# is started instead.
start_show() {
    local flag=$1
    shift
    wine "${show_exe:-$QUORRIN_BIN/slideshow-sim.exe}" --closed-flag "Z:${flag//\//\\}" "$@" \
        >"$flag.log" 2>&1 </dev/null &
    show_pid=$!
    running+=("$show_pid")
}

# set_wine_dpi DPI: the display scale of the prefix (LogPixels), taken at the next start of
# its Wine server, which this stops.
set_wine_dpi() {
    wineserver -k >/dev/null 2>&1 </dev/null
    wineserver -w >/dev/null 2>&1 </dev/null
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >/dev/null 2>&1 </dev/null
    wineserver -k >/dev/null 2>&1 </dev/null
    wineserver -w >/dev/null 2>&1 </dev/null
}
