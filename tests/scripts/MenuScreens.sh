#!/bin/bash
# The menu itself on the Xvfb screen, driven with the real pointer: the disclaimer's OK, the
# Action tile, a demo too big for any machine (its memory line blinks red and the warning shows),
# Back twice, the exit sign and the credits page's exit sign, which ends the program.
# Screenshots of the main menu, the category page and the game page are kept in
# <build>/screenshots/.   Arguments: <menu exe> <build folder> <source folder>
set -euo pipefail
EXE=$1 BUILD=$2
OUT=$(mktemp -d)
SHOTS="$BUILD/screenshots"
MENU_PID= STUB_PID=
cleanup() {
  xdotool mousemove 0 0 2>/dev/null || true  # leave no page lit for the next screen test
  for pid in $MENU_PID $STUB_PID; do kill "$pid" 2>/dev/null || true; done
  mkdir -p "$SHOTS"
  for f in menu category game; do cp "$OUT/$f.png" "$SHOTS/$f.png" 2>/dev/null || true; done
  rm -rf "$OUT"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
winpath() { echo "Z:$1" | tr / '\\'; }

# The CD: a catalogue in the Windows code page, a demo folder with its screenshot.
mkdir -p "$OUT/cd/Demos/Giant"
convert -size 316x236 gradient:navy-orange -depth 8 "BMP3:$OUT/cd/Demos/Giant/Shot.bmp"
GIANT=$(winpath "$OUT/cd/Demos/Giant/Setup.exe")
{
  printf '[Spil1]\r\nTitel=Giant of the Deep Mountains\r\nKortTitel=Giant\r\nSetup=%s\r\n' "$GIANT"
  printf 'CPU=233\r\nRam=2000000\r\nHD=40\r\nKategori=Action\r\n'
  printf 'Dansk=Et k\xe6mpe eventyr i bjergene. Demoen har to baner og en tr\xe6ningsdel, og den kr\xe6ver mere hukommelse end nogen maskine har. '
  printf 'Beskrivelsen er lang nok til at fylde flere linjer p\xe5 spillets side, s\xe5 man kan se hvordan teksten brydes.\r\n'
  for i in 2 3 4; do
    printf '[Spil%d]\r\nTitel=Action demo %d\r\nKortTitel=Action demo %d\r\nKategori=Action\r\n' $i $i $i
  done
  printf '[Spil5]\r\nTitel=Long titled strategy demo\r\nKortTitel=Strategy\r\nKategori=Strategy\r\n'
} >"$OUT/cd/Spil.INI"

timeout 60 wine "$BUILD/tools/PROGSTUB.exe" "$(winpath "$OUT/progman.log")" 50 </dev/null >/dev/null 2>&1 &
STUB_PID=$!
for _ in $(seq 100); do grep -q READY "$OUT/progman.log" 2>/dev/null && break; sleep 0.1; done

(cd "$OUT/cd" && timeout 60 wine "$EXE" da </dev/null >"$OUT/menu.out" 2>&1; echo $? >"$OUT/menu.rc") &
MENU_PID=$!

read -r W H < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
X=$(( (W - 640) / 2 )); Y=$(( (H - 480) / 2 ))
shot() { import -window root "$OUT/$1.png"; }
# The page area of a screenshot, compared with an earlier one: number of differing pixels.
differs() { compare -metric AE "$OUT/$1.png" "$OUT/$2.png" null: 2>&1 || true; }
# Red (0x0000FF) pixels in a page rectangle of a screenshot: w h left top.
red_in() {
  convert "$OUT/$1.png" -crop "$2x$3+$((X + $4))+$((Y + $5))" +repage -fill black +opaque 'rgb(255,0,0)' \
    -fill white -opaque 'rgb(255,0,0)' -format '%[fx:round(mean*w*h)]' info:
}
click() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1; sleep "${3:-0.6}"; }

# The disclaimer comes first; its OK shows the main menu.
for _ in $(seq 100); do
  shot start
  [ "$(convert "$OUT/start.png" -format "%[pixel:p{$((X + 63)),$((Y + 440))}]" info:)" != "srgb(0,0,0)" ] && break
  sleep 0.2
done
sleep 0.5
click 63 440
xdotool mousemove $((X + 630)) $((Y + 5)); sleep 0.4
shot menu
[ "$(differs start menu)" != 0 ] || fail "OK did not show the main menu"

# The Action tile opens the category page with the four Action demos.
click 140 40
xdotool mousemove $((X + 630)) $((Y + 5)); sleep 0.4
shot category
[ "$(differs menu category)" != 0 ] || fail "the Action tile did not open the category page"

# The first demo: its memory line (panel 304,278 + 12,26, 181 x 20) blinks red every 300 ms.
click 152 109 0.3
xdotool mousemove $((X + 630)) $((Y + 5))
lit= dark=
for i in $(seq 10); do
  shot "g$i"
  n=$(red_in "g$i" 181 20 316 304)
  if [ "$n" -gt 20 ]; then [ -n "$lit" ] || { lit=$i; cp "$OUT/g$i.png" "$OUT/game.png"; }
  elif [ -n "$lit" ]; then dark=$i; fi
  sleep 0.12
done
[ -n "$lit" ] || fail "no red memory line on the game page"
[ -n "$dark" ] || fail "the red memory line does not blink"
[ "$(red_in game 297 57 316 342)" -gt 50 ] || fail "no warning text under the requirements"

# Back to the category page, Back to the menu, the exit sign, and the credits page's exit sign.
click 535 440
click 535 440
click 599 453
shot credits
[ "$(differs menu credits)" != 0 ] || fail "the exit sign did not open the credits page"
click 599 453 0.2
for _ in $(seq 100); do [ -e "$OUT/menu.rc" ] && break; sleep 0.1; done
[ -e "$OUT/menu.rc" ] || fail "the credits page's exit sign did not end the program"
[ "$(cat "$OUT/menu.rc")" = 0 ] || fail "the menu ended with $(cat "$OUT/menu.rc")"
MENU_PID=
grep -qF '[ShowGroup(NonExist, 1)]' "$OUT/progman.log" || fail "no Program Manager command at the end"
echo "menu screens: ok (screenshots in $SHOTS)"
