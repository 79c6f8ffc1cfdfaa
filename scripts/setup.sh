#!/bin/sh
# Installs what building and testing Melodex needs on Debian 12, where it is missing.
set -eu
packages="cmake ninja-build g++ googletest libgtest-dev g++-mingw-w64-x86-64-win32
  binutils-mingw-w64-x86-64 wine64 fonts-wine xvfb xauth x11-utils clang-format clang lld
  clang-14 libclang-rt-14-dev zip python3"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing >/dev/null
fi
