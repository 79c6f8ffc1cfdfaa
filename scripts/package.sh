#!/bin/sh
# Makes the release package, dist/melodex-<version>-win64.zip: the Release melodex.exe
# (GCC, optimised for size, stripped) and the user's ReadMe.txt, in a folder of their own.
# The version is the project's (CMakeLists.txt). Sets up what is missing first.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
build=$root/build/package
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DMELODEX_TESTS=OFF -DMELODEX_BENCHMARKS=OFF >/dev/null
cmake --build "$build"
# CPack installs into a folder of its own under the build folder and zips that.
rm -f "$build"/melodex-*-win64.zip
(cd "$build" && cpack -G ZIP >/dev/null)
mkdir -p "$root/dist"
for zip in "$build"/melodex-*-win64.zip; do
  cp "$zip" "$root/dist/"
  echo "Made dist/$(basename "$zip") ($(wc -c <"$zip") bytes)"
done
