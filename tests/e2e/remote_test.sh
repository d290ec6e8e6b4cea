#!/usr/bin/env bash
# The timekeeper's server in the real Quorrin.exe under Wine, driven with curl on 127.0.0.1:
# off by default with nothing listening; weak keys replaced and saved; the state while idle and
# during a show; every control call seen on the clock; the message beside the clock; each
# refusal (no key, a wrong key, the view key on a control call, a foreign Host, a text/plain
# POST, oversized headers and bodies, bad bodies, the connection cap, garbage bytes); and, last,
# the limit on wrong keys, which shuts this address out for a minute.
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"

readonly kStepMaxSeconds=3
readonly kMessageClass=Quorrin.SpeakerMessage
readonly kMaxConnections=32
# A port of its own for each run, so that runs side by side do not meet.
port=$((20000 + RANDOM % 20000))
readonly base="http://127.0.0.1:$port"
body="$work/body.json"

# api METHOD PATH KEY [BODY [CURL ARGS...]]: the answer's status; its body in $body. A POST is
# sent as JSON, or as $content_type.
api() {
    local method=$1 path=$2 key=$3 data=${4-} args=()
    shift $(($# < 4 ? $# : 4))
    [ -n "$key" ] && args+=(-H "X-Quorrin-Key: $key")
    [ "$method" = POST ] && args+=(-H "Content-Type: ${content_type:-application/json}")
    [ -n "$data" ] && args+=(--data-binary "$data")
    curl -s -m 10 -o "$body" -w '%{http_code}' -X "$method" "${args[@]}" "$@" "$base$path"
}
status_is() {  # status_is CODE METHOD PATH KEY [BODY [CURL ARGS...]]
    local want=$1 got
    shift
    got=$(api "$@")
    [ "$got" = "$want" ] || { echo "     $2: $got, not $want: $(head -c 200 "$body")" && return 1; }
}
field() {  # field NAME: a field of the JSON in $body, as Python prints it
    python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))[sys.argv[2]])' "$body" "$1"
}
state_has() {  # state_has NAME VALUE: GET /api/state says so
    [ "$(api GET /api/state "$view_key")" = 200 ] && [ "$(field "$1")" = "$2" ]
}
usable_key() { [[ $1 =~ ^[A-Za-z0-9_-]{22,}$ ]]; }
listening() { curl -s -m 2 -o /dev/null "$base/" ; [ $? -ne 7 ]; }  # 7: could not connect
label_is() { [ "$(child_text "$main" "$kLabelClass")" = "$1" ]; }
show_up() { first_window --class "$kShowClass" --visible >/dev/null; }
message_is() {  # message_is TEXT: a visible message window says TEXT ("" : none is shown)
    local shown
    shown=$(wininfo list --class "$kMessageClass" | awk -F'\t' '$3 == 1 { print $12; exit }')
    [ "$shown" = "$1" ]
}
label_seconds() { mmss_seconds "$(child_text "$main" "$kLabelClass")"; }
# held_seconds: the seconds a paused clock shows (||MM:SS).
held_seconds() { local l; l=$(child_text "$main" "$kLabelClass") && mmss_seconds "${l#||}"; }

echo "--- off by default"
new_app off
write_settings
launch
check "nothing listens on the default port" bash -c '! curl -s -m 2 -o /dev/null http://127.0.0.1:8217/'
check "Config.ini gets no [Remote]" bash -c "! grep -q '^\[Remote\]' '$app/Config.ini'"
quit

echo "--- on, with keys too weak to use"
new_app on
write_settings
printf '[Remote]\r\nEnabled=True\r\nPort=%s\r\nViewKey=short\r\n' "$port" >>"$app/Config.ini"
launch
check "the server listens on the set port" wait_until 10 listening
view_key=$(saved Remote ViewKey)
control_key=$(saved Remote ControlKey)
check "both keys were replaced by new ones and saved" \
    bash -c "[[ '$view_key' =~ ^[A-Za-z0-9_-]{22}\$ && '$control_key' =~ ^[A-Za-z0-9_-]{22}\$ && '$view_key' != '$control_key' ]]"
check "idle: the state says there is no show" state_has show False
check "the view page answers its link" status_is 200 GET "/v/$view_key" ""
check "the control page answers its link" status_is 200 GET "/c/$control_key" ""
check "the page is the program's own, with no outside address" \
    bash -c "grep -q '<html' '$body' && ! grep -Eq '(src|href)=\"?(https?:)?//' '$body'"
check "a page speaks English to an English browser" \
    bash -c "[ \"\$(curl -s -m 5 -H 'Accept-Language: en-US,en;q=0.8' '$base/v/$view_key' | grep -o '<html lang=\"[^\"]*\"')\" = '<html lang=\"en\"' ]"

echo "--- during a show"
start_show "$work/on.closed" "$kShowTitle"
check "the show is up" wait_until $kShowFoundSeconds show_up
check "the clock comes up" wait_until $kShowFoundSeconds clocks_are 1
check "the state tells the show" wait_until 3 state_has show True
check "... its plan" state_has planned 600
# The state and the clock, read one after the other: at most a step or two apart.
remaining_as_shown() {
    local told shown
    [ "$(api GET /api/state "$view_key")" = 200 ] && told=$(field remaining) &&
        shown=$(label_seconds) && [ $((told - shown)) -ge 0 ] && [ $((told - shown)) -le 2 ]
}
check "... and the time left as the clock shows it" remaining_as_shown

check "pause: the clock holds (||MM:SS)" status_is 200 POST /api/pause "$control_key" '{}'
check "... and the answer is the new state" [ "$(field paused)" = True ]
paused_at=
held() { paused_at=$(held_seconds); }
check "... seen on the clock" wait_until $kStepMaxSeconds held
check "... which stays still" holds_for 2 label_is "||$(printf '%02d:%02d' $((paused_at / 60)) $((paused_at % 60)))"
check "resume" status_is 200 POST /api/resume "$control_key" ''
check "... the clock counts again" wait_until $kStepMaxSeconds eval 'label_seconds >/dev/null'
before=$(label_seconds)
check "+1 min" status_is 200 POST /api/add "$control_key" '{"seconds": 60}'
more() { local now; now=$(label_seconds) && [ "$now" -ge $((before + 55)) ]; }
check "... the clock shows a minute more" wait_until $kStepMaxSeconds more
before=$(label_seconds)
check "-1 min" status_is 200 POST /api/add "$control_key" '{"seconds": -60}'
less() { local now; now=$(label_seconds) && [ "$now" -le $((before - 55)) ]; }
check "... the clock shows a minute less" wait_until $kStepMaxSeconds less
check "hide" status_is 200 POST /api/hide "$control_key" ''
check "... the clocks go" wait_until $kStepMaxSeconds clocks_are 0
check "... and the state says so" [ "$(field hidden)" = True ]
check "show" status_is 200 POST /api/show "$control_key" ''
check "... the clocks come back" wait_until $kStepMaxSeconds clocks_are 1

echo "--- the message"
check "a message is taken" status_is 200 POST /api/message "$control_key" '{"text": "请总结"}'
check "... shown beside the clock, as its window text" wait_until $kStepMaxSeconds message_is "请总结"
check "... told in the state" [ "$(field message)" = "请总结" ]
[ -n "${QUORRIN_SCREENSHOTS:-}" ] &&
    import -window root -display "$DISPLAY" "$QUORRIN_SCREENSHOTS/speaker-message.png"
# The clock dragged while paused (no steps then): the message follows at once.
check "pause once more" status_is 200 POST /api/pause "$control_key" '{}'
message_window=$(first_window --class "$kMessageClass" --visible)
message_before=$(window_rect "$message_window")
wininfo drag "$main" 20 20 -180 120 >/dev/null
message_moved() { [ "$(window_rect "$message_window")" != "$message_before" ]; }
check "the clock dragged while paused takes the message along" wait_until 2 message_moved
check "resume once more" status_is 200 POST /api/resume "$control_key" ''
check "an empty text clears it" status_is 200 POST /api/message "$control_key" '{"text": ""}'
check "... and the window goes" wait_until $kStepMaxSeconds message_is ""

echo "--- refusals"
check "no key: 401" status_is 401 GET /api/state ""
check "a wrong key: 401" status_is 401 GET /api/state "AAAAAAAAAAAAAAAAAAAAAA"
check "the view key on a control call: 403" status_is 403 POST /api/pause "$view_key" '{}'
check "a foreign Host: refused" status_is 421 GET /api/state "$view_key" "" -H 'Host: attacker.example'
content_type=text/plain check "a text/plain POST: 415" status_is 415 POST /api/pause "$control_key" '{}'
check "a body over 4 KiB: 413" \
    status_is 413 POST /api/message "$control_key" "{\"text\": \"$(head -c 5000 /dev/zero | tr '\0' a)\"}"
check "headers over 8 KiB: 431" \
    status_is 431 GET /api/state "$view_key" "" -H "X-Padding: $(head -c 9000 /dev/zero | tr '\0' a)"
check "a body that is not JSON: 400" status_is 400 POST /api/add "$control_key" '{"seconds": '
check "more than an hour: 400" status_is 400 POST /api/add "$control_key" '{"seconds": 3601}'
check "a message over 80 characters: 400" \
    status_is 400 POST /api/message "$control_key" "{\"text\": \"$(head -c 81 /dev/zero | tr '\0' x)\"}"
check "an unknown path: 404" status_is 404 GET /api/nothing "$view_key"
check "a wrong method: 405" status_is 405 DELETE /api/state "$view_key"
check "no answer carries a CORS header" \
    bash -c "! curl -s -m 5 -D - -o /dev/null -H 'Origin: http://evil.example' -H 'X-Quorrin-Key: $view_key' '$base/api/state' | grep -qi '^access-control'"

# Garbage on the socket, then more connections than the server takes: it closes the extra ones
# at once, and answers again once they are gone.
check "garbage bytes are refused" python3 - "$port" <<'EOF'
import os, socket, sys
with socket.create_connection(("127.0.0.1", int(sys.argv[1])), timeout=10) as s:
    s.sendall(os.urandom(2048) + b"\r\n\r\n")
    answer = s.recv(64)
sys.exit(0 if answer == b"" or answer.startswith(b"HTTP/1.1 400") else 1)
EOF
check "... and the server still answers" state_has show True
check "more than $kMaxConnections connections: the extra ones are closed at once" \
    python3 - "$port" "$kMaxConnections" <<'EOF'
import socket, sys, time
port, cap = int(sys.argv[1]), int(sys.argv[2])
held = [socket.create_connection(("127.0.0.1", port), timeout=10) for _ in range(cap)]
time.sleep(1)  # the server has taken every held connection before the extra ones come
closed = 0
for _ in range(4):
    with socket.create_connection(("127.0.0.1", port), timeout=10) as extra:
        extra.settimeout(5)
        try:
            closed += extra.recv(1) == b""
        except (ConnectionResetError, socket.timeout):
            closed += 1
for s in held:
    s.close()
sys.exit(0 if closed == 4 else 1)
EOF
check "... and it answers once they are gone" wait_until 5 state_has show True

# Last: it shuts this address out for a minute.
echo "--- the limit on wrong keys"
for n in 1 2 3 4 5 6 7 8 9 10; do api GET /api/state "wrong-key-number-$n-xxxxxxxx" >/dev/null; done
check "after 10 wrong keys in a minute: 429" status_is 429 GET /api/state "wrong-key-11-xxxxxxxxxxxxx"
check "... even with the right key" status_is 429 GET /api/state "$view_key"
end_show
quit
check "with Quorrin gone, nothing listens" bash -c "! curl -s -m 2 -o /dev/null '$base/'"

report_checks
