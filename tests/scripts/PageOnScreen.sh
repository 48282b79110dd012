#!/bin/bash
# A toolkit page on the Xvfb screen: centred over the black backdrop and pixel for pixel what its
# PaintPage renders; the real pointer over a green button lights it, and a real click on the exit
# sign ends the program.   Arguments: <menu exe> <build folder> <source folder>
set -euo pipefail
BUILD=$2
DEMO=$BUILD/tools/PAGEDEMO.exe
OUT=$(mktemp -d)
DEMO_PID=
cleanup() {
  if [ -n "$DEMO_PID" ]; then kill "$DEMO_PID" 2>/dev/null || true; fi
  mkdir -p "$BUILD/screenshots" && cp "$OUT/screen.png" "$BUILD/screenshots/pagedemo.png" 2>/dev/null || true
  rm -rf "$OUT"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

timeout 90 wine "$DEMO" "Z:${OUT//\//\\}" </dev/null >"$OUT/log" 2>&1 &
DEMO_PID=$!
for _ in $(seq 200); do [ -e "$OUT/render.bmp" ] && break; sleep 0.1; done
[ -e "$OUT/render.bmp" ] || fail "the demo page never came up"
sleep 1

read -r W H < <(import -window root "$OUT/screen.png" && identify -format '%w %h\n' "$OUT/screen.png")
X=$(( (W - 640) / 2 )); Y=$(( (H - 480) / 2 ))
pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }

convert "$OUT/screen.png" -crop "640x480+$X+$Y" +repage "$OUT/page.png"
diff=$(compare -metric AE "$OUT/render.bmp" "$OUT/page.png" null: 2>&1 || true)
[ "$diff" = 0 ] || fail "screen differs from PaintPage in $diff pixels"
if [ "$X" -gt 0 ]; then
  band=$(pixel "$OUT/screen.png" $((X / 2)) $((H / 2)))
  case "$band" in black|"srgb(0,0,0)"|"rgb(0,0,0)") ;; *) fail "band left of the page is $band" ;; esac
fi

# The pointer over the green button (17,418 90x45) lights it.
xdotool mousemove $((X + 62)) $((Y + 440))
sleep 0.5
import -window root "$OUT/over.png"
convert "$OUT/screen.png" -crop "90x45+$((X + 17))+$((Y + 418))" +repage "$OUT/button-up.png"
convert "$OUT/over.png" -crop "90x45+$((X + 17))+$((Y + 418))" +repage "$OUT/button-over.png"
lit=$(compare -metric AE "$OUT/button-up.png" "$OUT/button-over.png" null: 2>&1 || true)
[ "$lit" != 0 ] || fail "the green button did not light under the pointer"

xdotool click 1
sleep 0.3
grep -q cmdNot "$OUT/events.txt" || fail "a click on the green button did not reach it"

# A click on the exit sign's centre ends the program.
xdotool mousemove $((X + 599)) $((Y + 453)) click 1
for _ in $(seq 100); do kill -0 "$DEMO_PID" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$DEMO_PID" 2>/dev/null; then fail "the exit sign did not end the program"; fi
wait "$DEMO_PID" || fail "the demo ended with an error"
DEMO_PID=
grep -q cmdSlut "$OUT/events.txt" || fail "the exit sign's click was not seen"
echo "page on screen: ok"
