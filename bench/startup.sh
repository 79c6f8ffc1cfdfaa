#!/bin/sh
# Builds melodex.exe and the start-up benchmark where needed and runs it under Wine: the
# time from starting a program to its main window being shown, for Melodex and for a bare
# Win32 window program, alternately in the same run.
#
#   bench/startup.sh [BUILD_DIR] [RUNS]      (BUILD_DIR defaults to build/windows)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/windows}
runs=${2:-15}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
fi
build=$(cd "$build" && pwd)
cmake --build "$build" --target melodex startup_bench bare_window -j2 >/dev/null
if [ ! -f "$build/wine-session.env" ]; then
  "$root/cmake/wine-session.sh" start "$build"
  trap '"$root/cmake/wine-session.sh" stop "$build"' EXIT
  trap 'exit 130' INT TERM
fi
export MELODEX_BUILD_DIR="$build"
to_windows() { echo "Z:$1" | tr / '\\'; }
"$root/cmake/wine-run.sh" "$build/bench/startup_bench.exe" \
  "$(to_windows "$build/src/app/melodex.exe")" "$(to_windows "$build/bench/bare_window.exe")" "$runs"
