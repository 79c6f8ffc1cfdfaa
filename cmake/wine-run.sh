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
exec /usr/lib/wine/wine64 "$@"
