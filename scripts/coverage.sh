#!/bin/sh
# Coverage run: builds the native tests and the Windows programs with GCC's coverage counting,
# in build folders of their own (build/coverage-native, build/coverage-windows, Debug), runs
# the native tests, then every Windows test program and the end-to-end walk under Wine, and
# reports with gcovr the lines and branches of src/ that ran, per file, and every line of
# src/platform/win32 and src/ui/win32 that no test ran. Not part of scripts/test.sh: run it on
# request.
#
#   scripts/coverage.sh            build, run everything, report
#   scripts/coverage.sh --report   report again on the counts of the last run
#
# The report lands in build/coverage/: report.txt (the table and the lines no test ran),
# native.json and windows.json (gcovr's data of each build) and html/index.html. The lines no
# test can run under Wine are listed, each with why, in scripts/coverage-not-run.txt; the
# report shows apart the lines not run and not listed there, and the entries that no longer
# match a line no test ran. The engine of the report is scripts/coverage.py.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
report_only=false
case "${1:-}" in
"") ;;
--report) report_only=true ;;
*)
  echo "usage: $0 [--report]" >&2
  exit 2
  ;;
esac

"$root/scripts/setup.sh"
if ! command -v gcovr >/dev/null 2>&1; then
  echo "Installing: gcovr"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq gcovr >/dev/null
fi

native=build/coverage-native
windows=build/coverage-windows
status=0
if ! $report_only; then
  started=$(date +%s)
  echo "== Coverage builds: $native, $windows"
  # Without the sanitizers: they add nothing to the counts and double the native tests' time.
  "$root/scripts/configure.sh" -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DMELODEX_COVERAGE=ON -DMELODEX_SANITIZE=OFF
  cmake --build "$native"
  "$root/scripts/configure.sh" -S . -B "$windows" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DMELODEX_COVERAGE=ON \
    -DMELODEX_BENCHMARKS=OFF
  cmake --build "$windows"
  # Counts add up from run to run: each run starts from none.
  find "$native" "$windows" -name '*.gcda' -delete

  echo "== Native tests"
  ctest --test-dir "$native" -j2 --output-on-failure >"$native/ctest.log" 2>&1 || status=1
  tail -n 3 "$native/ctest.log"

  echo "== Windows tests and the end-to-end walk under Wine"
  # Each object's counts go to the path of its .gcda file in this build folder, a Unix path
  # baked in at compile time; a Windows program takes "/work/..." on its current drive, which
  # is not always Z:, where Wine shows the Unix root. GCOV_PREFIX puts the drive in front.
  GCOV_PREFIX=Z: ctest --test-dir "$windows" --output-on-failure >"$windows/ctest.log" 2>&1 ||
    status=1
  tail -n 3 "$windows/ctest.log"
  [ "$status" -eq 0 ] || echo "coverage: some tests failed (see $native/ctest.log," \
    "$windows/ctest.log); the report counts what ran" >&2
  z=$(readlink "$windows/wineprefix/dosdevices/z:" 2>/dev/null || true)
  if [ "$z" != / ]; then
    echo "coverage: the test prefix's drive Z: is not the Unix root ('$z'):" \
      "the Windows programs' counts cannot land" >&2
    status=1
  fi
  echo "coverage: built and ran in $(($(date +%s) - started)) s"
fi

echo "== Report"
python3 "$root/scripts/coverage.py" --root "$root" --native "$native" --windows "$windows" \
  --out build/coverage || status=1
exit $status
