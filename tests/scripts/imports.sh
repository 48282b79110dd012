#!/bin/bash
# The programs on the CD load on the oldest Windows they are made for: every function in their
# import tables must be listed in windows-versions.txt (beside this script) with a first Windows
# no later than that one. The 32-bit CD is for Windows XP SP3 and later, the 64-bit build for
# 64-bit Windows Vista and later. A function that is missing from the list fails too: look up its
# documented minimum version and add it.
#   imports.sh <menu exe> <build folder> <source folder>     the CDs of both builds (the test)
#   imports.sh --oldest XPSP3 <program>...                   the given programs, by hand
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
TABLE="$HERE/windows-versions.txt"
ORDER="95 NT4 98 2000 XP XPSP1 XPSP2 XPSP3 Vista 7 8 8.1 10"

# The functions the menu loads at their first call (delay-loaded), as the build lists them for
# the linker in <build folder>/delay/<dll>.def, written as objdump writes an import table: they
# must be on the oldest Windows too, or the menu would fail at that call instead of at its start.
DELAY_DIR=
delayed() {
  local def
  [ -n "$DELAY_DIR" ] && [ "$(basename "$1")" = VINDREL.EXE ] || return 0
  for def in "$DELAY_DIR"/delay/*.def; do
    [ -f "$def" ] || continue
    printf '\tDLL Name: %s\n' "$(basename "$def" .def).dll"
    sed -n '/^EXPORTS/,$p' "$def" | tail -n +2 | sed 's/@.*//' | while read -r fn; do
      [ -n "$fn" ] && printf '\t0\t    0  %s\n' "$fn"
    done
  done
}

# check <oldest Windows> <program>...: prints each import that Windows lacks; fails if there is one.
check() {
  local oldest=$1 failed=0 exe
  shift
  for exe in "$@"; do
    [ -f "$exe" ] || { echo "FAIL: $exe is missing"; failed=1; continue; }
    { x86_64-w64-mingw32-objdump -p "$exe"; delayed "$exe"; } | awk -v exe="$exe" -v oldest="$oldest" -v order="$ORDER" -v table="$TABLE" '
      BEGIN {
        n = split(order, names, " ")
        for (i = 1; i <= n; i++) rank[names[i]] = i
        if (!(oldest in rank)) { print "FAIL: unknown Windows " oldest; bad = 1; exit }
        while ((getline line < table) > 0) {
          if (line ~ /^[ \t]*(#|$)/) continue
          split(line, f, /[ \t]+/)
          if (!(f[3] in rank)) { print "FAIL: " table ": unknown Windows in: " line; bad = 1; exit }
          first[tolower(f[1]) "!" f[2]] = f[3]
        }
      }
      /^\tDLL Name:/ { dll = tolower($3); next }
      /^\t[0-9a-f]+\t +[0-9]+  [A-Za-z_?@]/ {
        key = dll "!" $3
        count++
        if (!(key in first)) { print "FAIL: " exe ": " key " is not in the list of functions"; bad = 1 }
        else if (rank[first[key]] > rank[oldest]) {
          print "FAIL: " exe ": " key " needs Windows " first[key] ", the program is for Windows " oldest " and later"; bad = 1
        }
      }
      END {
        if (!bad && count == 0) { print "FAIL: " exe ": no imports read"; bad = 1 }
        if (!bad) print "ok: " exe " (" count " imports, all on Windows " oldest ")"
        exit bad
      }' || failed=1
  done
  return $failed
}

if [ "${1:-}" = --oldest ]; then
  oldest=$2
  shift 2
  check "$oldest" "$@"
  exit
fi

EXE=$1 BUILD=$2
# The programs of a CD: the menu, the DirectX installer's stand-in and the demos' setups (one of
# each kind: the sample's setups are the same program).
cd_programs() {
  echo "$1/VINDREL.EXE"
  echo "$1/DirectX7/DXSetup.EXE"
  find "$1/Demos" -iname setup.exe 2>/dev/null | head -1
}
failed=0
# With them, the producer's catalogue editor, which is never on the CD but runs on the same Windows.
mapfile -t programs64 < <(cd_programs "$BUILD/cd")
DELAY_DIR=$BUILD
check Vista "${programs64[@]}" "$BUILD/REDAKTOR.exe" || failed=1
I686="$(dirname "$BUILD")/i686"
if [ -d "$I686/cd" ]; then
  mapfile -t programs32 < <(cd_programs "$I686/cd")
  DELAY_DIR=$I686
  check XPSP3 "${programs32[@]}" "$I686/REDAKTOR.exe" || failed=1
elif [ "${VINDREL_SKIP_I686:-0}" = 1 ]; then
  echo "the 32-bit build was skipped (VINDREL_SKIP_I686=1): its CD is not checked"
else
  echo "FAIL: no 32-bit CD in $I686/cd"
  failed=1
fi
exit $failed
