#!/bin/sh
# Start-up benchmark under Wine: the time from starting a program to its main window being
# shown. Builds the Release melodex.exe twice, optimised for size (-Os, what is shipped) and
# for speed (-O2), each in a build folder of its own, and times both against the floor, a
# bare Win32 program with the same manifest that makes the same controls and menu directly,
# and against a bare window with one button; all in turn, round after round, in one run.
# Prints each program's min, median and max, and the median of its per-round ratios to the
# floor and to the -Os build.
#
#   bench/startup.sh [RUNS]      (RUNS defaults to 21)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-21}

for opt in Os O2; do
  build=$root/build/startup-$opt
  "$root/scripts/configure.sh" -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DMELODEX_TESTS=OFF \
    -DMELODEX_RELEASE_OPTIMIZATION=-$opt
  cmake --build "$build" --target melodex startup_bench bare_window >/dev/null
  echo "melodex.exe -$opt: $(wc -c <"$build/src/app/melodex.exe") bytes"
done

# The -Os build folder holds the Wine prefix the programs run in.
build=$root/build/startup-Os
if [ ! -f "$build/wine-session.env" ]; then
  "$root/cmake/wine-session.sh" start "$build"
  trap '"$root/cmake/wine-session.sh" stop "$build"' EXIT
  trap 'exit 130' INT TERM
fi
export MELODEX_BUILD_DIR="$build"
to_windows() { echo "Z:$1" | tr / '\\'; }
"$root/cmake/wine-run.sh" "$build/bench/startup_bench.exe" "$runs" \
  "floor: bare Win32, same controls and menu" "$(to_windows "$build/bench/bare_window.exe")" \
  --like-melodex \
  "melodex.exe -Os" "$(to_windows "$build/src/app/melodex.exe")" "" \
  "melodex.exe -O2" "$(to_windows "$root/build/startup-O2/src/app/melodex.exe")" "" \
  "bare Win32, one button" "$(to_windows "$build/bench/bare_window.exe")" ""
