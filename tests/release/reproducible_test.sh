#!/usr/bin/env bash
# Two builds of the same sources in two folders give the same release files. The first is
# the test build's (DIST, from package.release_files, and its programs in WIN64_BIN and
# WIN32_BIN); the second is made here in WORK from a
# copy of the sources, where package.sh builds Quorrin.exe for x86_64 and i686 from scratch:
# no compiler cache, which would hand back the first build's objects. Both are dated by the
# same commit. Prints the files' sizes and SHA256SUMS.
#
#   tests/release/reproducible_test.sh DIST WIN64_BIN WIN32_BIN WORK
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
dist=$(cd "${1:?DIST}" && pwd) || exit 1
declare -A first_bin=([x64]=${2:?WIN64_BIN} [x86]=${3:?WIN32_BIN})
work=${4:?WORK}
export CCACHE_DISABLE=1
unset CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct) || exit 1
    export SOURCE_DATE_EPOCH
fi

passes=0 failures=0
check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok   $what"
        passes=$((passes + 1))
    else
        echo "FAIL $what"
        failures=$((failures + 1))
    fi
}

# What building and packaging read; the copy has no git, so its date comes from above.
rm -rf "$work"
mkdir -p "$work/source"
tar -C "$root" -c CMakeLists.txt cmake src tools packaging scripts | tar -C "$work/source" -x || exit 1
echo "--- the sources copied to $work/source, packaged there from scratch"
started=$(date +%s)
if ! bash "$work/source/scripts/package.sh" --out "$work/dist" >"$work/package.log" 2>&1; then
    tail -n 40 "$work/package.log"
    echo "FAIL packaging the copy"
    exit 1
fi
echo "     built and packaged in $(($(date +%s) - started)) s"

# pe_time_stamp EXE: the COFF header's TimeDateStamp.
pe_time_stamp() {
    python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
pe = struct.unpack_from("<I", data, 0x3C)[0]
print(struct.unpack_from("<I", data, pe + 8)[0])
PY
}
# same A B: the files are the same; otherwise the first bytes that differ (offset, octal bytes).
same() {
    cmp -s "$1" "$2" && return 0
    cmp -l "$1" "$2" 2>&1 | head -n 5 | sed 's/^/     /'
    return 1
}

version=$(bash "$root/scripts/project-version.sh") || exit 1
declare -A second_bin=([x64]=$work/source/build/package/win64/bin [x86]=$work/source/build/package/win32/bin)
for arch in x64 x86; do
    exe=${second_bin[$arch]}/Quorrin.exe
    check "Quorrin.exe ($arch) has no link time in its PE header" [ "$(pe_time_stamp "$exe")" = 0 ]
    check "Quorrin.exe ($arch) is the same" same "${first_bin[$arch]}/Quorrin.exe" "$exe"
    zip=Quorrin-$version-$arch.zip
    check "$zip is the same" same "$dist/$zip" "$work/dist/$zip"
done
setup=Quorrin-$version-x64-setup.exe
check "$setup is the same" same "$dist/$setup" "$work/dist/$setup"
check "SHA256SUMS is the same" same "$dist/SHA256SUMS" "$work/dist/SHA256SUMS"

echo "--- sizes and SHA256SUMS"
(cd "$work/dist" && stat -c '     %n: %s bytes' Quorrin-"$version"-* && sed 's/^/     /' SHA256SUMS)
echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
