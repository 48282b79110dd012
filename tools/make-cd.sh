#!/bin/bash
# Assembles the sample CD folder: the catalogue (kept as UTF-8 in the repository, written in the
# Windows code page the menu reads), the menu itself and the free fonts under the names it installs.
#   make-cd.sh <repository cd folder> <output folder> <menu exe>
set -euo pipefail
SRC=$1 OUT=$2 EXE=$3
rm -rf "$OUT.tmp"
mkdir -p "$OUT.tmp"
cp -r "$SRC"/. "$OUT.tmp"/
iconv -f UTF-8 -t CP1252 "$SRC/Spil.INI" | sed 's/$/\r/' >"$OUT.tmp/Spil.INI"
cp "$EXE" "$OUT.tmp/VINDREL.EXE"
FONTS=/usr/share/fonts/truetype/dejavu
cp "$FONTS/DejaVuSans.ttf" "$OUT.tmp/Diverse/verdana.ttf"
cp "$FONTS/DejaVuSans-Bold.ttf" "$OUT.tmp/Diverse/verdanab.ttf"
for face in verdanai:Oblique verdanaz:BoldOblique; do
  name=${face%%:*} style=${face##*:}
  if [ -f "$FONTS/DejaVuSans-$style.ttf" ]; then cp "$FONTS/DejaVuSans-$style.ttf" "$OUT.tmp/Diverse/$name.ttf"
  else cp "$OUT.tmp/Diverse/verdana.ttf" "$OUT.tmp/Diverse/$name.ttf"; fi
done
rm -rf "$OUT"
mv "$OUT.tmp" "$OUT"
