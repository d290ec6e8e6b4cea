#!/usr/bin/env bash
# Builds Quorrin's release files into dist/:
#   Quorrin-<version>-x64.zip, Quorrin-<version>-x86.zip   the portable program: Quorrin.exe
#                                                          and 使用说明.txt
#   Quorrin-<version>-x64-setup.exe                        the per-user installer (NSIS)
#   SHA256SUMS                                             over the three
# The version is CMake's project(VERSION), read by scripts/project-version.sh.
# The same commit gives the same bytes in every file, built in any folder: every date in them
# is the commit's time (or SOURCE_DATE_EPOCH when set, e.g. for a tree without git).
#
#   scripts/package.sh [--from-builds WIN64_BIN WIN32_BIN] [--out DIR]
#
#   --from-builds  package the Quorrin.exe of existing Release builds (their bin folders, e.g.
#                  build/test/win64/bin build/test/win32/bin) instead of building here
#                  (build/package)
#   --out DIR      write the files there instead of dist/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

win64_bin=
win32_bin=
out="$root/dist"
while [ $# -gt 0 ]; do
    case "$1" in
        --from-builds) win64_bin=${2:?}; win32_bin=${3:?}; shift 3 ;;
        --out) out=${2:?}; shift 2 ;;
        *) sed -n '11,17p' "$0" >&2; exit 2 ;;
    esac
done

bash "$root/scripts/setup.sh"
version=$(bash "$root/scripts/project-version.sh")
log() { echo "package.sh: $*" >&2; }
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null) || {
        SOURCE_DATE_EPOCH=$(date +%s)
        log "no git commit and no SOURCE_DATE_EPOCH: the files are dated now and differ from build to build"
    }
fi
# Zip dates start in 1980.
stamp=$((SOURCE_DATE_EPOCH > 315532800 ? SOURCE_DATE_EPOCH : 315532800))

# build DIR TOOLCHAIN: a Release cross build of Quorrin.exe alone.
build() {
    if ! { cmake -S "$root" -B "$1" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2" \
        -DCMAKE_BUILD_TYPE=Release -DQUORRIN_TESTS=OFF &&
        cmake --build "$1" -j2 --target Quorrin; } >"$1.log" 2>&1; then
        tail -n 40 "$1.log" >&2
        log "build failed, see $1.log"
        exit 1
    fi
}
if [ -z "$win64_bin" ]; then
    mkdir -p "$root/build/package"
    log "building Quorrin $version for x86_64 and i686"
    build "$root/build/package/win64" toolchain-mingw-x86_64.cmake
    build "$root/build/package/win32" toolchain-mingw-i686.cmake
    win64_bin="$root/build/package/win64/bin"
    win32_bin="$root/build/package/win32/bin"
fi
for exe in "$win64_bin/Quorrin.exe" "$win32_bin/Quorrin.exe"; do
    [ -f "$exe" ] || { log "no $exe"; exit 1; }
done
win64_bin=$(cd "$win64_bin" && pwd)
win32_bin=$(cd "$win32_bin" && pwd)

mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# 使用说明.txt as Notepad on any Windows reads it: UTF-8 with a byte order mark, CRLF lines.
readme="$stage/使用说明.txt"
{
    printf '\xEF\xBB\xBF'
    sed -e "s/@VERSION@/$version/g" -e 's/\r*$/\r/' "$root/packaging/使用说明.txt"
} >"$readme"

# zip_program ZIP EXE: the portable zip, files at its top level in a fixed order, the names
# flagged as UTF-8 (so Explorer shows 使用说明.txt), every entry dated $stamp with the same
# attributes and made on "Unix", whatever the files' own dates and modes.
zip_program() {
    python3 - "$1" "$stamp" "$2" "$readme" <<'PY'
import sys, time, zipfile
zip_path, stamp, exe, readme = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
date = time.gmtime(stamp)[:6]
with zipfile.ZipFile(zip_path, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
    for source, name in ((exe, "Quorrin.exe"), (readme, "使用说明.txt")):
        entry = zipfile.ZipInfo(name, date)
        entry.compress_type = zipfile.ZIP_DEFLATED
        entry.create_system = 3
        entry.external_attr = 0o644 << 16
        with open(source, "rb") as data:
            archive.writestr(entry, data.read())
PY
}

x64_zip="Quorrin-$version-x64.zip"
x86_zip="Quorrin-$version-x86.zip"
setup="Quorrin-$version-x64-setup.exe"
rm -f "$out/$x64_zip" "$out/$x86_zip" "$out/$setup" "$out/SHA256SUMS"
zip_program "$out/$x64_zip" "$win64_bin/Quorrin.exe"
zip_program "$out/$x86_zip" "$win32_bin/Quorrin.exe"

# makensis reads the script as UTF-8 and takes paths relative to the script's folder. Its File
# records each packed file's modification time (the program's, and the pictures' that the
# pages unpack), so these are set to $stamp like the zips' dates.
mkdir -p "$stage/setup" "$stage/pictures"
cp "$win64_bin/Quorrin.exe" "$stage/setup/Quorrin.exe"
bash "$root/packaging/installer-pictures.sh" "$stage/pictures"
touch -d "@$stamp" "$stage/setup/Quorrin.exe" "$stage/pictures"/*
if ! makensis -V2 -WX -INPUTCHARSET UTF8 -DVERSION="$version" -DEXE="$stage/setup/Quorrin.exe" \
    -DPICTURES="$stage/pictures" -DOUTFILE="$out/$setup" "$root/packaging/quorrin.nsi" \
    >"$stage/makensis.log" 2>&1; then
    cat "$stage/makensis.log" >&2
    log "makensis failed"
    exit 1
fi

(cd "$out" && sha256sum "$x64_zip" "$x86_zip" "$setup" >SHA256SUMS)
log "wrote to $out:"
(cd "$out" && ls -l "$x64_zip" "$x86_zip" "$setup" SHA256SUMS >&2)
