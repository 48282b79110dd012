#!/bin/bash
# Makes a CD folder, ready to check, proof and burn, from a catalogue and the demos:
#   make-cd.sh <catalogue> <demos folder> <output folder> [--arch i686|x86_64]
# The catalogue may be saved as UTF-8 or Windows-1252, with any line ends; it is written to the CD
# as Spil.INI in Windows-1252 with CRLF. The demos folder holds Demos\<Name>\Setup.exe and
# Shot.bmp (as the catalogue's Setup paths name them). Beside them go the menu, the DirectX
# installer and the fonts of the build for the architecture (i686 by default: the CD to burn,
# whose menu runs on every Windows; the build is made when it is missing), and an autorun.inf
# labelled with the catalogue's edition. Last, the CD check runs on the result; its exit status is
# the command's (0 no errors, 1 errors, 2 the check could not run).
# The build assembles the sample CD the same way, naming its own programs:
#   make-cd.sh ... --menu EXE --dxsetup EXE --no-check
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${VINDREL_BUILD:-$ROOT/build}
usage() { echo "usage: make-cd.sh <catalogue> <demos folder> <output folder> [--arch i686|x86_64]" >&2; exit 2; }
ARCH=i686 EXE= DXSETUP= CHECK=1 args=()
while [ $# -gt 0 ]; do
  case $1 in
    --arch) ARCH=${2:-}; shift 2 || usage ;;
    --menu) EXE=${2:-}; shift 2 || usage ;;
    --dxsetup) DXSETUP=${2:-}; shift 2 || usage ;;
    --no-check) CHECK=0; shift ;;
    -*) usage ;;
    *) args+=("$1"); shift ;;
  esac
done
[ ${#args[@]} = 3 ] || usage
CATALOGUE=${args[0]} DEMOS=${args[1]} OUT=${args[2]}
case $ARCH in i686 | x86_64) ;; *) echo "make-cd: --arch is i686 or x86_64" >&2; exit 2 ;; esac
[ -f "$CATALOGUE" ] || { echo "make-cd: no catalogue $CATALOGUE" >&2; exit 2; }
[ -d "$DEMOS/Demos" ] || { echo "make-cd: $DEMOS holds no Demos folder" >&2; exit 2; }
if [ -z "$EXE" ] || [ -z "$DXSETUP" ]; then
  EXE=${EXE:-$BUILD/$ARCH/VINDREL.exe} DXSETUP=${DXSETUP:-$BUILD/$ARCH/tools/DXSETUP.exe}
  if [ ! -f "$EXE" ] || [ ! -f "$DXSETUP" ]; then
    "$ROOT/tools/setup-deps.sh"
    if [ "$ARCH" = x86_64 ]; then VINDREL_SKIP_I686=1 "$ROOT/tools/build.sh"; else VINDREL_SKIP_I686=0 "$ROOT/tools/build.sh"; fi
  fi
fi

# The output folder is replaced whole, so it may hold only what this script writes there: a
# folder holding the producer's own files (the demos folder itself, a catalogue, notes, pictures)
# is refused, never wiped.
same_or_inside() { # <a> <b>: a is b or lies inside it
  local a b
  a=$(realpath -m "$1") b=$(realpath -m "$2")
  [ "$a" = "$b" ] || [ "${a#"$b"/}" != "$a" ]
}
refuse() { echo "make-cd: refused: $1; nothing was changed" >&2; exit 2; }
if same_or_inside "$DEMOS" "$OUT"; then
  refuse "the output folder $OUT is or holds the demos folder $DEMOS, the producer's own; name a new folder for the CD"
fi
if same_or_inside "$CATALOGUE" "$OUT"; then
  refuse "the output folder $OUT holds the catalogue $CATALOGUE, the producer's own; name a new folder for the CD"
fi
if [ -d "$OUT" ]; then
  while IFS= read -r -d '' entry; do
    case ${entry##*/} in
      VINDREL.EXE | autorun.inf | Spil.INI | Spil.INI.bak | Diverse | DirectX7 | Demos) ;;
      *) refuse "the output folder $OUT holds ${entry##*/}, which this script did not make; name a new folder for the CD, or empty that one" ;;
    esac
  done < <(find "$OUT" -mindepth 1 -maxdepth 1 -print0)
elif [ -e "$OUT" ]; then
  refuse "$OUT is a file, not a folder"
fi
# Nothing half-made is left behind, whatever ends the script.
trap 'rm -rf "$OUT.tmp"' EXIT
rm -rf "$OUT.tmp"
mkdir -p "$OUT.tmp/Diverse" "$OUT.tmp/DirectX7"
# The catalogue in the menu's code page: a file that is valid UTF-8 (a byte-order mark dropped)
# is converted, anything else is taken to be Windows-1252 already. Every line ends in CRLF.
sed '1s/^\xEF\xBB\xBF//' "$CATALOGUE" >"$OUT.tmp/catalogue.txt"
from=CP1252
iconv -f UTF-8 -t UTF-8 "$OUT.tmp/catalogue.txt" >/dev/null 2>&1 && from=UTF-8
if ! iconv -f "$from" -t CP1252 "$OUT.tmp/catalogue.txt" >/dev/null 2>&1; then
  # Named plainly: the letter, its line and key, and where in the line it stands.
  export LC_ALL=C.UTF-8
  line_no=0
  while IFS= read -r line || [ -n "$line" ]; do
    line_no=$((line_no + 1))
    printf '%s' "$line" | iconv -f UTF-8 -t CP1252 >/dev/null 2>&1 && continue
    for ((i = 0; i < ${#line}; i++)); do
      letter=${line:i:1}
      printf '%s' "$letter" | iconv -f UTF-8 -t CP1252 >/dev/null 2>&1 && continue
      echo "make-cd: line $line_no of $CATALOGUE (${line%%=*}), character $((i + 1)): the letter \"$letter\" is not in Windows-1252, the code page the menu reads; replace it. Nothing was made" >&2
      exit 2
    done
  done <"$OUT.tmp/catalogue.txt"
  echo "make-cd: the catalogue holds letters that Windows-1252 does not have; nothing was made" >&2
  exit 2
fi
iconv -f "$from" -t CP1252 "$OUT.tmp/catalogue.txt" | tr -d '\r' | sed 's/$/\r/' >"$OUT.tmp/Spil.INI"
rm "$OUT.tmp/catalogue.txt"
cp "$EXE" "$OUT.tmp/VINDREL.EXE"
cp "$DXSETUP" "$OUT.tmp/DirectX7/DXSetup.EXE"
cp -r "$DEMOS/Demos" "$OUT.tmp/"
cp "$ROOT/cd/Diverse/msfont.txt" "$OUT.tmp/Diverse/"
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
# The AutoPlay prompt names the edition the menu itself will use (the check's reading of [CD]).
EDITION=$(bash "$ROOT/tools/check-cd.sh" --edition "$OUT.tmp")
printf '[autorun]\r\nopen=VINDREL.EXE\r\nicon=VINDREL.EXE,0\r\nlabel=Vindrel Spil-CD %s\r\naction=Start Vindrel, menuen med spildemoer\r\n' \
  "$EDITION" >"$OUT.tmp/autorun.inf"
rm -rf "$OUT"
mv "$OUT.tmp" "$OUT"
[ $CHECK = 1 ] || exit 0
bash "$ROOT/tools/check-cd.sh" "$OUT"
