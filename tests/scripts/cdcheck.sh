#!/bin/bash
# The producer's CD check: built natively with the host compiler, run on the broken catalogues
# under tests/cdcheck (each case: a Spil.INI, a layout of files to make around it, and the lines
# the check must print), on the sample CD (clean), and once as the Windows build under Wine. The
# case "proof" is also proved by the menu itself, and the check compared with that proof.
set -euo pipefail
EXE=$1 BUILD=$2 SRC=$3
WORK="$BUILD/cdcheck-test"
rm -rf "$WORK"
mkdir -p "$WORK"
fail() { echo "FAIL: $*"; exit 1; }
# Wine's output goes to files, never to a pipe (see system_language.sh).
. "$SRC/tools/wine-env.sh"
wine_env_hold_desktop "$BUILD/tests/sleeper.exe"
trap wine_env_release_desktop EXIT

# The check for this machine, as tools/build.sh makes it beside the Windows builds (brought up to
# date here, for a run without that script).
NATIVE=$(dirname "$BUILD")/cdcheck
[ -f "$NATIVE/CMakeCache.txt" ] || env -u CC CXX=g++ cmake -S "$SRC/tools/cdcheck" -B "$NATIVE" >/dev/null
cmake --build "$NATIVE" -j"$(nproc)" >/dev/null
CDCHECK="$NATIVE/cdcheck"

# Bitmap files, one per line of standard input: path, a tab, then width, height (negative:
# top-down), bits per pixel, compression, then damage: "cut" drops the second half of its pixels,
# "len=N" keeps its first N bytes, "nodata" leaves out the pixels, "runpast" makes the first
# run-length run one pixel longer than a row, "set=AT:SIZE:VALUE" overwrites a header field. One
# interpreter for them all, since each start costs a good part of a second here.
bitmaps() {
  python3 -c '
import struct, sys
for line in sys.stdin.read().splitlines():
    path, rest = line.split("\t")
    args = rest.split()
    w, h, bits = int(args[0]), int(args[1]), int(args[2])
    comp = int(args[3]) if len(args) > 3 else 0
    damage = args[4:]
    colours = 1 << bits if bits <= 8 else 0
    palette = bytes(4 * colours)
    if "nodata" in damage:
        pixels = bytes(64)
    elif comp == 1:  # run-length encoded rows: one run of colour 1 per row, then end of bitmap
        first = min(w + 1, 255) if "runpast" in damage else min(w, 255)
        pixels = bytes((first, 1, 0, 0)) + b"".join(bytes((min(w, 255), 1, 0, 0)) for _ in range(abs(h) - 1)) + b"\x00\x01"
    else:
        pixels = bytes(((w * bits + 31) // 32 * 4) * abs(h))
    if "cut" in damage:
        pixels = pixels[: len(pixels) // 2]
    offset = 14 + 40 + len(palette)
    data = bytearray(struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset))
    data += struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, comp, len(pixels), 2835, 2835, colours, 0)
    data += palette + pixels
    for d in damage:
        if d.startswith("set="):
            at, size, value = (int(x) for x in d[4:].split(":"))
            data[at : at + size] = value.to_bytes(size, "little")
        if d.startswith("len="):
            data = data[: int(d[4:])]
    with open(path, "wb") as f:
        f.write(data)
'
}

# Lays out one case's CD folder from its layout file; its bitmaps are added to WANTED, made by
# one interpreter for all cases.
WANTED=""
make_case() {
  local from=$1 cd=$2
  mkdir -p "$cd"
  find "$from" -maxdepth 1 -type f ! -name layout ! -name '*expect' -exec cp {} "$cd"/ \;
  while read -r what path rest; do
    [ -n "$what" ] || continue
    [ -z "${path:-}" ] || mkdir -p "$cd/$(dirname "$path")"
    case $what in
      cdfiles)
        mkdir -p "$cd/DirectX7" "$cd/Diverse"
        touch "$cd/VINDREL.EXE" "$cd/DirectX7/DXSetup.EXE" "$cd/Diverse/msfont.txt"
        for f in verdana verdanab verdanai verdanaz; do touch "$cd/Diverse/$f.ttf"; done
        [ -f "$cd/autorun.inf" ] || printf '[autorun]\r\nopen=VINDREL.EXE\r\nicon=VINDREL.EXE,0\r\n' >"$cd/autorun.inf" ;;
      file) touch "$cd/$path" ;;
      # A Windows program's headers only: "MZ", the PE header's place, "PE", its machine (hex).
      pe) printf "MZ%58s\x40\0\0\0PE\0\0\x${rest:2:2}\x${rest:0:2}" '' >"$cd/$path" ;;
      bmp) WANTED+="$cd/$path"$'\t'"$rest"$'\n' ;;
      png) printf '\x89PNG\r\n\x1a\n\0\0\0\rIHDR' >"$cd/$path" ;;
      # A Windows Installer package's first bytes: a compound document.
      msi) printf '\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1' >"$cd/$path" ;;
      *) fail "unknown layout line: $what" ;;
    esac
  done <"$from/layout"
}

# Runs the check and compares: "exit N", lines that must be printed exactly, "~regex" a line that
# must match whole, "!text" never printed.
check_case() {
  local name=$1 expect=$2; shift 2
  local out="$WORK/$name.out" rc=0
  "$@" >"$out" 2>&1 || rc=$?
  local bad=0
  while IFS= read -r line; do
    case $line in
      '') ;;
      'exit '*) [ "$rc" = "${line#exit }" ] || { echo "$name: exit status $rc, expected ${line#exit }"; bad=1; } ;;
      '!'*) if grep -qF -- "${line#!}" "$out"; then echo "$name: printed: ${line#!}"; bad=1; fi ;;
      '~'*) grep -qxE -- "${line#\~}" "$out" || { echo "$name: no line matches: ${line#\~}"; bad=1; } ;;
      *) grep -qxF -- "$line" "$out" || { echo "$name: missing line: $line"; bad=1; } ;;
    esac
  done <"$expect"
  if [ $bad = 1 ]; then echo "--- output of $name:"; cat "$out"; return 1; fi
  echo "$name: ok"
}

status=0 editions=0
for case in "$SRC"/tests/cdcheck/*/; do make_case "$case" "$WORK/cases/$(basename "$case")"; done
printf '%s' "$WANTED" | bitmaps
for case in "$SRC"/tests/cdcheck/*/; do
  name=$(basename "$case")
  check_case "$name" "$case/expect" "$CDCHECK" "$WORK/cases/$name" || status=1
done

# Editions the menu refuses as a name (it uses 1099 instead), and one it takes: each a copy of the
# case "cd" with another Udgave and Aar (written as in the file: quotes keep blanks), then the
# lines to expect, separated by '#'.
while IFS='|' read -r udgave aar expect; do
  copy="$WORK/cases/cd-$((++editions))"
  cp -r "$WORK/cases/cd" "$copy"
  sed -i -e "s/^Udgave=1100\r\$/Udgave=$(printf '%s' "$udgave" | sed 's/[\\/&]/\\&/g')\r/" -e "s/^Aar=2000\r\$/Aar=$aar\r/" "$copy/Spil.INI"
  check_case "edition-$editions" <(printf '%s\n' "$expect" | tr '#' '\n') "$CDCHECK" "$copy" || status=1
done <<'TABLE'
..\..\Windows|2000|~error: \[CD\]: Udgave "\.\.\\\.\.\\Windows" holds '\\': .* the menu uses 1099 instead; .*#cdcheck: edition 1099, year 2000
a/b|2000|~error: \[CD\]: Udgave "a/b" holds '/': .*#cdcheck: edition 1099, year 2000
ABCDEFGHIJKLMNOPQ|2000|~error: \[CD\]: Udgave "ABCDEFGHIJKLMNOPQ" is 17 characters long, more than 16: .*#cdcheck: edition 1099, year 2000
|2000|~error: \[CD\]: Udgave "" is empty: .*#cdcheck: edition 1099, year 2000
" 1100"|2000|~error: \[CD\]: Udgave " 1100" begins or ends with a space: .*#cdcheck: edition 1099, year 2000
1100.|2000|~error: \[CD\]: Udgave "1100\." begins or ends with a dot: .*#cdcheck: edition 1099, year 2000
nul.1100|2000|~error: \[CD\]: Udgave "nul\.1100" is a name Windows keeps for a device, which no folder can bear: .* the menu uses 1099 instead; .*#cdcheck: edition 1099, year 2000
Jul-2000_b.2 x|'99|~error: \[CD\]: Aar "'99" is not four digits: the credits show 1999 instead; write the year as four digits#cdcheck: edition Jul-2000_b.2 x, year 1999#cdcheck: 3 errors, 5 warnings
TABLE

# A 64-bit menu on the CD (the one tested here): its 64-bit setups are no fault.
cp -r "$WORK/cases/cd" "$WORK/cases/cd-64"
printf 'MZ%58s\x40\0\0\0PE\0\0\x64\x86' '' >"$WORK/cases/cd-64/VINDREL.EXE"
check_case cd-64 <(printf '%s\n' 'cdcheck: 1 error, 5 warnings' '!64-bit') "$CDCHECK" "$WORK/cases/cd-64" || status=1

# The catalogue given as a file, with the CD root elsewhere: paths from the root are found there.
mkdir -p "$WORK/split/root/Demos/D1" "$WORK/split/menu"
cp "$WORK/cases/hidden/Spil.INI" "$WORK/split/menu/"
check_case split-root <(printf 'exit 1\ncdcheck: 3 errors, 8 warnings\n') \
  "$CDCHECK" --root "$WORK/cases/hidden" "$WORK/split/menu/Spil.INI" || status=1
check_case split-no-root \
  <(printf '%s\n' 'exit 1' 'error: Spil1: the setup program "\Demos\D1\Setup.exe" is not on the CD: Install starts nothing') \
  "$CDCHECK" "$WORK/split/menu/Spil.INI" || status=1

mkdir -p "$WORK/empty"
check_case no-catalogue <(printf 'exit 1\ncdcheck: 1 error, 0 warnings\n') "$CDCHECK" "$WORK/empty" || status=1
check_case no-folder <(printf 'exit 2\n') "$CDCHECK" "$WORK/no such folder" || status=1
check_case usage <(printf 'exit 2\n') "$CDCHECK" || status=1

# The sample CD is clean: warnings only (long descriptions, ten action demos), and --werror
# turns those into a failing status.
SAMPLE="$BUILD/cd"
[ -f "$SAMPLE/Spil.INI" ] || fail "no sample CD at $SAMPLE"
check_case sample <(printf 'exit 0\n!error:\n') "$CDCHECK" "$SAMPLE" || status=1
check_case sample-werror <(printf 'exit 1\n') "$CDCHECK" --werror "$SAMPLE" || status=1

# The menu's own proof of the made-up catalogue, run under Wine with the case's folder as the root
# of a drive (setup paths start there): the exact findings it was made to provoke. Then the check
# compared with that proof, and the Windows check making the proof itself for a folder with none.
winpath() { echo "Z:$(realpath -m "$1" | tr / '\\')"; }
PROOF_CD="$WORK/cases/proof"
cp "$EXE" "$PROOF_CD/VINDREL.EXE"
ln -sfn "$PROOF_CD" "$WINEPREFIX/dosdevices/p:"
# Prints what the proof said on the console (each line after "console: "), then its findings.txt.
proof_of() {
  local rc=0
  (cd "$1" && timeout 120 wine VINDREL.EXE /proof "$(winpath "$2")" </dev/null 2>/dev/null) >"$WORK/console.txt" || rc=$?
  tr -d '\r' <"$WORK/console.txt" | sed 's/^/console: /'
  if [ -f "$2/findings.txt" ]; then tr -d '\r' <"$2/findings.txt"; fi
  return $rc
}
check_case proof-run "$SRC/tests/cdcheck/proof/proof-expect" proof_of "$PROOF_CD" "$WORK/proof-out" || status=1
# Each demo is drawn from a fresh page: the one without a screenshot (after one whose picture is
# all black) shows the page's background in the picture's place, not the previous picture.
python3 - "$WORK/proof-out/pages/da-Spil3-1.png" "$SRC/tests/scripts" <<'PY' || { echo "FAIL: a missing screenshot shows a picture"; status=1; }
import sys
sys.path.insert(0, sys.argv[2])
from proof_pictures import pixels, count
black = count(pixels(sys.argv[1]), (302, 22, 618, 258), b"\x00\x00\x00")
assert black < 316 * 236 // 2, black
PY
check_case proof-unwritable <(printf '%s\n' 'exit 2' '~console: proof failed: the proof cannot write in the folder .*') \
  proof_of "$PROOF_CD" /proc/no-such-folder/proof || status=1
# Every screenshot the menu cannot read is a finding and the status 1, and nothing stops the proof.
cp "$EXE" "$WORK/cases/damaged/VINDREL.EXE"
ln -sfn "$WORK/cases/damaged" "$WINEPREFIX/dosdevices/q:"
check_case proof-damaged "$SRC/tests/cdcheck/damaged/proof-expect" proof_of "$WORK/cases/damaged" "$WORK/proof-damaged" ||
  status=1
rm -f "$WINEPREFIX/dosdevices/q:"

# A control character of the catalogue is written so that it shows, never as it is.
grep -qF 'Whole\x01Picture' "$WORK/proof-damaged/index.html" && ! grep -q $'\x01' "$WORK/proof-damaged/index.html" ||
  { echo "FAIL: the proof's page holds a raw control character"; status=1; }
# A proof that cannot be made says why at once, on the console and in findings.txt, and ends with 2:
# no catalogue, a folder path too long for its pictures, a picture that cannot be written.
mkdir -p "$WORK/no-catalogue-cd" "$WORK/proof-blocked/pages/da-menu.png"
cp "$EXE" "$WORK/no-catalogue-cd/VINDREL.EXE"
check_case proof-no-catalogue \
  <(printf '%s\n' 'exit 2' '~console: proof failed: there is no catalogue Spil.INI in .*: start the proof from the CD.s root' \
    '~proof failed: there is no catalogue Spil.INI in .*') proof_of "$WORK/no-catalogue-cd" "$WORK/proof-no-catalogue" ||
  status=1
# 255 characters with the drive: more than the pictures under it could have, less than a path may.
long="$WORK/$(printf 'p%.0s' {1..100})/$(printf 'q%.0s' $(seq $((255 - 2 - ${#WORK} - 102))))"
check_case proof-too-long \
  <(printf '%s\n' 'exit 2' '~console: proof failed: the proof folder.s path is [0-9]+ characters long; it may have at most 227') \
  proof_of "$PROOF_CD" "$long" || status=1
check_case proof-blocked \
  <(printf '%s\n' 'exit 2' '~console: proof failed: the picture pages\\da-menu.png could not be written in .*' '!proof: ') \
  proof_of "$PROOF_CD" "$WORK/proof-blocked" || status=1
# Without its folder the switch starts nothing (the menu would otherwise take it for no language).
(cd "$PROOF_CD" && timeout 30 wine VINDREL.EXE /proof </dev/null >/dev/null 2>&1) && rc=0 || rc=$?
[ "$rc" = 2 ] || { echo "FAIL: /proof without a folder ended with $rc"; status=1; }
check_case proof-compare "$SRC/tests/cdcheck/proof/compare-expect" \
  "$CDCHECK" --proof "$WORK/proof-out" "$PROOF_CD" || status=1
# A proof is used only when it is complete and newer than every file it drew; otherwise the
# native check, which cannot run the menu, says so and ends with 2.
check_case proof-state <(printf 'exit 0\n') "$CDCHECK" --proof-state --proof "$WORK/proof-out" "$PROOF_CD" || status=1
unusable() {  # name, what to do to a copy of the good proof, the reason the check must give
  rm -rf "$WORK/proof-$1"
  cp -r "$WORK/proof-out" "$WORK/proof-$1"
  (cd "$WORK/proof-$1" && eval "$2")
  check_case "proof-$1" <(printf '%s\n' 'exit 2' "~cdcheck: the proof in .*proof-$1 $3: make it again with .*" '!note:') \
    "$CDCHECK" --proof "$WORK/proof-$1" "$PROOF_CD" || status=1
}
unusable empty ': >findings.txt' 'is incomplete: its findings.txt does not end with the count of pages'
unusable garbled 'head -c 300 findings.txt >f && mv f findings.txt' 'is incomplete: its findings.txt does not end with the count of pages'
unusable failed 'echo "proof failed: the disk is full" >findings.txt' 'is of a proof that failed \(the disk is full\)'
unusable no-html 'rm index.html' 'is incomplete: it has no index.html'
unusable stale 'touch -d 2001-01-01 findings.txt index.html' 'is older than Spil.INI on the CD'
unusable shot-changed 'touch -d "+1 hour" "$PROOF_CD/Demos/D1/Shot.bmp"' 'is older than Shot.bmp on the CD'
touch -d 2000-01-01 "$PROOF_CD/Demos/D1/Shot.bmp"
check_case proof-state-stale <(printf 'exit 1\n') "$CDCHECK" --proof-state --proof "$WORK/proof-stale" "$PROOF_CD" || status=1
# The Windows check makes the proof itself, for a folder with none and for a stale one.
for made in proof-made proof-stale; do
  timeout 180 wine "$BUILD/tools/cdcheck.exe" --proof "$(winpath "$WORK/$made")" 'P:\' </dev/null >"$WORK/$made.raw" 2>/dev/null ||
    true
  tr -d '\r' <"$WORK/$made.raw" | grep -v '^proof: ' >"$WORK/$made.txt" || true
  diff "$WORK/proof-compare.out" "$WORK/$made.txt" ||
    { echo "FAIL: the Windows check, making the proof itself in $made, says otherwise"; status=1; }
done
rm -f "$WINEPREFIX/dosdevices/p:"

# The table of bitmap kinds (made at build time from one picture, and malformed ones) on CDs of
# their own (a catalogue holds 30 demos), each after the two 24-bit references: the check and the
# menu's proof each call exactly the malformed ones unreadable, for the reader's reason, and the
# proof draws every other one as its 24-bit one.
KINDS="$BUILD/tests/shotkinds"
[ -f "$KINDS/kinds.txt" ] || fail "no table of bitmap kinds in $KINDS"
regex() { printf '%s' "$1" | sed 's/[][\.*^$(){}?+|/]/\\&/g'; }
split -l 28 -d "$KINDS/kinds.txt" "$WORK/kinds-part-"
for part in "$WORK"/kinds-part-*; do
  KCD="$WORK/cases/kinds${part##*-}" n=0
  mkdir -p "$KCD"
  : >"$KCD/Spil.INI" && : >"$part.expect" && : >"$part.proof-expect" && : >"$part.drawn"
  while IFS=$'\t' read -r file verdict expected; do
    n=$((n + 1))
    mkdir -p "$KCD/D$n" && touch "$KCD/D$n/Setup.exe" && cp "$KINDS/$file" "$KCD/D$n/Shot.bmp"
    printf '[Spil%d]\r\nTitel=%s\r\nKortTitel=Kind %d\r\nSetup=\\D%d\\Setup.exe\r\nCPU=200\r\nRam=32\r\nHD=50\r\nKategori=Action\r\nDansk=Dansk %d.\r\n\r\n' \
      "$n" "${file%.bmp}" "$n" "$n" "$n" >>"$KCD/Spil.INI"
    where="Spil$n: the screenshot \"\\\\D$n\\\\Shot\\.bmp\""
    case $verdict in
      refuse)
        echo "~error: $where .*$(regex "$expected").*" >>"$part.expect"
        echo "~unreadable: all: ${where/: /: game page: } cannot be read: it .*$(regex "$expected").*" >>"$part.proof-expect" ;;
      *)
        echo "!Spil$n: the screenshot" | tee -a "$part.expect" >>"$part.proof-expect"
        echo "$n $verdict $expected" >>"$part.drawn" ;;
    esac
  done < <(printf 'ref16.bmp\tshow\tref16.bmp\nref2.bmp\tshow\tref2.bmp\n'; cat "$part")
  name=$(basename "$KCD")
  check_case "$name" "$part.expect" "$CDCHECK" "$KCD" || status=1
  cp "$EXE" "$KCD/VINDREL.EXE"
  ln -sfn "$KCD" "$WINEPREFIX/dosdevices/k:"
  check_case "proof-$name" "$part.proof-expect" proof_of "$KCD" "$WORK/proof-$name" || status=1
  rm -f "$WINEPREFIX/dosdevices/k:"
  python3 - "$WORK/proof-$name/pages" "$part.drawn" "$SRC/tests/scripts" <<'PY' ||
import sys
sys.path.insert(0, sys.argv[3])
from proof_pictures import pixels
def area(n, left):  # the picture's place, from column `left` of the picture on
    rows = pixels("%s/da-Spil%s-1.png" % (sys.argv[1], n))
    return [bytes(rows[y][3 * (302 + left):3 * (302 + 20)]) for y in range(22, 22 + 10)]
references = {"ref16.bmp": 1, "ref2.bmp": 2}
bad = [line.split()[0] for line in open(sys.argv[2]) for n, verdict, ref in [line.split()]
       if area(n, 2 if verdict == "over" else 0) != area(references[ref], 2 if verdict == "over" else 0)]
assert not bad, "drawn otherwise: Spil" + ", Spil".join(bad)
PY
    { echo "FAIL: the proof of $name draws a bitmap kind otherwise than its 24-bit one"; status=1; }
done

# --make-shot, natively and in the Windows build alike: a PNG with its left half transparent, a
# JPEG and a 1024 x 768 bitmap each become a 24-bit Shot.bmp that fits (proportions kept), the
# clear half the page's background colour; the check accepts them and the menu's proof draws them.
MS="$WORK/make-shot" MCD="$WORK/cases/made"
mkdir -p "$MS"
convert -size 400x300 xc:none -fill '#FF8000' -draw 'rectangle 200,0 399,299' "$MS/clear.png"
convert -size 640x480 gradient:navy-orange -quality 90 "$MS/photo.jpg"
convert -size 1024x768 gradient:red-blue -type TrueColor "BMP3:$MS/large.bmp"
mkdir -p "$MCD"
: >"$MCD/Spil.INI"
n=0
for picture in clear.png photo.jpg large.bmp; do
  n=$((n + 1))
  mkdir -p "$MCD/D$n" && touch "$MCD/D$n/Setup.exe"
  printf '[Spil%d]\r\nTitel=Made %d\r\nKortTitel=Made %d\r\nSetup=\\D%d\\Setup.exe\r\nCPU=200\r\nRam=32\r\nHD=50\r\nKategori=Action\r\nDansk=Dansk %d.\r\n\r\n' \
    "$n" "$n" "$n" "$n" "$n" >>"$MCD/Spil.INI"
  check_case "make-shot-$n" <(printf '%s\n' 'exit 0' "~cdcheck: .*Shot\.bmp made of .*$picture: 315 x 236 pixels \(scaled down from [0-9]+ x [0-9]+\)") \
    "$CDCHECK" --make-shot "$MS/$picture" "$MCD/D$n/Shot.bmp" || status=1
  timeout 60 wine "$BUILD/tools/cdcheck.exe" --make-shot "$(winpath "$MS/$picture")" "$(winpath "$MS/win-$n.bmp")" \
    </dev/null >/dev/null 2>&1 || { echo "FAIL: the Windows check made no screenshot of $picture"; status=1; }
  cmp -s "$MCD/D$n/Shot.bmp" "$MS/win-$n.bmp" ||
    { echo "FAIL: the Windows check makes another Shot.bmp of $picture than the native one"; status=1; }
done
check_case make-shot-unreadable <(printf '%s\n' 'exit 1' '~cdcheck: no screenshot made of .*: it is not a bitmap, PNG or JPEG picture that can be read .*') \
  "$CDCHECK" --make-shot "$MCD/Spil.INI" "$MS/none.bmp" || status=1
check_case made <(printf '%s\n' '!the screenshot' '!no screenshot') "$CDCHECK" "$MCD" || status=1
cp "$EXE" "$MCD/VINDREL.EXE"
ln -sfn "$MCD" "$WINEPREFIX/dosdevices/m:"
check_case proof-made <(printf '%s\n' 'exit 0' '!unreadable' '!screenshot') proof_of "$MCD" "$WORK/proof-made-shots" || status=1
rm -f "$WINEPREFIX/dosdevices/m:"
python3 - "$MCD" "$WORK/proof-made-shots/pages" "$SRC/tests/scripts" <<'PY' || { echo "FAIL: a made Shot.bmp is not what the page shows"; status=1; }
import struct, sys
sys.path.insert(0, sys.argv[3])
from proof_pictures import pixels
for n in (1, 2, 3):
    data = open("%s/D%d/Shot.bmp" % (sys.argv[1], n), "rb").read()
    (offset,), (w, h), (bits,) = struct.unpack_from("<I", data, 10), struct.unpack_from("<ii", data, 18), struct.unpack_from("<H", data, 28)
    assert (w, h, bits) == (315, 236, 24), (n, w, h, bits)
    stride = (w * 3 + 3) & ~3
    shot = lambda x, y: bytes(reversed(data[offset + (h - 1 - y) * stride + 3 * x:offset + (h - 1 - y) * stride + 3 * x + 3]))
    page = pixels("%s/da-Spil%d-1.png" % (sys.argv[2], n))
    for x, y in ((0, 0), (100, 50), (200, 100), (314, 235)):
        assert page[22 + y][3 * (302 + x):3 * (302 + x) + 3] == shot(x, y), (n, x, y)
    if n == 1:  # the clear half over the page's colour, the rest as drawn
        assert shot(10, 10) == bytes((0x4E, 0x26, 0x85)) and shot(300, 10) == bytes((0xFF, 0x80, 0x00)), (shot(10, 10), shot(300, 10))
PY

# The Windows build reads the same CD through Wine's drive mapping and says the same. It only
# reads, so the test run's own prefix serves.
timeout 120 wine "$BUILD/tools/cdcheck.exe" "Z:$(echo "$SAMPLE" | tr / '\\')" </dev/null >"$WORK/wine.out" 2>/dev/null && rc=0 || rc=$?
tr -d '\r' <"$WORK/wine.out" >"$WORK/wine.txt"
"$CDCHECK" "$SAMPLE" >"$WORK/native.txt" || true
[ "$rc" = 0 ] || { cat "$WORK/wine.txt"; fail "the Windows build ended with $rc on the sample CD"; }
diff "$WORK/native.txt" "$WORK/wine.txt" || fail "the Windows build and the native build disagree"
echo "windows build: ok"

# The case "nordic" under a Russian Windows's code page (1251; a UTF-8 locale changes only that):
# the Windows build finds the folder with the Nordic letter as the menu does, and says what the
# native build says of it.
LOCALES=${VINDREL_LOCALE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vindrel-locales}
if [ ! -d "$LOCALES/ru_RU.UTF-8" ]; then
  mkdir -p "$LOCALES"
  localedef -i ru_RU -f UTF-8 "$LOCALES/ru_RU.UTF-8.tmp" 2>/dev/null || true
  rm -rf "$LOCALES/ru_RU.UTF-8" && mv "$LOCALES/ru_RU.UTF-8.tmp" "$LOCALES/ru_RU.UTF-8"
fi
LOCPATH="$LOCALES" LANG=ru_RU.UTF-8 LC_ALL= timeout 120 wine "$BUILD/tools/cdcheck.exe" \
  "Z:$(echo "$WORK/cases/nordic" | tr / '\\')" </dev/null >"$WORK/nordic-1251.raw" 2>/dev/null || true
tr -d '\r' <"$WORK/nordic-1251.raw" >"$WORK/nordic-1251.txt"
diff "$WORK/nordic.out" "$WORK/nordic-1251.txt" || fail "under code page 1251 the Windows build sees the Nordic folder otherwise"
echo "windows build under code page 1251: ok"

exit $status
