#!/bin/sh
# Builds Melodex from this tree: natively (the portable code and its tests, with sanitizers)
# in build/native, for Windows with GCC (melodex.exe and its tests) in build/windows, and for
# Windows with Clang (the same programs, to keep the code building with both) in
# build/windows-clang.
#
#   scripts/build.sh [all|native|windows|windows-clang]
#
# MELODEX_WERROR=ON makes every compiler warning an error (scripts/test.sh sets it); a build
# folder keeps the setting it was last given.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
which=${1:-all}
werror=${MELODEX_WERROR:+-DMELODEX_WERROR=$MELODEX_WERROR}
case "$which" in
all | native | windows | windows-clang) ;;
*)
  echo "usage: $0 [all|native|windows|windows-clang]" >&2
  exit 2
  ;;
esac
if [ "$which" = all ] || [ "$which" = native ]; then
  "$root/scripts/configure.sh" -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug $werror
  cmake --build build/native
fi
if [ "$which" = all ] || [ "$which" = windows ]; then
  "$root/scripts/configure.sh" -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake $werror
  cmake --build build/windows
fi
if [ "$which" = all ] || [ "$which" = windows-clang ]; then
  "$root/scripts/configure.sh" -S . -B build/windows-clang -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/clang-mingw-w64-x86_64.cmake $werror
  cmake --build build/windows-clang
fi
