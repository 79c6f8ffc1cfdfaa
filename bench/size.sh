#!/bin/sh
# What the shipped melodex.exe is made of: builds it as scripts/package.sh does (in
# build/package) and sums its linker map's code, read-only data, unwind tables and data by
# the library each piece comes from, then by object file. Debug sections and what the linker
# dropped are not counted; the exe's headers, alignment and resources make up the rest.
#
#   bench/size.sh [TOP]          (TOP: how many objects to list, default 40)
#   bench/size.sh --map MAP [TOP] (sums a map already made, such as another build's)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
map=""
if [ "${1:-}" = --map ]; then
  map=$2
  shift 2
fi
top=${1:-40}
if [ -z "$map" ]; then
  build=$root/build/package
  "$root/scripts/configure.sh" -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DMELODEX_TESTS=OFF -DMELODEX_BENCHMARKS=OFF
  cmake --build "$build" --target melodex >/dev/null
  map=$build/src/app/melodex.map
  echo "melodex.exe: $(wc -c <"$build/src/app/melodex.exe") bytes"
fi

# One line per input section that takes room: "<bytes> <library> <object>". A section whose
# name is too long for its column has its address, size and file on the next line.
sections=$(awk '
  function hex(text, i, n) {
    n = 0
    for (i = 3; i <= length(text); i++) n = n * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
    return n
  }
  /^Linker script and memory map/ { on = 1; next }
  !on { next }
  /^[^ ]/ { out = $1 }
  out == "/DISCARD/" || out ~ /^\.debug/ { next }
  /^ \.[^ ]+$/ { pending = 1; next }
  {
    if (pending && $1 ~ /^0x/ && $2 ~ /^0x/) { addr = $1; size = $2; $1 = ""; $2 = "" }
    else if ($0 ~ /^ [^ ]+ +0x[0-9a-f]+ +0x[0-9a-f]+ +[^ ]/) { addr = $2; size = $3; $1 = ""; $2 = ""; $3 = "" }
    else { pending = 0; next }
    pending = 0
    file = $0; sub(/^ +/, "", file)
    bytes = hex(size)
    if (hex(addr) == 0 || bytes == 0) next
    if (match(file, /lib[^\/]+\.a\(.*\)$/)) {
      member = substr(file, RSTART + 3, RLENGTH - 4)
      lib = substr(member, 1, index(member, ".a(") - 1)
      obj = substr(member, index(member, ".a(") + 3)
    } else {
      n = split(file, p, "/"); obj = p[n]; lib = (file ~ /^\//) ? "(startup)" : "(melodex)"
    }
    print bytes, lib, obj
  }' "$map")

echo "== By library (bytes)"
echo "$sections" | awk '{ s[$2] += $1 } END { for (l in s) printf "%8d %s\n", s[l], l }' | sort -k1,1nr
echo "$sections" | awk '{ t += $1 } END { printf "%8d in all\n", t }'
echo "== Largest objects (bytes)"
echo "$sections" | awk '{ s[$2 ": " $3] += $1 } END { for (o in s) printf "%8d %s\n", s[o], o }' |
  sort -k1,1nr | head -n "$top"
