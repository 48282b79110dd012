#!/bin/bash
# The menu itself on the Xvfb screen, driven with the real pointer: the disclaimer's OK, the
# Action tile, a demo too big for any machine (its memory line blinks red and the warning shows),
# Back twice, the exit sign and the credits page's exit sign, which ends the program.
# Screenshots of the main menu, the category page and the game page are kept in
# <build>/screenshots/.   Arguments: <menu exe> <build folder> <source folder>
set -euo pipefail
EXE=$1 BUILD=$2 SRC=$3
SHOTS=$(mktemp -d)
KEEP="$BUILD/screenshots"
MENU_PID= STUB_PID=
cleanup() {
  away 2>/dev/null || true  # leave no page lit for the next screen test
  for pid in $MENU_PID $STUB_PID; do kill "$pid" 2>/dev/null || true; done
  mkdir -p "$KEEP"
  for f in menu category game failure; do cp "$SHOTS/$f.png" "$KEEP/$f.png" 2>/dev/null || true; done
  rm -rf "$SHOTS"
}
trap cleanup EXIT
. "$SRC/tools/screen.sh"

# The CD: a catalogue in the Windows code page, a demo folder with its screenshot.
mkdir -p "$SHOTS/cd/Demos/Giant"
convert -size 316x236 gradient:navy-orange -depth 8 "BMP3:$SHOTS/cd/Demos/Giant/Shot.bmp"
GIANT=$(winpath "$SHOTS/cd/Demos/Giant/Setup.exe")
{
  printf '[Spil1]\r\nTitel=Giant of the Deep Mountains\r\nKortTitel=Giant\r\nSetup=%s\r\n' "$GIANT"
  printf 'CPU=233\r\nRam=2000000\r\nHD=40\r\nKategori=Action\r\n'
  printf 'Dansk=Et k\xe6mpe eventyr i bjergene. Demoen har to baner og en tr\xe6ningsdel, og den kr\xe6ver mere hukommelse end nogen maskine har. '
  printf 'Beskrivelsen er lang nok til at fylde flere linjer p\xe5 spillets side, s\xe5 man kan se hvordan teksten brydes.\r\n'
  for i in 2 3 4; do
    printf '[Spil%d]\r\nTitel=Action demo %d\r\nKortTitel=Action demo %d\r\nKategori=Action\r\n' $i $i $i
  done
  printf '[Spil5]\r\nTitel=Long titled strategy demo\r\nKortTitel=Strategy\r\nKategori=Strategy\r\n'
} >"$SHOTS/cd/Spil.INI"

start_menu "$SHOTS/cd" "$EXE" da

# The disclaimer comes first; its OK shows the main menu.
wait_page start 63 440
click 63 440
expect_change start menu "OK did not show the main menu"

# The Action tile opens the category page with the four Action demos.
click 140 40
expect_change menu category "the Action tile did not open the category page"

# The first demo: its memory line (panel 304,278 + 12,26, 181 x 20) blinks red every 300 ms.
click 152 109
lit= dark=
for i in $(seq 60); do
  shot "g$i"
  n=$(red_in "g$i" 181 20 316 304)
  if [ "$n" -gt 20 ]; then [ -n "$lit" ] || { lit=$i; cp "$SHOTS/g$i.png" "$SHOTS/game.png"; }
  elif [ -n "$lit" ]; then dark=$i; break; fi
  sleep 0.12
done
[ -n "$lit" ] || fail "no red memory line on the game page"
[ -n "$dark" ] || fail "the red memory line does not blink"
[ "$(red_in game 297 57 316 342)" -gt 50 ] || fail "no warning text under the requirements"

# Back to the category page, Back to the menu, the exit sign, and the credits page's exit sign.
click 535 440
expect_same category category-again "Back did not return to the category page"
click 535 440
expect_same menu menu-again "Back did not return to the main menu"
exit_through_credits
echo "menu screens: ok (screenshots in $KEEP)"
