#!/bin/bash
# Runs the benchmarks under Wine on a private Xvfb screen with the sample CD.
#   tools/bench/run-bench.sh [rounds] [--before <commit>]
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
# The 32-bit exe is the one on the CD: only its size is measured (it cannot run here).
build_i686_menu() {
  cmake -S "$1" -B "$2" -DCMAKE_TOOLCHAIN_FILE="$1/cmake/mingw-i686.cmake" -DVINDREL_TESTS=OFF >/dev/null
  cmake --build "$2" --target vindrel -j"$(nproc)" >/dev/null
}
build_i686_menu "$ROOT" "$BUILD/i686"

NAMES=(after) MENUS=("$BUILD/x86_64/VINDREL.exe") MENUS32=("$BUILD/i686/VINDREL.exe")
PAGEBENCH=("$BUILD/x86_64/tools/PageBench.exe")
if [ -n "$BEFORE" ]; then
  OLD="$BUILD/bench-before"
  # Whole: the archive's files are older than objects left by another commit, which make would keep.
  rm -rf "$OLD"
  mkdir -p "$OLD/src"
  git -C "$ROOT" archive "$BEFORE" | tar -x -C "$OLD/src"
  cmake -S "$OLD/src" -B "$OLD/x86_64" -DCMAKE_TOOLCHAIN_FILE="$OLD/src/cmake/mingw-x86_64.cmake" \
    -DVINDREL_TESTS=OFF >/dev/null
  cmake --build "$OLD/x86_64" --target vindrel PageBench -j"$(nproc)" >/dev/null
  build_i686_menu "$OLD/src" "$OLD/i686"
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
ARGS=()
for i in "${!NAMES[@]}"; do
  name=$(echo "${NAMES[$i]}" | tr a-z A-Z).EXE
  cp "${MENUS[$i]}" "$CD/$name"
  ARGS+=("${NAMES[$i]}=R:\\$name")
done
wine_env_map_cd "$CD"
timeout 900 wine "$BUILD/x86_64/tools/PROGSTUB.exe" 'C:\progman.log' 900 </dev/null >/dev/null 2>&1 &
sleep 1
cd "$CD"
# The benchmarks are GUI programs; their reports come through the redirected output.
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
echo "double-click to the first page on a 4x CD (600 KB/s), estimated: the 32-bit exe read whole, then the"
echo "start-up to the first page (median of $ROUNDS, measured here):"
for i in "${!NAMES[@]}"; do
  size=$(stat -c %s "${MENUS32[$i]}")
  ms=$(awk -v n="${NAMES[$i]}" '/^start-up to the first page/ { on = 1; next } /^start-up|^[a-z]/ { on = 0 }
    on && $1 == n && $2 == "menu" { print $4 }' "$OUT/start")
  awk -v n="${NAMES[$i]}" -v s="$size" -v ms="${ms:-0}" 'BEGIN {
    read = s / 614400; start = ms / 1000; total = read + start
    printf "  %-8s %.2f s = reading the exe %.2f s (%.0f %%) + start-up %.2f s (%.0f %%)\n",
      n, total, read, 100 * read / total, start, 100 * start / total }'
done
echo
cat "$OUT/details"
