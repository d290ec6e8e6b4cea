#!/usr/bin/env bash
# Prints Quorrin's version, read from the one place it is written: project(Quorrin VERSION x.y.z)
# in CMakeLists.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^project(Quorrin VERSION \([0-9][0-9.]*\)[ )].*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "project-version.sh: no project(Quorrin VERSION ...) in CMakeLists.txt" >&2; exit 1; }
echo "$version"
