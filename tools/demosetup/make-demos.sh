#!/bin/bash
# Builds the sample CD's demos from its catalogue: a screenshot and an NSIS setup program per demo,
# into <out>/Demos/<dir>/{Shot.bmp,Setup.exe}.
#   make-demos.sh <repository cd folder> <out folder> <NSIS target> <python>
set -euo pipefail
SRC=$1 OUT=$2 TARGET=$3 PYTHON=$4
HERE=$(cd "$(dirname "$0")" && pwd)
rm -rf "$OUT.tmp"
mkdir -p "$OUT.tmp/text"
"$PYTHON" "$HERE/sample_demos.py" shots "$SRC/Spil.INI" "$OUT.tmp"
"$PYTHON" "$HERE/sample_demos.py" list "$SRC/Spil.INI" >"$OUT.tmp/demos.tsv"
while IFS=$'\t' read -r dir title folder uninst; do
  readme="$OUT.tmp/text/$dir.txt"
  printf '%s\r\n\r\nA demo from the Vindrel sample CD.\r\nRemove it from the Start menu or from the menu on the CD.\r\n' "$title" >"$readme"
  makensis -V1 -INPUTCHARSET UTF8 \
    "-DTARGET=$TARGET" "-DOUTFILE=$OUT.tmp/Demos/$dir/Setup.exe" "-DDIR=$dir" "-DTITLE=$title" \
    "-DFOLDER=$folder" "-DUNINSTKEY=$uninst" "-DREADME=$readme" "-DPICTURE=$OUT.tmp/Demos/$dir/Shot.bmp" \
    "$HERE/DemoSetup.nsi" </dev/null
  [ -f "$OUT.tmp/Demos/$dir/Setup.exe" ] || { echo "no setup built for $dir" >&2; exit 1; }
done <"$OUT.tmp/demos.tsv"
rm -rf "$OUT.tmp/text" "$OUT"
mv "$OUT.tmp" "$OUT"
touch "$OUT/stamp"
