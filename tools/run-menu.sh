#!/bin/bash
# Sets up what is missing, builds, and starts the menu under Wine on the sample CD, with the CD's
# folder as the current directory as autorun would have it. Uses $DISPLAY when there is one,
# otherwise a private Xvfb screen (then a screenshot is written to build/run/screen.png).
# Arguments are passed to the menu (a language code: da, se, no, fi or ??).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${VINDREL_BUILD:-$ROOT/build}
"$ROOT/tools/setup-deps.sh"
VINDREL_SKIP_I686=1 "$ROOT/tools/build.sh"
. "$ROOT/tools/wine-env.sh"
RUN="$BUILD/run"   # kept between runs, so recorded demos are still there next time
WINE_ENV_USE_DISPLAY=1 wine_env_start "$RUN"
trap wine_env_stop EXIT
trap "exit 130" INT TERM
CD="$BUILD/x86_64/cd"
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
wine VINDREL.EXE "$@" </dev/null || true
kill "$STUB" 2>/dev/null || true
