#!/bin/sh
# Builds Melodex for Windows and starts it under Wine. With no X display it runs on a
# virtual one (Xvfb), says so, and saves a screenshot of the main window.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" windows
build="$root/build/windows"
exe="$build/src/app/melodex.exe"
echo "Built $exe"

headless=false
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then headless=true; fi
if $headless; then
  unset DISPLAY
else
  export MELODEX_DISPLAY="$DISPLAY"
fi
"$root/cmake/wine-session.sh" start "$build"
trap '"$root/cmake/wine-session.sh" stop "$build"' EXIT INT TERM
. "$build/wine-session.env"

"$root/cmake/wine-run.sh" "$exe" &
melodex=$!
if $headless; then
  shot="$build/melodex-main-window.png"
  echo "No X display: Melodex runs on a virtual display ($DISPLAY, Xvfb)."
  if "$root/cmake/wine-run.sh" "$build/tests/melodex_snap.exe" "Brixel's Melodex" \
    "$(echo "Z:$shot" | tr / '\\')" 60; then
    echo "Screenshot of the main window: $shot"
  else
    echo "Could not take a screenshot of the main window." >&2
  fi
  echo "Melodex keeps running there until you press Ctrl+C."
fi
wait $melodex
