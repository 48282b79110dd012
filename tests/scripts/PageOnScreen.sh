#!/bin/bash
# A toolkit page on the Xvfb screen: centred over the black backdrop and pixel for pixel what its
# PaintPage renders; the real pointer over a green button lights it, and a real click on the exit
# sign ends the program.   Arguments: <menu exe> <build folder> <source folder>
set -euo pipefail
BUILD=$2 SRC=$3
DEMO=$BUILD/tools/PAGEDEMO.exe
SHOTS=$(mktemp -d)
DEMO_PID=
cleanup() {
  if [ -n "$DEMO_PID" ]; then kill "$DEMO_PID" 2>/dev/null || true; fi
  mkdir -p "$BUILD/screenshots" && cp "$SHOTS/page.png" "$BUILD/screenshots/pagedemo.png" 2>/dev/null || true
  rm -rf "$SHOTS"
}
trap cleanup EXIT
. "$SRC/tools/screen.sh"

timeout 90 wine "$DEMO" "Z:${SHOTS//\//\\}" </dev/null >"$SHOTS/log" 2>&1 &
DEMO_PID=$!
for _ in $(seq 200); do [ -e "$SHOTS/render.bmp" ] && break; sleep 0.1; done
[ -e "$SHOTS/render.bmp" ] || fail "the demo page never came up"
convert "$SHOTS/render.bmp" "$SHOTS/render.png"
expect_same render page "the page on screen is not what PaintPage renders"
if [ "$X" -gt 0 ]; then
  import -window root "$SHOTS/screen.png"
  band=$(convert "$SHOTS/screen.png" -crop "1x1+$((X / 2))+$((SCREEN_H / 2))" -format '%[fx:r + g + b]' info:)
  [ "$band" = 0 ] || fail "the band left of the page is not black"
fi

# The pointer over the green button (17,418 90x45) lights it, and a click reaches it.
xdotool mousemove $((X + 62)) $((Y + 440))
expect_change page over "the green button did not light under the pointer"
[ "$(compare -metric AE "$SHOTS/page.png[90x45+17+418]" "$SHOTS/over.png[90x45+17+418]" null: 2>&1 || true)" != 0 ] ||
  fail "the pointer lit something other than the green button"
xdotool click 1
for _ in $(seq 50); do grep -q cmdNot "$SHOTS/events.txt" 2>/dev/null && break; sleep 0.1; done
grep -q cmdNot "$SHOTS/events.txt" || fail "a click on the green button did not reach it"

# A click on the exit sign's centre ends the program.
click 599 453
for _ in $(seq 100); do kill -0 "$DEMO_PID" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$DEMO_PID" 2>/dev/null; then fail "the exit sign did not end the program"; fi
wait "$DEMO_PID" || fail "the demo ended with an error"
DEMO_PID=
grep -q cmdSlut "$SHOTS/events.txt" || fail "the exit sign's click was not seen"
echo "page on screen: ok"
