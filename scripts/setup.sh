#!/usr/bin/env bash
# Installs what building and testing Quorrin needs on Debian 12: the mingw-w64 cross
# compilers, Wine with a virtual display, the test and benchmark libraries, Chinese fonts,
# the zh_CN.UTF-8 locale, and NSIS and Python for the release files. Safe to repeat: when
# everything is there it only checks (~2 s).
set -euo pipefail

packages=(
    wine wine64 fonts-wine
    xvfb xserver-xephyr xdotool x11-utils x11-xserver-utils imagemagick
    locales fonts-wqy-zenhei fonts-wqy-microhei fonts-liberation
    mingw-w64 cmake make ninja-build g++ clang libclang-rt-14-dev
    googletest libgtest-dev libbenchmark-dev
    nsis python3 curl chromium
    libboost1.81-dev
    stress-ng
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "setup.sh: run as root (or install sudo) to install: $*" >&2
        exit 1
    fi
}

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done

# Node.js with npm drives the browser test; a Node.js that came with its own npm (not Debian's)
# is kept as it is.
command -v node >/dev/null 2>&1 || missing+=(nodejs)
command -v npm >/dev/null 2>&1 || missing+=(npm)

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup.sh: installing ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi

# Wine takes its ANSI code page (936, GBK) from this locale.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    echo "setup.sh: generating the zh_CN.UTF-8 locale"
    if ! grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        if grep -q '^# *zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
            as_root sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        else
            echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
        fi
    fi
    as_root locale-gen >/dev/null
fi

# puppeteer-core, at the version the lock file holds, for the browser test (never a browser of
# its own: it drives Debian's Chromium). A copy of the sources without the tests (the one the
# reproducibility test packages) has nothing to install.
root=$(cd "$(dirname "$0")/.." && pwd)
browser_tools="$root/tests/browser"
if [ -f "$browser_tools/package-lock.json" ] && ! [ -d "$browser_tools/node_modules/puppeteer-core" ]; then
    echo "setup.sh: installing puppeteer-core"
    (cd "$browser_tools" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error >/dev/null)
fi
