#!/bin/bash
# Screenshots of the menu in each language, driven as a user would with the pointer: the flag
# page, the disclaimer, the main menu, the DirectX, index and uninstall pages, a demo's game page (with its warning: the
# copy of the sample CD used here asks for more disk than any machine has), help on installing,
# and the credits. A few demos are installed first, so that the uninstall page has something to list.
# Written to build/screenshots/<language>-<page>.png, or to the folder named with --out.
#   tools/screenshots.sh [--out folder] [da se no fi]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${VINDREL_BUILD:-$ROOT/build}
OUT="$BUILD/screenshots"
if [ "${1:-}" = --out ]; then OUT=$(realpath -m "$2"); shift 2; fi
LANGUAGES=("$@")
[ ${#LANGUAGES[@]} -gt 0 ] || LANGUAGES=(da se no fi)
"$ROOT/tools/setup-deps.sh"
VINDREL_SKIP_I686=1 "$ROOT/tools/build.sh"
. "$ROOT/tools/wine-env.sh"
RUN="$BUILD/screenshots-run"
rm -rf "$RUN"
mkdir -p "$OUT"
wine_env_start "$RUN" 1024x768
STUB= MENU=
stop() {
  if [ -n "$MENU" ]; then kill "$MENU" 2>/dev/null || true; fi
  if [ -n "$STUB" ]; then kill "$STUB" 2>/dev/null || true; fi
  wine_env_stop
}
trap stop EXIT
trap "exit 130" INT TERM

CD="$RUN/cd"
cp -r "$BUILD/x86_64/cd" "$CD"
# The Action demo (Spil6) needs more disk than there is: its line turns red and the warning shows.
awk '/^\[Spil6\]/{s=1} /^\[Spil7\]/{s=0} s && /^HD=/{print "HD=999999\r"; next} {print}' \
  "$BUILD/x86_64/cd/Spil.INI" >"$CD/Spil.INI"
wine_env_map_cd "$CD"
timeout 600 wine "$BUILD/x86_64/tools/PROGSTUB.exe" 'C:\progman.log' 600 </dev/null >/dev/null 2>&1 &
STUB=$!
# Three demos installed as the menu would have left them: the demo's own setup, then its record.
for demo in 'Polar Dash:PolarDash:Polar Dash' 'Night Freight:NightFreight:Night Freight' 'Nine Winds:NineWinds:Nine Winds Demo'; do
  IFS=: read -r title dir group <<<"$demo"
  timeout 60 wine "R:\\Demos\\$dir\\Setup.exe" /S </dev/null >/dev/null 2>&1
  record="HKLM\\Software\\Vindrel_Games\\1099\\$title"
  wine_tool reg add "$record" /v Afinstallationsstreng /d "\"C:\\Program Files\\$dir\\Uninstall.exe\"" /reg:32 /f </dev/null >/dev/null 2>&1
  wine_tool reg add "$record" /v Folder /d "$group" /reg:32 /f </dev/null >/dev/null 2>&1
done
sleep 1

SHOTS=$OUT
. "$ROOT/tools/screen.sh"
# The game page's short-falling line blinks: of a few pictures, keep the one with the most red.
shot_lit() {
  local best=-1 red
  for _ in $(seq 8); do
    shot lit
    red=$(red_in lit 640 480 0 0)
    if [ "$red" -gt "$best" ]; then best=$red; cp "$SHOTS/lit.png" "$SHOTS/$1.png"; fi
    sleep 0.1
  done
  rm -f "$SHOTS/lit.png"
}
start() {
  (cd "$CD" && exec timeout 120 wine VINDREL.EXE "$@" </dev/null >>"$RUN/menu.log" 2>&1) &
  MENU=$!
}
finish() {
  for _ in $(seq 50); do kill -0 "$MENU" 2>/dev/null || break; sleep 0.2; done
  if kill -0 "$MENU" 2>/dev/null; then echo "the menu did not end by its exit sign" >&2; kill "$MENU" || true; fi
  wait "$MENU" 2>/dev/null || true
  MENU=
}

# Centres of the buttons, in page coordinates (their layout tables).
OK_ANSVAR="63 440"; MENU_DX="440 390"; MENU_ACTION="140 40"; MENU_EXIT="599 453"
MENU_INDEX="343 442"; MENU_UNINSTALL="440 442"; UNINSTALL_BACK="530 440"
ROW1="152 109"; GAME_HELP="437 440"; BACK_RIGHT="535 440"; CREDITS_EXIT="599 453"

echo "== flags"
start '??'
wait_page flags 379 240
click 259 240  # Norwegian, the second flag
expect_change flags flags-then-no-disclaimer "the Norwegian flag did nothing"
click $OK_ANSVAR
expect_change flags-then-no-disclaimer flags-then-menu "OK did not show the main menu"
click $MENU_EXIT
expect_change flags-then-menu flags-then-credits "the exit sign did not open the credits"
click $CREDITS_EXIT
finish
rm -f "$OUT"/flags-then-menu.png "$OUT"/flags-then-credits.png

for code in "${LANGUAGES[@]}"; do
  echo "== $code"
  start "$code"
  wait_page "$code-1-disclaimer" 63 440
  click $OK_ANSVAR
  expect_change "$code-1-disclaimer" "$code-2-mainmenu" "OK did not show the main menu"
  click $MENU_DX
  expect_change "$code-2-mainmenu" "$code-3-directx" "no DirectX page"
  click $BACK_RIGHT
  expect_same "$code-2-mainmenu" back "DirectX: Back did not return to the main menu"
  click $MENU_INDEX
  expect_change "$code-2-mainmenu" "$code-3-index" "no index page"
  click $BACK_RIGHT
  expect_same "$code-2-mainmenu" back "index: Back did not return to the main menu"
  click $MENU_UNINSTALL
  expect_change "$code-2-mainmenu" "$code-3-uninstall" "no uninstall page"
  click $UNINSTALL_BACK
  expect_same "$code-2-mainmenu" back "uninstall: Back did not return to the main menu"
  click $MENU_ACTION
  expect_change "$code-2-mainmenu" "$code-3-category" "no category page"
  click $ROW1
  expect_change "$code-3-category" game "no game page"
  shot_lit "$code-4-game"
  click $GAME_HELP
  expect_change --at-least 20000 "$code-4-game" "$code-5-help-install" "no help page"
  click $BACK_RIGHT   # help: back to the game page
  expect_change "$code-5-help-install" game "help: Back did not return to the game page"
  click $BACK_RIGHT   # game page: back to the category
  expect_same "$code-3-category" back "game: Back did not return to the category page"
  click $BACK_RIGHT   # category: back to the main menu
  expect_same "$code-2-mainmenu" back "category: Back did not return to the main menu"
  click $MENU_EXIT
  expect_change "$code-2-mainmenu" "$code-6-credits" "the exit sign did not open the credits"
  click $CREDITS_EXIT
  finish
  rm -f "$OUT/back.png" "$OUT/game.png"
done
ls "$OUT"/*.png
