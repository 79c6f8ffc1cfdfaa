#!/bin/sh
# Builds the fuzz targets natively with Clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build/fuzz and runs each for SECONDS (default 20), starting
# from the seed corpus in fuzz/corpus/<target>. What a run adds to the corpus stays in
# build/fuzz/corpus; a failing input is kept in build/fuzz as crash-* and fails the script.
#
#   scripts/fuzz.sh [SECONDS]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
build=$root/build/fuzz
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++-14 -DMELODEX_FUZZ=ON -DMELODEX_TESTS=OFF >/dev/null
cmake --build "$build" --target fuzz_track_name fuzz_page fuzz_hand_over fuzz_registry_value >"$build/build.log" 2>&1 ||
  { tail -n 40 "$build/build.log"; exit 1; }
echo "== Fuzzers, $seconds s each"
status=0
for target in track_name page hand_over registry_value; do
  corpus=$build/corpus/$target
  mkdir -p "$corpus"
  log=$build/$target.log
  started=$(date +%s)
  if (cd "$build" && "./fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 "$corpus" "$root/fuzz/corpus/$target") >"$log" 2>&1; then
    result=passed
  else
    result=FAILED
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  echo "fuzz $target: $result, ${runs:-?} inputs in $(($(date +%s) - started)) s"
  [ "$result" = passed ] || tail -n 40 "$log"
done
exit $status
