#!/bin/sh
# Runs a Windows program under Wine in the build folder's own prefix. The CTest fixture
# (wine-session.sh) starts the X display and a persistent wineserver before the tests
# and says where they are in wine-session.env.
set -e
build=${MELODEX_BUILD_DIR:-$(pwd)}
while [ ! -f "$build/CMakeCache.txt" ] && [ "$build" != / ]; do build=$(dirname "$build"); done
session=${MELODEX_WINE_SESSION:-wine-session}
if [ -f "$build/$session.env" ]; then . "$build/$session.env"; fi
export WINEPREFIX="${WINEPREFIX:-$build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# Now and then a Wine process dies the moment it starts, before the program runs at all;
# such a start is tried once more. A program that fails on its own fails both times.
started=$(date +%s%N)
status=0
/usr/lib/wine/wine64 "$@" || status=$?
if [ "$status" -ne 0 ] && [ $(($(date +%s%N) - started)) -lt 300000000 ]; then
  echo "wine-run: the program ended at once (status $status); starting it again" >&2
  status=0
  /usr/lib/wine/wine64 "$@" || status=$?
fi
exit "$status"
