#!/bin/bash
# A screen 600 pixels wide: the warning is shown once, and after OK the program ends by itself
# through its normal clean-up, which still sends the Program Manager command.
set -euo pipefail
EXE=$1 BUILD=$2 SRC=$3
. "$SRC/tools/wine-env.sh"
ENV="$BUILD/testenv-600"
rm -rf "$ENV"
wine_env_start "$ENV" 600x480
trap wine_env_stop EXIT
winpath() { echo "Z:$1" | tr / '\\'; }

timeout 60 wine "$BUILD/tools/PROGSTUB.exe" "$(winpath "$ENV/progman.log")" 50 </dev/null >/dev/null 2>&1 &
for _ in $(seq 100); do grep -q READY "$ENV/progman.log" 2>/dev/null && break; sleep 0.1; done

mkdir -p "$ENV/cd"
(cd "$ENV/cd" && timeout 60 wine "$EXE" </dev/null >"$ENV/menu.out" 2>&1; echo $? >"$ENV/menu.rc") &
MENU=$!
# Watch long enough to see a second warning, should one come.
timeout 60 wine "$BUILD/tests/dlgwatch.exe" Warning 7 </dev/null >"$ENV/dialogs.txt" 2>/dev/null || true
cat "$ENV/dialogs.txt"
wait $MENU
grep -qx 'text=Your resolution must be at least 640x480' <(tr -d '\r' <"$ENV/dialogs.txt")
grep -qx 'count=1' <(tr -d '\r' <"$ENV/dialogs.txt")
[ "$(cat "$ENV/menu.rc")" = 0 ] || { echo "menu ended with $(cat "$ENV/menu.rc")"; exit 1; }
grep -qF '[ShowGroup(NonExist, 1)]' "$ENV/progman.log" || { echo "no DDE command"; cat "$ENV/progman.log"; exit 1; }
echo "screen warning: ok"
