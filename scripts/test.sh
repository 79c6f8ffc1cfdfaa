#!/bin/sh
# Sets up what is missing, builds every way with warnings as errors (natively, for Windows
# with GCC and with Clang) and runs every test: natively, then the GCC build's under Wine.
# The Clang build is there to keep the code compiling with a second compiler; its programs
# are built, not run.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
MELODEX_WERROR=ON "$root/scripts/build.sh"
status=0
echo "== Native tests"
ctest --test-dir "$root/build/native" --output-on-failure -j2 || status=1
"$root/scripts/fuzz.sh" || status=1
echo "== The release package, built twice from scratch and compared"
"$root/scripts/package.sh" --check || status=1
echo "== Windows tests under Wine"
ctest --test-dir "$root/build/windows" --output-on-failure || status=1
[ -f "$root/build/windows/e2e-time.txt" ] && cat "$root/build/windows/e2e-time.txt"
exit $status
