#!/bin/bash
# The exe as it goes on the CD, and the CD taken out while the menu runs.
#   1. The exe is marked to run from the swap file (IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP), carries
#      no debug sections and is at most 1.5 MB; so is the 32-bit one, when it has been built. Its
#      compressed artwork is what the committed artwork packs to, byte for byte, every time.
#   2. The menu is started from its CD as drive R:; once the disclaimer shows, the CD's folder is
#      renamed away. The pages still work: OK, the Action tile, a demo (its screenshot is gone, so
#      the game page shows none), Install (the setup is gone: nothing starts, the main menu comes
#      back), the exit sign and the credits' exit sign, which end the program normally.
# Arguments: <menu exe> <build folder> <source folder>
set -euo pipefail
EXE=$1 BUILD=$2 SRC=$3
SHOTS=$(mktemp -d)
MENU_PID= STUB_PID=
cleanup() {
  away 2>/dev/null || true
  for pid in $MENU_PID $STUB_PID; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$SHOTS"
}
trap cleanup EXIT
. "$SRC/tools/screen.sh"
. "$SRC/tools/wine-env.sh"

# 1. The shipped exe's file header and sections.
check_exe() {
  local exe=$1 objdump=$2 flags size
  flags=$(python3 -c 'import struct, sys
d = open(sys.argv[1], "rb").read(); pe = struct.unpack_from("<I", d, 0x3C)[0]
print(struct.unpack_from("<H", d, pe + 22)[0])' "$exe")
  [ $((flags & 0x0400)) != 0 ] || fail "$exe: not marked to run from the swap file (flags $flags)"
  ! "$objdump" -h "$exe" | grep -q '\.debug' || fail "$exe: carries debug sections"
  size=$(stat -c %s "$exe")
  [ "$size" -le 1500000 ] || fail "$exe: $size bytes, more than 1.5 MB"
}
check_exe "$EXE" x86_64-w64-mingw32-objdump
I686="$BUILD/../i686/VINDREL.exe"
[ ! -e "$I686" ] || check_exe "$I686" i686-w64-mingw32-objdump
python3 "$SRC/tools/packart.py" "$SRC/resources/art/manifest.txt" "$SRC/resources/art" "$SRC/resources/sounds" \
  "$SHOTS/packed"
# What the manifest names now, each against the build's: a build folder may still hold the packed
# streams of artwork since left out, which the exe no longer carries.
for p in "$SHOTS"/packed/lists/*.bin "$SHOTS"/packed/pictures/*.bin; do
  f="$BUILD/artwork/${p#"$SHOTS"/packed/}"
  cmp -s "$f" "$p" || fail "$f: not what the committed artwork packs to"
done

# 2. A CD with one demo whose screenshot and setup go with the CD.
CD="$SHOTS/cd"
mkdir -p "$CD/Demos/Gone"
convert -size 316x236 gradient:navy-orange -depth 8 "BMP3:$CD/Demos/Gone/Shot.bmp"
: >"$CD/Demos/Gone/Setup.exe"
cp "$EXE" "$CD/VINDREL.EXE"
printf '[Spil1]\r\nTitel=Gone with the disc\r\nKortTitel=Gone\r\nSetup=\\Demos\\Gone\\Setup.exe\r\nKategori=Action\r\n' \
  >"$CD/Spil.INI"
wine_env_map_cd "$CD"

start_menu "$CD" 'R:\VINDREL.EXE' da
wait_page start 63 440
mv "$CD" "$SHOTS/cd.gone"

click 63 440
expect_change start menu "OK did not show the main menu once the CD was gone"
click 140 40
expect_change menu category "the Action tile did not open the category page once the CD was gone"
click 152 109
expect_change category game "the demo's page did not open once the CD was gone"
# The screenshot's place (316 x 236 at 316, 16) shows no navy-to-orange picture: the file is gone.
[ "$(convert "$SHOTS/game.png" -format '%[fx:p{318,248}.r > 0.8 && p{318,248}.b < 0.3]' info:)" = 0 ] ||
  fail "the game page shows a screenshot that is no longer there"
click 342 440
expect_same menu menu-again "Install of a setup that is gone did not bring the main menu back"
exit_through_credits
echo "CD taken out: ok"
