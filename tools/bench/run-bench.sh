#!/bin/bash
# Runs the benchmarks under Wine on a private Xvfb screen with the sample CD.
#   tools/bench/run-bench.sh [rounds] [--before <commit>]
# The CD's 32-bit VINDREL.EXE is timed against a 32-bit minimal window and the 64-bit build
# against a 64-bit one, each by the benchmark of its own word size; where Wine cannot start
# 32-bit programs, the 32-bit half says so and is skipped.
# With --before, that commit is built as well (into build/bench-before) and measured in the same
# run, side by side with the working tree: start-up ratio, where start-up goes, exe sizes and read
# times from a 4x CD drive, GDI and USER objects and private bytes, page switches, page painting.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${VINDREL_BUILD:-$ROOT/build}
ROUNDS=5 BEFORE=
while [ $# -gt 0 ]; do
  case $1 in
    --before) BEFORE=$2; shift 2 ;;
    *) ROUNDS=$1; shift ;;
  esac
done
"$ROOT/tools/setup-deps.sh"
VINDREL_SKIP_I686=1 "$ROOT/tools/build.sh" >/dev/null
# The 32-bit exe is the one on the CD. Its start-up is timed by the 32-bit benchmark, where
# 32-bit programs run; its size is weighed everywhere.
build_i686() {
  cmake -S "$1" -B "$2" -DCMAKE_TOOLCHAIN_FILE="$1/cmake/mingw-i686.cmake" -DVINDREL_TESTS=OFF >/dev/null
  cmake --build "$2" --target "${@:3}" -j"$(nproc)" >/dev/null
}
build_i686 "$ROOT" "$BUILD/i686" vindrel StartBench

NAMES=(after) MENUS=("$BUILD/x86_64/VINDREL.exe") MENUS32=("$BUILD/i686/VINDREL.exe")
PAGEBENCH=("$BUILD/x86_64/tools/PageBench.exe")
if [ -n "$BEFORE" ]; then
  OLD="$BUILD/bench-before"
  COMMIT=$(git -C "$ROOT" rev-parse "$BEFORE^{commit}")
  # Whole, unless it is that commit's, built: the archive's files are older than objects left by
  # another commit, which make would keep.
  if [ "$(cat "$OLD/commit" 2>/dev/null)" != "$COMMIT" ]; then
    rm -rf "$OLD"
    mkdir -p "$OLD/src"
    git -C "$ROOT" archive "$COMMIT" | tar -x -C "$OLD/src"
  fi
  cmake -S "$OLD/src" -B "$OLD/x86_64" -DCMAKE_TOOLCHAIN_FILE="$OLD/src/cmake/mingw-x86_64.cmake" \
    -DVINDREL_TESTS=OFF >/dev/null
  cmake --build "$OLD/x86_64" --target vindrel PageBench -j"$(nproc)" >/dev/null
  build_i686 "$OLD/src" "$OLD/i686" vindrel
  echo "$COMMIT" >"$OLD/commit"
  NAMES=(before after) MENUS=("$OLD/x86_64/VINDREL.exe" "${MENUS[@]}")
  MENUS32=("$OLD/i686/VINDREL.exe" "${MENUS32[@]}") PAGEBENCH=("$OLD/x86_64/tools/PageBench.exe" "${PAGEBENCH[@]}")
fi

# The headline comes first, once everything is measured: the other parts are gathered meanwhile.
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT
exec 3>&1 >"$OUT/details"
echo "shipped exe sizes, and the time a 4x CD drive (600 KB/s) takes to read each:"
for i in "${!NAMES[@]}"; do
  for exe in "${MENUS32[$i]}" "${MENUS[$i]}"; do
    size=$(stat -c %s "$exe")
    case $exe in */i686/*) what="32-bit VINDREL.EXE (the CD's)" ;; *) what="64-bit VINDREL.EXE" ;; esac
    awk -v n="${NAMES[$i]}" -v w="$what" -v s="$size" \
      'BEGIN { printf "  %-8s %-30s %9d bytes (%.2f MB)  %.2f s\n", n, w, s, s / 1048576, s / 614400 }'
  done
done
size=$(stat -c %s "$BUILD/x86_64/cd/DirectX7/DXSetup.EXE")
awk -v s="$size" 'BEGIN { printf "  %-8s %-30s %9d bytes (%.2f MB)  %.2f s\n", "", "DXSetup.EXE", s, s / 1048576, s / 614400 }'

. "$ROOT/tools/wine-env.sh"
wine_env_start "$BUILD/bench"
trap 'wine_env_stop; rm -rf "$OUT"' EXIT
# One CD folder for every menu measured: the sample CD, with each menu beside its own name.
CD="$BUILD/bench/cd"
rm -rf "$CD"
mkdir -p "$CD"
for f in "$BUILD/x86_64/cd"/*; do [ "$(basename "$f")" = VINDREL.EXE ] || ln -s "$f" "$CD/"; done
ARGS=() ARGS32=()
for i in "${!NAMES[@]}"; do
  name=$(echo "${NAMES[$i]}" | tr a-z A-Z)
  cp "${MENUS[$i]}" "$CD/$name.EXE"
  cp "${MENUS32[$i]}" "$CD/${name}32.EXE"
  ARGS+=("${NAMES[$i]}=R:\\$name.EXE")
  ARGS32+=("${NAMES[$i]}=R:\\${name}32.EXE")
done
wine_env_map_cd "$CD"
timeout 900 wine "$BUILD/x86_64/tools/PROGSTUB.exe" 'C:\progman.log' 900 </dev/null >/dev/null 2>&1 &
sleep 1
cd "$CD"
# The 32-bit half needs a kernel that starts 32-bit programs and Wine's 32-bit half; the kernel is
# asked first, since without it even trying a 32-bit program under Wine is no answer.
WHY32=
if ! "$ROOT/tools/can-run-32bit.sh"; then
  WHY32="this machine's kernel cannot start 32-bit programs"
elif ! timeout 120 wine "$BUILD/i686/tools/StartBench.exe" --sleep 0 </dev/null >/dev/null 2>&1; then
  WHY32="Wine here does not start 32-bit programs (its 32-bit half, wine32:i386, is missing)"
fi
# The benchmarks are GUI programs; their reports come through the redirected output. Each times
# the menus of its own word size against a minimal window of that word size.
if [ -z "$WHY32" ]; then
  echo "32-bit: the CD's VINDREL.EXE against a 32-bit minimal window"
  timeout 900 wine "$BUILD/i686/tools/StartBench.exe" "$ROUNDS" "${ARGS32[@]}" </dev/null 2>/dev/null | tr -d '\r' |
    tee "$OUT/start32"
else
  echo "32-bit: skipped, $WHY32; the CD's VINDREL.EXE is only weighed"
fi
echo "64-bit: the 64-bit build against a 64-bit minimal window"
timeout 900 wine "$BUILD/x86_64/tools/StartBench.exe" "$ROUNDS" "${ARGS[@]}" </dev/null 2>/dev/null | tr -d '\r' |
  tee "$OUT/start"
for i in "${!NAMES[@]}"; do
  echo "${NAMES[$i]}: one page of the toolkit:"
  timeout 300 wine "${PAGEBENCH[$i]}" 'R:\VINDREL.EXE' 200 </dev/null 2>/dev/null | tr -d '\r' | grep -v '^menu exe' |
    sed 's/^/  /'
done

# The reader's wait from a double-click on a 4x CD to the first page: the drive reads the whole
# 32-bit exe (it runs from the swap file), then the menu starts as measured here.
exec >&3
if [ -z "$WHY32" ]; then
  START="$OUT/start32" WHICH="the 32-bit exe's start-up"
else
  START="$OUT/start" WHICH="the 64-bit build's start-up, since the 32-bit exe could not run: $WHY32"
fi
echo "double-click to the first page on a 4x CD (600 KB/s), estimated: the 32-bit exe read whole, then the"
echo "start-up to the first page (median of $ROUNDS, measured here; $WHICH):"
for i in "${!NAMES[@]}"; do
  size=$(stat -c %s "${MENUS32[$i]}")
  ms=$(awk -v n="${NAMES[$i]}" '/^start-up to the first page/ { on = 1; next } /^start-up|^[a-z0-9]/ { on = 0 }
    on && $1 == n && $2 == "menu" { print $4 }' "$START")
  awk -v n="${NAMES[$i]}" -v s="$size" -v ms="${ms:-0}" 'BEGIN {
    read = s / 614400; start = ms / 1000; total = read + start
    printf "  %-8s %.2f s = reading the exe %.2f s (%.0f %%) + start-up %.2f s (%.0f %%)\n",
      n, total, read, 100 * read / total, start, 100 * start / total }'
done
echo
cat "$OUT/details"
