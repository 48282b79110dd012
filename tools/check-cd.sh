#!/bin/bash
# Builds the CD check for this machine when needed and runs it on a CD folder:
#   tools/check-cd.sh [--werror] [--root DIR] <CD folder or Spil.INI>
# Exit status: 0 no errors, 1 errors found, 2 the check could not run.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${VINDREL_BUILD:-$ROOT/build}/cdcheck
if [ ! -x "$BUILD/cdcheck" ] || [ -n "$(find "$ROOT/tools/cdcheck" -newer "$BUILD/cdcheck" -type f)" ]; then
  env -u CC CXX=g++ cmake -S "$ROOT/tools/cdcheck" -B "$BUILD" >/dev/null
  cmake --build "$BUILD" >/dev/null
fi
exec "$BUILD/cdcheck" "$@"
