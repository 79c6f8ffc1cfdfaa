#!/bin/sh
# Times the end-to-end part of the test run: "start" notes the time, "stop" prints how long
# it took and keeps the figure in e2e-time.txt in the build folder, followed by how often
# the driver raised a window that Wine had left behind, per scenario (e2e-repairs.txt,
# which the scenarios write).
#   clock.sh start|stop BUILD_DIR
set -eu
stamp="$2/e2e-clock"
repairs="$2/e2e-repairs.txt"
case "$1" in
start)
  date +%s >"$stamp"
  rm -f "$repairs"
  ;;
stop)
  if [ -f "$stamp" ]; then
    seconds=$(($(date +%s) - $(cat "$stamp")))
    {
      echo "End-to-end tests took $seconds s"
      if [ -f "$repairs" ]; then
        awk '{ total += $1 } END { printf "Windows the driver raised that Wine had left behind: %d in %d scenarios\n", total, NR }' "$repairs"
        awk '{ printf "  %3d  %s\n", $1, $2 }' "$repairs"
      fi
    } | tee "$2/e2e-time.txt"
    rm -f "$stamp"
  fi
  ;;
esac
