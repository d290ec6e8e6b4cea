#!/usr/bin/env bash
# Prints the size of the Windows release Quorrin.exe for x86_64 and i686, built in
# build/size/ (Release, no tests).
#
#   scripts/exe-size.sh            both architectures
#   scripts/exe-size.sh x86_64     one of them
#
# To see what weighs most, link Quorrin.exe again without -s and with -Wl,-Map,<file> (the
# command is in build/size/win64/CMakeFiles/Quorrin.dir/link.txt) and add up the map's
# input sections per object, or run x86_64-w64-mingw32-nm --size-sort -S -C on the objects.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arches=("$@")
[ ${#arches[@]} -gt 0 ] || arches=(x86_64 i686)

for arch in "${arches[@]}"; do
    case $arch in
        x86_64) build="$root/build/size/win64" ;;
        i686) build="$root/build/size/win32" ;;
        *) echo "unknown architecture: $arch (x86_64 or i686)" >&2 && exit 2 ;;
    esac
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$arch.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DQUORRIN_TESTS=OFF >/dev/null
    cmake --build "$build" -j2 --target Quorrin >"$build/size-build.log" 2>&1 || {
        cat "$build/size-build.log"
        exit 1
    }
    printf '%-7s Quorrin.exe %9d bytes\n' "$arch" "$(stat -c %s "$build/bin/Quorrin.exe")"
done
