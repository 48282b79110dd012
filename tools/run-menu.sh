#!/bin/bash
# Starts the menu under Wine on a CD folder, with the folder as drive R: and as the current
# directory, as autorun would have it:
#   run-menu.sh [CD folder] [language]
# Without a folder: sets up what is missing, builds, and runs the sample CD. The language is a
# code for the menu (da, se, no, fi, or ?? for the flags). Uses $DISPLAY when there is one,
# otherwise a private Xvfb screen (then a screenshot is written to build/run/screen.png). The CD's
# own VINDREL.EXE runs, 32-bit or 64-bit. Whether a 32-bit one (a CD made for burning) can run
# depends on the machine: where its kernel does not start 32-bit programs, or Wine's 32-bit half is
# missing, this build's 64-bit menu runs in its place, on the CD's own catalogue and files, and a
# line says so and why.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${VINDREL_BUILD:-$ROOT/build}
CD= args=()
if [ $# -gt 0 ] && [ -d "$1" ]; then CD=$(realpath "$1"); shift; fi
args=("$@")
"$ROOT/tools/setup-deps.sh"
[ -n "$CD" ] && [ -f "$BUILD/x86_64/VINDREL.exe" ] && [ -f "$BUILD/x86_64/tools/PROGSTUB.exe" ] ||
  VINDREL_SKIP_I686=1 "$ROOT/tools/build.sh"
CD=${CD:-$BUILD/x86_64/cd}
[ -f "$CD/Spil.INI" ] || { echo "run-menu: $CD holds no Spil.INI" >&2; exit 2; }
. "$ROOT/tools/wine-env.sh"
MENU=$(wine_env_menu_for "$CD" "$BUILD/x86_64/VINDREL.exe")
RUN="$BUILD/run"   # kept between runs, so recorded demos are still there next time
WINE_ENV_USE_DISPLAY=1 wine_env_start "$RUN"
trap wine_env_stop EXIT
trap "exit 130" INT TERM
wine_env_map_cd "$CD"
# Our own Program Manager stand-in receives the exit command, so the platform's does not open a window.
timeout 3600 wine "$BUILD/x86_64/tools/PROGSTUB.exe" 'C:\progman.log' 3600 </dev/null >/dev/null 2>&1 &
STUB=$!
sleep 1
if [ -n "$WINE_ENV_XVFB_PID" ]; then
  echo "No display: the menu runs on Xvfb $DISPLAY; screenshot in $RUN/screen.png after 5 s."
  ( sleep 5; import -display "$DISPLAY" -window root "$RUN/screen.png" 2>/dev/null || true ) &
fi
cd "$CD"
wine "$MENU" "${args[@]}" </dev/null || true
kill "$STUB" 2>/dev/null || true
