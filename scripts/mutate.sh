#!/bin/sh
# Mutation run: plants one small fault at a time in the sources the tests compile, builds a
# copy of the tree incrementally, runs the tests and prints the score and every fault the
# tests let through. Not part of scripts/test.sh: run it on request.
#
#   scripts/mutate.sh [--seed N --count M | --all] [--list] [--win32] [--file PART]
#
# The engine is the package scripts/mutation (its modules say what each does); the mutants
# judged equivalent are listed in scripts/mutate-equivalent.txt.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
if ! command -v python3 >/dev/null 2>&1; then
  echo "mutate: python3 is missing (apt-get install python3)" >&2
  exit 2
fi
PYTHONPATH="$root/scripts${PYTHONPATH:+:$PYTHONPATH}" exec python3 -B -m mutation "$@"
