#!/bin/sh
# Runs one fault scenario of the end-to-end driver on a real file system prepared here, on the
# Linux side: a tiny tmpfs that fills up, a file system that turns read-only, a drive that
# goes away, a folder of names that Windows forbids. The mounts are mapped to a drive letter of the Wine prefix (through Wine's mount
# manager, which makes the link in the prefix's dosdevices folder and lists the drive) and
# are always taken down again. Where the machine refuses to mount, the scenario is
# skipped (exit code 77), never passed.
#
#   faults.sh CASE BUILD_DIR DRIVER_EXE MAP_DRIVE_EXE
#
# While the driver runs, it can ask for a change at a chosen moment by leaving a file
# ACTION.request in the control folder (MELODEX_E2E_FAULT_CONTROL); the answer is ACTION.done,
# holding "ok" or "refused: why".
set -u
case=$1
build=$(cd "$2" && pwd)
driver=$3
map_drive=$4
here=$(cd "$(dirname "$0")" && pwd)
wine_run="$here/../../cmake/wine-run.sh"
started=$(date +%s)

if [ -f "$build/wine-session.env" ]; then . "$build/wine-session.env"; fi
export WINEPREFIX="${WINEPREFIX:-$build/wineprefix}"
devices="$WINEPREFIX/dosdevices"
work=$(mktemp -d "$build/e2e-fault-$case.XXXXXX")
mounted=""
letter=""

cleanup() {
  if [ -n "$letter" ] && { [ -e "$devices/$letter:" ] || [ -L "$devices/$letter:" ]; }; then
    "$wine_run" "$map_drive" "$letter" >/dev/null 2>&1 || true
    rm -f "$devices/$letter:"
  fi
  for point in $mounted; do
    if mountpoint -q "$point" 2>/dev/null; then umount "$point" 2>/dev/null || umount -l "$point"; fi
  done
  rm -rf "$work"
  echo "fault $case: $(($(date +%s) - started)) s"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

skip() {
  echo "SKIPPED: $*"
  exit 77
}

# A free drive letter for the fault's file system.
for candidate in t u v w x y; do
  if [ ! -e "$devices/$candidate:" ] && [ ! -L "$devices/$candidate:" ]; then
    letter=$candidate
    break
  fi
done
[ -n "$letter" ] || skip "no free drive letter in $devices"

# A tmpfs of the given size at $work/$1, mapped to the drive letter.
mount_drive() {
  mkdir -p "$work/$1"
  mount -t tmpfs -o "size=$2,mode=0777" melodex-e2e "$work/$1" 2>"$work/mount.err" ||
    skip "the machine refuses to mount a tmpfs ($(cat "$work/mount.err")); mounting needs root"
  mounted="$mounted $work/$1"
  "$wine_run" "$map_drive" "$letter" "$work/$1" || skip "Wine's mount manager refuses drive $letter:"
}

case "$case" in
disk-full)
  mount_drive disk 128k
  filter=Faults.TheDiskFillsDuringTheRun
  ;;
read-only)
  mount_drive disk 1m
  filter=Faults.TheOutputFolderTurnsReadOnly
  ;;
removed-output)
  filter=Faults.TheOutputFolderIsRemovedAfterGoWasEnabled
  ;;
drive-gone)
  mount_drive music 1m
  filter=Faults.TheMusicFolderIsOnADriveThatGoesAway
  ;;
foreign-names)
  # Names a Linux disk or share may hold and Windows forbids, on a drive of their own.
  mkdir -p "$work/names"
  for name in 'x" onmouseover="alert(1)" y=".mp3' 'a<b>.mp3' '<script>x.mp3' 'q?x.mp3' \
    "$(printf 'new\nline.mp3')" "$(printf 'tab\tx.mp3')" 'star*pipe|colon:.mp3' \
    'back\slash.mp3' "$(printf 'cc\302\200.mp3')"; do
    : >"$work/names/$name"
  done
  "$wine_run" "$map_drive" "$letter" "$work/names" || skip "Wine's mount manager refuses drive $letter:"
  filter=Faults.NamesWindowsForbidsCannotBreakThePage
  ;;
*)
  echo "usage: $0 disk-full|read-only|removed-output|drive-gone|foreign-names BUILD_DIR DRIVER_EXE MAP_DRIVE_EXE" >&2
  exit 2
  ;;
esac

control="$work/control"
mkdir "$control"
export MELODEX_E2E_FAULT_DRIVE="$(echo "$letter" | tr a-z A-Z):"
export MELODEX_E2E_FAULT_CONTROL="$control"

# What the driver may ask for.
serve() {
  action=$1
  case "$action" in
  remount-ro)
    if mount -o remount,ro "$work/disk" 2>"$work/remount.err"; then echo ok; else echo "refused: $(cat "$work/remount.err")"; fi
    ;;
  drive-away)
    # Taken away under the program's feet; the drive letter stays, leading nowhere, as a
    # drive whose medium or network share has gone.
    if umount "$work/music" 2>/dev/null || umount -l "$work/music"; then
      rmdir "$work/music" && echo ok
    else
      echo "refused: cannot unmount"
    fi
    ;;
  *) echo "refused: unknown request $action" ;;
  esac
}

"$wine_run" "$driver" --gtest_filter="$filter" &
pid=$!
while kill -0 "$pid" 2>/dev/null; do
  for request in "$control"/*.request; do
    [ -e "$request" ] || continue
    action=$(basename "$request" .request)
    serve "$action" >"$control/$action.part"
    mv "$control/$action.part" "$control/$action.done"
    rm -f "$request"
  done
  sleep 0.1
done
wait "$pid"
status=$?
# A scenario that GoogleTest skipped counts as skipped here too.
exit $status
