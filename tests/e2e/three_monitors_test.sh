#!/usr/bin/env bash
# Three monitors (1280x800 primary, 1024x768 and 1280x1024 to its right, on a nested X server
# as in the two-monitor test), the show on the second: each choice of the screens that show
# the clock puts one clock on each chosen monitor, in that monitor's top right corner.
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"
# shellcheck source=nested_screens.sh
. "$QUORRIN_SOURCE/tests/e2e/nested_screens.sh"

start_nested_screens three-monitors 1280x800 1024x768 1280x1024
check_screen_choice "1 2 3" "1 3"
report_checks
