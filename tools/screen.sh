# Sourced by the screen tests and the screenshot script, once the display is up: pictures of the
# 640 x 480 page centred on the screen, and the real pointer. The caller sets SHOTS (the folder
# for the pictures); all coordinates given to these helpers are page coordinates.

read -r SCREEN_W SCREEN_H < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
X=$(( (SCREEN_W - 640) / 2 )); Y=$(( (SCREEN_H - 480) / 2 ))

fail() {
  echo "FAIL: $*"
  import -window root "$SHOTS/failure.png" 2>/dev/null || true
  echo "screens so far: $SHOTS"
  exit 1
}
# The pointer is parked in the screen's corner after each click, so that no button stays lit.
away() { xdotool mousemove 0 0; }
click() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1 mousemove 0 0; }
# The page as a picture, the number of pixels in which two pictures differ, and whether they are
# the same. Two shots of the same pixels are the same bytes (no dates are written in them), so
# the pixels are counted only when the bytes differ (or a picture was made another way).
shot() { import -window root -crop "640x480+$X+$Y" +repage -define png:exclude-chunk=date,time "$SHOTS/$1.png"; }
differs() { compare -metric AE "$SHOTS/$1.png" "$SHOTS/$2.png" null: 2>&1 || true; }
same() { cmp -s "$SHOTS/$1.png" "$SHOTS/$2.png" || [ "$(differs "$1" "$2")" = 0 ]; }
lit() { [ "$(convert "$SHOTS/$1.png" -format "%[fx:p{$2,$3}.r + p{$2,$3}.g + p{$2,$3}.b > 0]" info:)" = 1 ]; }
# Pure red pixels in a rectangle of a page picture: w h left top.
red_in() {
  convert "$SHOTS/$1.png" -crop "$2x$3+$4+$5" +repage -fill black +opaque 'rgb(255,0,0)' \
    -fill white -opaque 'rgb(255,0,0)' -format '%[fx:round(mean*w*h)]' info:
}
# Retakes <name> until two pictures in a row are the same, so that a page still being drawn
# is not taken for the finished one.
settle() {
  for _ in $(seq 20); do
    sleep 0.15
    shot "$1.next"
    same "$1" "$1.next" && { rm -f "$SHOTS/$1.next.png"; return 0; }
    mv "$SHOTS/$1.next.png" "$SHOTS/$1.png"
  done
}
# Takes the page as <name> once it differs from <before> and has settled. With --at-least N it
# must differ in N pixels or more (a page with a blinking line changes a little all the time).
expect_change() {
  local least=1
  if [ "$1" = --at-least ]; then least=$2; shift 2; fi
  local before=$1 name=$2
  shift 2
  for _ in $(seq 60); do
    shot "$name"
    if ! cmp -s "$SHOTS/$before.png" "$SHOTS/$name.png" && [ "$(differs "$before" "$name")" -ge "$least" ] 2>/dev/null; then
      settle "$name"
      return 0
    fi
    sleep 0.2
  done
  fail "$*"
}
# Takes the page as <name> once it is the same picture as <reference>.
expect_same() {
  local reference=$1 name=$2
  shift 2
  for _ in $(seq 60); do
    shot "$name"
    same "$reference" "$name" && return 0
    sleep 0.2
  done
  fail "$*"
}
# Takes the page as <name> once it shows something other than black at x y, and has settled.
wait_page() {
  for _ in $(seq 100); do
    shot "$1"
    lit "$1" "$2" "$3" && { settle "$1"; return 0; }
    sleep 0.2
  done
  fail "$1: nothing came on screen"
}
# A Unix path as Wine's Z: drive shows it.
winpath() { echo "Z:$1" | tr / '\\'; }
# The Program Manager stand-in (its log in $SHOTS/progman.log), and once it answers, the menu: its
# folder, its program, then its arguments. The exit code goes to $SHOTS/menu.rc. Needs $BUILD.
start_menu() {
  local folder=$1 exe=$2
  shift 2
  timeout 90 wine "$BUILD/tools/PROGSTUB.exe" "$(winpath "$SHOTS/progman.log")" 80 </dev/null >/dev/null 2>&1 &
  STUB_PID=$!
  for _ in $(seq 100); do grep -q READY "$SHOTS/progman.log" 2>/dev/null && break; sleep 0.1; done
  (cd "$folder" && timeout 90 wine "$exe" "$@" </dev/null >"$SHOTS/menu.out" 2>&1; echo $? >"$SHOTS/menu.rc") &
  MENU_PID=$!
}
# From the main menu (taken as "menu"): the exit sign, then the credits page's exit sign. The menu
# must end with 0 and send its one Program Manager command; the caller's start writes the exit code
# to $SHOTS/menu.rc and the stand-in's log to $SHOTS/progman.log.
exit_through_credits() {
  click 599 453
  expect_change menu credits "the exit sign did not open the credits page"
  click 599 453
  for _ in $(seq 100); do [ -e "$SHOTS/menu.rc" ] && break; sleep 0.1; done
  [ -e "$SHOTS/menu.rc" ] || fail "the credits page's exit sign did not end the program"
  [ "$(cat "$SHOTS/menu.rc")" = 0 ] || fail "the menu ended with $(cat "$SHOTS/menu.rc")"
  MENU_PID=
  grep -qF '[ShowGroup(NonExist, 1)]' "$SHOTS/progman.log" || fail "no Program Manager command at the end"
}
