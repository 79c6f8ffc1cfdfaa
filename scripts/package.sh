#!/bin/sh
# Makes the release package, dist/melodex-<version>-win64.zip: the Release melodex.exe (GCC,
# optimised for size, stripped) and the user's ReadMe.txt, in a folder of their own; and
# beside it the zip's SHA-256 sum, dist/melodex-<version>-win64.zip.sha256, which
# `sha256sum -c` checks. The version is the project's (CMakeLists.txt). Sets up what is
# missing first.
#
# The package is reproducible: built from scratch, from the same source, with the same
# compiler and tools (Debian 12's), it comes out byte for byte the same, from whatever folder
# and at whatever time. The exe carries no time stamp and no path of the build; the zip's
# entries are dated with the source's last commit and carry no owner.
#
#   scripts/package.sh           builds in build/package
#   scripts/package.sh --check   then builds it once more from a copy of the source in
#                                build/package-again, and fails unless both builds gave the
#                                same exe and the same zip
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
check=false
case "${1:-}" in
"") ;;
--check) check=true ;;
*)
  echo "usage: $0 [--check]" >&2
  exit 2
  ;;
esac
"$root/scripts/setup.sh"

# The entries' date: SOURCE_DATE_EPOCH's, or else the last commit's, or else 1 January 1980.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 315532800)
fi
export SOURCE_DATE_EPOCH

# Builds the package from scratch, from the source in SOURCE_DIR, in BUILD_DIR, and zips it
# there as $name.zip.
package() {
  source=$1 build=$2
  rm -rf "$build"
  "$root/scripts/configure.sh" -S "$source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-w64-x86_64.cmake" \
    -DMELODEX_TESTS=OFF -DMELODEX_BENCHMARKS=OFF
  cmake --build "$build" >/dev/null
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
  name=melodex-$version-win64
  cmake --install "$build" --prefix "$build/stage/$name" >/dev/null
  # Info-ZIP without its extra fields (owner, exact times), in name order, dated in UTC.
  (
    cd "$build/stage"
    find "$name" -type f -exec touch -d "@$SOURCE_DATE_EPOCH" {} +
    find "$name" -type f | LC_ALL=C sort | TZ=UTC zip -q -X -D -9 "$build/$name.zip" -@
  )
}

package "$root" "$root/build/package"
mkdir -p "$root/dist"
cp "$root/build/package/$name.zip" "$root/dist/"
(cd "$root/dist" && sha256sum "$name.zip" >"$name.zip.sha256")
echo "Made dist/$name.zip ($(wc -c <"$root/dist/$name.zip") bytes; melodex.exe" \
  "$(wc -c <"$root/build/package/src/app/melodex.exe") bytes) and its sum:"
cat "$root/dist/$name.zip.sha256"

if $check; then
  # The source copied elsewhere, without the builds, and built there later on.
  again=$root/build/package-again
  rm -rf "$again"
  mkdir -p "$again/source"
  (cd "$root" && tar --exclude=./build --exclude=./dist --exclude=./.git -cf - .) |
    (cd "$again/source" && tar -xf -)
  package "$again/source" "$again/build"
  status=0
  for file in src/app/melodex.exe "$name.zip"; do
    if cmp -s "$root/build/package/$file" "$again/build/$file"; then
      echo "Reproducible: $file is the same from both builds."
    else
      echo "NOT REPRODUCIBLE: $file differs between build/package and $again/build." >&2
      status=1
    fi
  done
  exit $status
fi
