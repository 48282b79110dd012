#!/bin/bash
# Builds the 64-bit program with its tests and the 32-bit program into build/.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${VINDREL_BUILD:-$ROOT/build}
JOBS=$(nproc)
cmake -S "$ROOT" -B "$BUILD/x86_64" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$BUILD/x86_64" -j"$JOBS"
if [ "${VINDREL_SKIP_I686:-0}" != 1 ]; then
  # CMake keeps the compilers a folder was first configured with: a 32-bit folder made with the
  # posix-thread compilers, which the 32-bit build no longer uses, starts afresh.
  if grep -qs -- '-posix' "$BUILD/i686/CMakeCache.txt"; then rm -rf "$BUILD/i686/CMakeCache.txt" "$BUILD/i686/CMakeFiles"; fi
  cmake -S "$ROOT" -B "$BUILD/i686" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" -DVINDREL_TESTS=OFF >/dev/null
  cmake --build "$BUILD/i686" -j"$JOBS"
  # The unit suites that touch the platform also run as a 32-bit program (tests/scripts/platform32.sh),
  # where this machine runs 32-bit programs; only then is their 32-bit build made.
  if [ -z "$(. "$ROOT/tools/wine-env.sh" && wine_env_no_32bit)" ]; then
    cmake -S "$ROOT" -B "$BUILD/i686-tests" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" -DVINDREL_POSIX_THREADS=ON >/dev/null
    cmake --build "$BUILD/i686-tests" -j"$JOBS" --target vindrel_tests
  fi
fi
# The CD check for this machine, which the producer runs on Linux and the tests use.
env -u CC CXX=g++ cmake -S "$ROOT/tools/cdcheck" -B "$BUILD/cdcheck" >/dev/null
cmake --build "$BUILD/cdcheck" -j"$JOBS"
