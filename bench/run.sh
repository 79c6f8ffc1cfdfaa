#!/bin/sh
# Builds the generation benchmark for Windows where needed and runs it under Wine, in the
# build folder's own Wine prefix, printing its figures: min, median and max of each time,
# and the median of the paired ratios of generation to the floor. Options after the build
# folder go to the benchmark: --files N (repeatable; default 1000 and 100000), --million (a
# folder of 1,000,000 files as well), --reps R, --clean.
#
#   bench/run.sh [BUILD_DIR] [OPTIONS]      (BUILD_DIR defaults to build/windows)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/windows
if [ $# -gt 0 ]; then
  case "$1" in
  -*) ;;
  *) build=$1; shift ;;
  esac
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
fi
build=$(cd "$build" && pwd)
if ! grep -q '^CMAKE_BUILD_TYPE:STRING=Release$' "$build/CMakeCache.txt"; then
  echo "warning: $build is not a Release build; its figures say little" >&2
fi
cmake --build "$build" --target generation_bench -j2 >/dev/null
bench=$build/bench/generation_bench.exe

# Share the X display and wineserver of a test run going on in the same folder; otherwise
# start them for this run and stop them after it.
if [ ! -f "$build/wine-session.env" ]; then
  "$root/cmake/wine-session.sh" start "$build"
  trap '"$root/cmake/wine-session.sh" stop "$build"' EXIT
  trap 'exit 130' INT TERM
fi
export MELODEX_BUILD_DIR="$build"
wine() { "$root/cmake/wine-run.sh" "$@"; }

# Wine makes a new file only after looking for its name, letter case ignored, through the
# whole folder, which for 100,000 files takes it the best part of an hour. So the music
# folders are made here, on the Unix side, from the names the benchmark gives (Wine keeps
# Windows names as UTF-8), unless one is there already.
sizes=""
million=""
previous=""
for arg in "$@"; do
  [ "$previous" = --files ] && sizes="$sizes $arg"
  [ "$arg" = --million ] && million=1000000
  previous=$arg
done
for files in ${sizes:-1000 100000} $million; do
  list=$(mktemp)
  wine "$bench" --names "$files" >"$list"
  folder=$(wine winepath -u "$(head -n 1 "$list")" | tr -d '\r')
  if [ ! -f "$folder/ready" ]; then
    echo "Making $files music files in $folder"
    rm -rf "$folder"
    mkdir -p "$folder/Music" "$folder/Out" "$folder/Floor"
    tail -n +2 "$list" | (cd "$folder/Music" && xargs -d '\n' touch --)
    touch "$folder/ready"
  fi
  rm -f "$list"
done

wine "$bench" "$@"
