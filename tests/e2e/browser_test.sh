#!/usr/bin/env bash
# The timekeeper's control page in a real browser (Debian's Chromium, driven by puppeteer-core)
# against the real Quorrin.exe under Wine, on 127.0.0.1: the page sees the time fall, its pause
# button pauses the clock on the presenter's screen.
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"

readonly kStepMaxSeconds=3
readonly kBrowserTools="$QUORRIN_SOURCE/tests/browser"
port=$((20000 + RANDOM % 20000))

listening() { curl -s -m 2 -o /dev/null "http://127.0.0.1:$port/"; [ $? -ne 7 ]; }
show_up() { first_window --class "$kShowClass" --visible >/dev/null; }
label_is() { [ "$(child_text "$main" "$kLabelClass")" = "$1" ]; }
paused_label=
clock_paused() { paused_label=$(child_text "$main" "$kLabelClass") && [[ $paused_label == "||"* ]]; }

new_app browser
write_settings
printf '[Remote]\r\nEnabled=True\r\nPort=%s\r\n' "$port" >>"$app/Config.ini"
start_show "$work/browser.closed" "$kShowTitle"
check "the show is up" wait_until $kShowFoundSeconds show_up
launch
check "the server listens" wait_until 10 listening
check "the clock counts" wait_until $kShowFoundSeconds clocks_reached 09:58
base="http://127.0.0.1:$port"
check "the control page, in Chromium: the time falls, pause pauses" \
    node "$kBrowserTools/control_page.mjs" "$base/c/$(saved Remote ControlKey)" \
    "$base/v/$(saved Remote ViewKey)" ${QUORRIN_SCREENSHOTS:+"$QUORRIN_SCREENSHOTS"}
check "the clock on the presenter's screen is paused" wait_until $kStepMaxSeconds clock_paused
check "... and stays still" holds_for 2 label_is "$paused_label"
end_show
quit
report_checks
