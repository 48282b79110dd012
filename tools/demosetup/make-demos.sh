#!/bin/bash
# Builds the sample CD's demos from its catalogue: a screenshot and a setup per demo, into
# <out>/Demos/<dir>/{Shot.bmp,<setup>}: an NSIS setup program, or for a setup named *.msi a
# Windows Installer package made with wixl from DemoPackage.wxs.in.
#   make-demos.sh <repository cd folder> <out folder> <NSIS target> <python>
set -euo pipefail
SRC=$1 OUT=$2 TARGET=$3 PYTHON=$4
HERE=$(cd "$(dirname "$0")" && pwd)
rm -rf "$OUT.tmp"
mkdir -p "$OUT.tmp/text"
"$PYTHON" "$HERE/sample_demos.py" shots "$SRC/Spil.INI" "$OUT.tmp"
"$PYTHON" "$HERE/sample_demos.py" list "$SRC/Spil.INI" >"$OUT.tmp/demos.tsv"
while IFS=$'\t' read -r dir title folder uninst setup; do
  readme="$OUT.tmp/text/$dir.txt"
  printf '%s\r\n\r\nA demo from the Vindrel sample CD.\r\nRemove it from the Start menu or from the menu on the CD.\r\n' "$title" >"$readme"
  case "${setup,,}" in
    *.msi)
      # The upgrade code follows from the product code, so builds stay reproducible.
      upgrade=$(printf '%s' "$uninst" | md5sum | sed -E 's/^(.{8})(.{4})(.{4})(.{4})(.{12}).*/{\1-\2-\3-\4-\5}/' | tr a-f A-F)
      if [ "$TARGET" = amd64-unicode ]; then arch=x64 pf=ProgramFiles64Folder; else arch=x86 pf=ProgramFilesFolder; fi
      sed -e "s|@DIR@|$dir|g" -e "s|@TITLE@|$title|g" -e "s|@FOLDER@|$folder|g" -e "s|@PRODUCT@|$uninst|g" \
          -e "s|@UPGRADE@|$upgrade|g" -e "s|@README@|$dir.txt|g" -e "s|@PICTURE@|../Demos/$dir/Shot.bmp|g" \
          -e "s|@PROGRAMFILES@|$pf|g" "$HERE/DemoPackage.wxs.in" >"$OUT.tmp/text/$dir.wxs"
      # wixl takes its sources relative to the folder it runs in; it says that Package has no
      # property Platform, which is harmless.
      (cd "$OUT.tmp/text" && wixl -a "$arch" -o "../Demos/$dir/$setup" "$dir.wxs" </dev/null 2>/dev/null) ;;
    *)
      makensis -V1 -INPUTCHARSET UTF8 \
        "-DTARGET=$TARGET" "-DOUTFILE=$OUT.tmp/Demos/$dir/$setup" "-DDIR=$dir" "-DTITLE=$title" \
        "-DFOLDER=$folder" "-DUNINSTKEY=$uninst" "-DREADME=$readme" "-DPICTURE=$OUT.tmp/Demos/$dir/Shot.bmp" \
        "$HERE/DemoSetup.nsi" </dev/null ;;
  esac
  [ -f "$OUT.tmp/Demos/$dir/$setup" ] || { echo "no setup built for $dir" >&2; exit 1; }
done <"$OUT.tmp/demos.tsv"
rm -rf "$OUT.tmp/text" "$OUT"
mv "$OUT.tmp" "$OUT"
touch "$OUT/stamp"
