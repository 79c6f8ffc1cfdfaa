#!/bin/sh
# Builds Melodex twice from this tree: natively (the portable code and its tests, with
# sanitizers) in build/native, and for Windows (melodex.exe and its tests) in build/windows.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
which=${1:-all}
if [ "$which" = all ] || [ "$which" = native ]; then
  cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build build/native
fi
if [ "$which" = all ] || [ "$which" = windows ]; then
  cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
  cmake --build build/windows
fi
