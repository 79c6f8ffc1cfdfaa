#!/bin/sh
# Starts or stops what the Windows tests run on: an X display (Xvfb, unless one is given
# in MELODEX_DISPLAY), a Wine prefix inside the build folder with a 1024x768 virtual desktop
# (so that window frames are drawn and screenshots show them) and a persistent wineserver,
# so that each test program starts in well under a second. FONT_HEIGHT, when given, makes the
# system's message font (Tahoma) that many pixels high at 96 dpi instead of Wine's 11.
#
#   wine-session.sh start BUILD_DIR [PREFIX_NAME [DPI [FONT_HEIGHT]]]
#   wine-session.sh stop  BUILD_DIR [PREFIX_NAME]
set -eu
action=$1
build=$(cd "$2" && pwd)
name=${3:-wineprefix}
dpi=${4:-96}
font=${5:-}
env_file="$build/$name.env"
[ "$name" = wineprefix ] && env_file="$build/wine-session.env"
export WINEPREFIX="$build/$name"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64

start_display() {
  if [ -n "${MELODEX_DISPLAY:-}" ]; then
    echo "$MELODEX_DISPLAY"
    return
  fi
  n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$build/$name-xvfb.log" 2>&1 </dev/null &
  echo $! >"$build/$name-xvfb.pid"
  i=0
  while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
  echo ":$n"
}

# The message font as the registry keeps it: a LOGFONTW, Tahoma of that height, normal weight.
message_font() {
  h=$((4294967296 - $1))
  printf '%02x%02x%02x%02x' $((h & 255)) $((h >> 8 & 255)) $((h >> 16 & 255)) $((h >> 24 & 255))
  printf '%s' 000000000000000000000000 90010000 0000000100000000 5400610068006f006d006100
  printf '%0104d' 0
}

case "$action" in
start)
  display=$(start_display)
  export DISPLAY="$display"
  # A prefix from before it was set to say Windows 10, or one left half made, is made anew.
  ready="win10${font:+ message font $font}"
  if [ "$(cat "$WINEPREFIX/.melodex-ready" 2>/dev/null)" != "$ready" ]; then
    rm -rf "$WINEPREFIX"
    "$wine" wineboot -i >/dev/null 2>&1 || true
    # Wine's new prefixes say they are Windows 7; Melodex is made for Windows 10 and 11.
    "$wine" winecfg -v win10 >/dev/null 2>&1
    # Debian's Wine does not find its own fonts (Tahoma, Marlett for the caption buttons,
    # MS Sans Serif) where it looks for them; the prefix's font folder is searched as well.
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    "$wine" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
      /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    if [ -n "$font" ]; then
      "$wine" reg add 'HKCU\Control Panel\Desktop\WindowMetrics' /v MessageFont /t REG_BINARY \
        /d "$(message_font "$font")" /f >/dev/null 2>&1
    fi
    /usr/lib/wine/wineserver -w
    echo "$ready" >"$WINEPREFIX/.melodex-ready"
  fi
  /usr/lib/wine/wineserver -p >/dev/null 2>&1 </dev/null || true  # one may run already
  # Start Wine's own services and the desktop now, detached from any test's output: CTest
  # would otherwise wait for them to close the pipes they inherited from the first test.
  "$wine" wineboot >/dev/null 2>&1 </dev/null || true
  cat >"$env_file" <<ENV
export DISPLAY=$display
export WINEPREFIX=$WINEPREFIX
ENV
  ;;
stop)
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  if [ -f "$build/$name-xvfb.pid" ]; then
    kill "$(cat "$build/$name-xvfb.pid")" 2>/dev/null || true
    rm -f "$build/$name-xvfb.pid"
  fi
  rm -f "$env_file"
  ;;
*)
  echo "usage: $0 start|stop BUILD_DIR [PREFIX_NAME [DPI]]" >&2
  exit 2
  ;;
esac
