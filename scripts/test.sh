#!/bin/sh
# Sets up what is missing, builds both ways and runs every test: natively, then under Wine.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
status=0
echo "== Native tests"
ctest --test-dir "$root/build/native" --output-on-failure -j2 || status=1
"$root/scripts/fuzz.sh" || status=1
echo "== Windows tests under Wine"
ctest --test-dir "$root/build/windows" --output-on-failure || status=1
[ -f "$root/build/windows/e2e-time.txt" ] && cat "$root/build/windows/e2e-time.txt"
exit $status
