#!/bin/sh
# Builds the fuzz targets natively with Clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build/fuzz and runs each of them.
#
#   scripts/fuzz.sh            the test run: each target tries a fixed number of inputs made
#                              from a fixed seed, starting from its checked-in corpus
#                              (fuzz/corpus/<target>) alone, so that every run on a machine
#                              tries the same inputs and a failure comes back on the next run
#   scripts/fuzz.sh SECONDS    a hunt: each target for SECONDS, from the checked-in corpus and
#                              what earlier hunts added to build/fuzz/corpus/<target>
#
# A failing input is kept in build/fuzz as crash-* (or leak-*, timeout-*) and fails the script.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-}
build=$root/build/fuzz
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++-14 -DMELODEX_FUZZ=ON -DMELODEX_TESTS=OFF >/dev/null
cmake --build "$build" --target fuzz_track_name fuzz_page fuzz_registry_value >"$build/build.log" 2>&1 ||
  { tail -n 40 "$build/build.log"; exit 1; }

# The inputs a target tries in the test run: about 20 s each on a busy two-core machine.
runs_of() {
  case "$1" in
  track_name) echo 800000 ;;
  page) echo 60000 ;;
  registry_value) echo 700000 ;;
  esac
}

# libFuzzer files the comparisons it sees by the address of the code that made them, so the
# inputs it makes from one seed follow the program's addresses: the test run starts the
# targets without address randomisation.
same_addresses=""
if [ -z "$seconds" ]; then
  if setarch "$(uname -m)" -R true 2>/dev/null; then
    same_addresses="setarch $(uname -m) -R"
  else
    echo "fuzz: this machine cannot start a program without address randomisation;" \
      "the inputs tried will differ from run to run"
  fi
  echo "== Fuzzers, a fixed number of inputs each from seed 1"
else
  echo "== Fuzzers, $seconds s each"
fi
status=0
for target in track_name page registry_value; do
  checked_in=$root/fuzz/corpus/$target
  log=$build/$target.log
  if [ -z "$seconds" ]; then
    # A fresh copy of the checked-in corpus, which the run adds its finds to.
    corpus=$build/test-corpus/$target
    rm -rf "$corpus"
    mkdir -p "$corpus"
    cp "$checked_in"/* "$corpus"/
    set -- -seed=1 -runs="$(runs_of "$target")" -reload=0 "$corpus"
  else
    corpus=$build/corpus/$target
    mkdir -p "$corpus"
    set -- -max_total_time="$seconds" "$corpus" "$checked_in"
  fi
  started=$(date +%s)
  if (cd "$build" && $same_addresses "./fuzz/fuzz_$target" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "$@") >"$log" 2>&1; then
    result=passed
  else
    result=FAILED
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  # What the run reached: code covered, features seen and the corpus it grew to.
  reached=$(grep -o 'DONE *cov: [0-9]* ft: [0-9]* corp: [0-9]*/[0-9]*[KM]*b' "$log" | tail -n 1 | sed 's/DONE *//')
  echo "fuzz $target: $result, ${runs:-?} inputs in $(($(date +%s) - started)) s${reached:+ ($reached)}"
  [ "$result" = passed ] || tail -n 40 "$log"
done
exit $status
