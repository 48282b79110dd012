#!/bin/bash
# Builds the 64-bit program with its tests and the 32-bit program into build/.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${VINDREL_BUILD:-$ROOT/build}
JOBS=$(nproc)
cmake -S "$ROOT" -B "$BUILD/x86_64" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$BUILD/x86_64" -j"$JOBS"
if [ "${VINDREL_SKIP_I686:-0}" != 1 ]; then
  cmake -S "$ROOT" -B "$BUILD/i686" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" -DVINDREL_TESTS=OFF >/dev/null
  cmake --build "$BUILD/i686" -j"$JOBS"
fi
