#!/bin/sh
# Configures a build folder: the arguments are CMake's, with -B BUILD_DIR among them. CMake
# keeps the compiler and the linker flags a folder was first configured with, whatever its
# toolchain file says later; a folder whose toolchain file has changed since is made anew.
#
#   scripts/configure.sh -S SOURCE -B BUILD_DIR [-DCMAKE_TOOLCHAIN_FILE=FILE] [CMAKE_ARGS...]
set -eu
build="" toolchain=""
previous=""
for arg in "$@"; do
  [ "$previous" = -B ] && build=$arg
  case "$arg" in -DCMAKE_TOOLCHAIN_FILE=*) toolchain=${arg#-DCMAKE_TOOLCHAIN_FILE=} ;; esac
  previous=$arg
done
[ -n "$build" ] || { echo "usage: $0 -S SOURCE -B BUILD_DIR [CMAKE_ARGS...]" >&2; exit 2; }
stamp=none
[ -n "$toolchain" ] && stamp=$(cksum <"$toolchain")
if [ -f "$build/CMakeCache.txt" ] && [ "$(cat "$build/toolchain.stamp" 2>/dev/null || echo none)" != "$stamp" ]; then
  echo "$build: made anew, as its toolchain has changed" >&2
  rm -rf "$build"
fi
cmake "$@" >/dev/null
echo "$stamp" >"$build/toolchain.stamp"
