#!/usr/bin/env bash
# Fails when a source file includes a header from a higher layer (or a sideways feature).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
declare -A rank=([geometry]=0 [texts]=0 [win32]=1 [settings]=2 [detection]=3 [countdown]=3 [sound]=3 [tray]=3 [autostart]=3 [controls]=3 [history]=3 [remote]=3 [clock]=4 [dialogs]=5 [app]=6)
bad=0
while IFS=: read -r file _ line; do
    from=${file#src/}; from=${from%%/*}
    to=$(sed -n 's/^#include "\([a-z0-9_]*\)\/.*/\1/p' <<<"$line")
    [ -n "$to" ] && [ -n "${rank[$to]:-}" ] || continue
    if [ "$from" != "$to" ] && [ "${rank[$to]}" -ge "${rank[$from]}" ]; then
        echo "$file: $line"; bad=1
    fi
done < <(cd "$root" && git grep -n '#include "' -- src)
exit $bad
