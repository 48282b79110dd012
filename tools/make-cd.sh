#!/bin/bash
# Assembles the sample CD folder: the catalogue and autorun.inf (kept as UTF-8 with LF in the
# repository, written in the Windows code page with CRLF), the menu itself, the free fonts under
# the names it installs, the graphics runtime's stand-in installer, and the demos built by
# tools/demosetup/make-demos.sh (screenshots and setup programs).
#   make-cd.sh <repository cd folder> <output folder> <menu exe> <DXSetup exe> <demos folder>
set -euo pipefail
SRC=$1 OUT=$2 EXE=$3 DXSETUP=$4 DEMOS=$5
rm -rf "$OUT.tmp"
mkdir -p "$OUT.tmp"
cp -r "$SRC"/. "$OUT.tmp"/
for text in Spil.INI autorun.inf; do
  iconv -f UTF-8 -t CP1252 "$SRC/$text" | sed 's/$/\r/' >"$OUT.tmp/$text"
done
cp "$EXE" "$OUT.tmp/VINDREL.EXE"
mkdir -p "$OUT.tmp/DirectX7"
cp "$DXSETUP" "$OUT.tmp/DirectX7/DXSetup.EXE"
cp -r "$DEMOS/Demos" "$OUT.tmp/"
FONTS=/usr/share/fonts/truetype/dejavu
cp "$FONTS/DejaVuSans.ttf" "$OUT.tmp/Diverse/verdana.ttf"
cp "$FONTS/DejaVuSans-Bold.ttf" "$OUT.tmp/Diverse/verdanab.ttf"
for face in verdanai:Oblique verdanaz:BoldOblique; do
  name=${face%%:*} style=${face##*:}
  if [ -f "$FONTS/DejaVuSans-$style.ttf" ]; then cp "$FONTS/DejaVuSans-$style.ttf" "$OUT.tmp/Diverse/$name.ttf"
  else cp "$OUT.tmp/Diverse/verdana.ttf" "$OUT.tmp/Diverse/$name.ttf"; fi
done
# The fonts' licence asks that its notice travel with them.
if [ -f /usr/share/doc/fonts-dejavu-core/copyright ]; then
  sed 's/$/\r/' /usr/share/doc/fonts-dejavu-core/copyright >"$OUT.tmp/Diverse/fonts-licence.txt"
fi
rm -rf "$OUT"
mv "$OUT.tmp" "$OUT"
