#!/bin/sh
# Times the end-to-end part of the test run: "start" notes the time, "stop" prints how long
# it took and keeps the figure in e2e-time.txt in the build folder.
#   clock.sh start|stop BUILD_DIR
set -eu
stamp="$2/e2e-clock"
case "$1" in
start) date +%s >"$stamp" ;;
stop)
  if [ -f "$stamp" ]; then
    seconds=$(($(date +%s) - $(cat "$stamp")))
    echo "End-to-end tests took $seconds s" | tee "$2/e2e-time.txt"
    rm -f "$stamp"
  fi
  ;;
esac
