#!/bin/bash
# The sample CD as a reader meets it, driven with the real pointer on the Xvfb screen:
#   1. A machine in none of the four languages: the flag page comes first; the Swedish flag puts
#      the disclaimer in Swedish (the same pixels as a start with "se").
#   2. OK, the Simulator tile, Night Freight, Install: the demo's own NSIS setup opens and is
#      answered with the pointer; back on the main menu, the exit sign and the credits' exit sign.
#      Afterwards the Start-menu group lies in Games\1099, the record is in the registry and the
#      Program Manager has had its command.
#   3. A second run: Uninstall on the main menu lists the demo; a click marks it red, Uninstall
#      runs its uninstaller, which hands over to a copy of itself at once; the backdrop stays
#      while the copy asks (answered with the pointer); the demo, its group and record go, the
#      main menu comes back, and the uninstall page opened again lists nothing.
# Arguments: <menu exe> <build folder> <source folder>
set -euo pipefail
EXE=$1 BUILD=$2 SRC=$3
. "$SRC/tools/wine-env.sh"
ENV="$BUILD/testenv-reader"
rm -rf "$ENV"
SHOTS="$ENV/shots"
mkdir -p "$SHOTS"
MENU= STUB=
cleanup() {
  for pid in $MENU $STUB; do kill "$pid" 2>/dev/null || true; done
  wine_env_stop
}
wine_env_start "$ENV"
trap cleanup EXIT
. "$SRC/tools/screen.sh"

# The CD for burning, its 32-bit menu and setups, as the reader runs it, wherever 32-bit programs
# run; otherwise the 64-bit menu and setups on the 64-bit CD. Either way a 64-bit setup (run 4's)
# is started too, and the records stand in the 32-bit view.
CD="$ENV/cd"
CD32=$(wine_env_cd32 "$(dirname "$BUILD")")
if [ -n "$CD32" ]; then
  cp -r "$CD32" "$CD"
  PF='Program Files (x86)' VIEW=/reg:32
  echo "the CD for burning: its 32-bit menu and setups"
else
  cp -r "$BUILD/cd" "$CD"
  cp "$EXE" "$CD/VINDREL.EXE"
  PF='Program Files' VIEW=/reg:64
fi
wine_env_map_cd "$CD"
PROGRAMS=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/"Start Menu"/Programs | grep -v /Public/ | head -1)
INSTALLED="$WINEPREFIX/drive_c/$PF/NightFreight"
RECORD='HKLM\Software\Vindrel_Games\1099\Night Freight'  # in the 32-bit view, as every edition keeps it
UNINSTKEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\NightFreightDemo'  # in the setup's view
# <key> <value> <view>; <key> <view>
regvalue() { wine_tool reg query "$1" /v "$2" "$3" </dev/null 2>/dev/null | tr -d '\r' | awk -v v="$2" '$1 == v {sub(/^ *[^ ]+ +REG_SZ +/, ""); print}'; }
haskey() { wine_tool reg query "$1" "$2" </dev/null >/dev/null 2>&1; }

# A top-level window of another program, by its caption: waits for it and prints its id.
window() {
  local id
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}
# The NSIS wizards keep their forward button (Install, Uninstall, Close) in the bottom right corner.
press_forward() {
  local geometry wx wy ww wh
  geometry=$(xdotool getwindowgeometry --shell "$1")
  wx=$(sed -n 's/^X=//p' <<<"$geometry"); wy=$(sed -n 's/^Y=//p' <<<"$geometry")
  ww=$(sed -n 's/^WIDTH=//p' <<<"$geometry"); wh=$(sed -n 's/^HEIGHT=//p' <<<"$geometry")
  xdotool mousemove $((wx + ww - 60)) $((wy + wh - 23)) click 1
  away
}
gone() { ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
start_menu() {
  (cd "$CD" && timeout 120 wine VINDREL.EXE "$@" </dev/null >>"$ENV/menu.out" 2>&1; echo $? >"$ENV/menu.rc") &
  MENU=$!
}
# Starts the menu in Swedish and goes through the disclaimer to the main menu; the screens are
# taken as disclaimer-<tag> and menu-<tag>.
to_main_menu() {
  start_menu se
  wait_page "disclaimer-$1" 63 440
  click $ANSVAR_OK
  expect_change "disclaimer-$1" "menu-$1" "OK did not show the main menu ($1)"
}
end_menu() {
  for _ in $(seq 100); do [ -e "$ENV/menu.rc" ] && break; sleep 0.1; done
  [ -e "$ENV/menu.rc" ] || fail "$1: the exit sign did not end the program"
  [ "$(cat "$ENV/menu.rc")" = 0 ] || fail "$1: the menu ended with $(cat "$ENV/menu.rc")"
  rm -f "$ENV/menu.rc"
  MENU=
}

timeout 300 wine "$BUILD/tools/PROGSTUB.exe" "C:\\progman.log" 250 </dev/null >/dev/null 2>&1 &
STUB=$!
LOG="$WINEPREFIX/drive_c/progman.log"
for _ in $(seq 100); do grep -q READY "$LOG" 2>/dev/null && break; sleep 0.1; done

# Button centres in page coordinates, from the pages' layout tables.
FLAG_SE="379 240"; ANSVAR_OK="63 440"; MENU_SIMULATOR="140 120"; MENU_STRATEGY="140 360"; MENU_UNINSTALL="440 442"
MENU_EXIT="599 453"; ROW1="152 109"; ROW3="152 189"; GAME_INSTALL="342 440"; CREDITS_EXIT="599 453"
UNINSTALL_GO="341 440"; UNINSTALL_BACK="530 440"

echo "== run 1: the flag page, then an install"
start_menu
wait_page flags 379 240
click $FLAG_SE
expect_change flags disclaimer-by-flag "the Swedish flag left the flag page on screen"
click $ANSVAR_OK
expect_change disclaimer-by-flag menu "OK did not show the main menu"
click $MENU_SIMULATOR
expect_change menu simulator "the Simulator tile did not open its category page"
click $ROW3
expect_change simulator night-freight "Night Freight's button did not open its game page"

click $GAME_INSTALL
SETUP=$(window 'Night Freight - demo setup') || fail "the demo's setup did not open"
sleep 0.5
import -window root "$SHOTS/setup-on-screen.png"
press_forward "$SETUP"                                   # Install, into the proposed folder
for _ in $(seq 100); do [ -f "$INSTALLED/Uninstall.exe" ] && break; sleep 0.2; done
[ -f "$INSTALLED/Uninstall.exe" ] || fail "the setup installed nothing"
window 'Night Freight - demo setup: Completed' >/dev/null || fail "the setup did not complete"
press_forward "$SETUP"                                   # Close
for _ in $(seq 100); do gone 'Night Freight - demo setup' && break; sleep 0.2; done
gone 'Night Freight - demo setup' || fail "the setup's window stayed after Close"
# The record is written as soon as the setup has ended, before the program exits.
for _ in $(seq 50); do haskey "$RECORD" /reg:32 && break; sleep 0.2; done
[ "$(regvalue "$RECORD" Folder /reg:32)" = 'Night Freight' ] || fail "no record with the group after the install"
expect_same menu menu-after-install "the main menu did not come back after the setup"

click $MENU_EXIT
expect_change menu credits "the exit sign did not open the credits page"
click $CREDITS_EXIT
end_menu "run 1"
[ -f "$PROGRAMS/Games/1099/Night Freight/Night Freight.lnk" ] || fail "the group was not moved into Games\\1099: $(ls -R "$PROGRAMS")"
[ ! -e "$PROGRAMS/Night Freight" ] || fail "the group is still in the programs folder"
[ "$(regvalue "$RECORD" Afinstallationsstreng /reg:32)" = "\"C:\\$PF\\NightFreight\\Uninstall.exe\"" ] ||
  fail "the record's command is '$(regvalue "$RECORD" Afinstallationsstreng /reg:32)'"
grep -qF '[ShowGroup(NonExist, 1)]' "$LOG" || fail "no Program Manager command at the end of run 1"
echo "install: ok"

echo "== run 2: Swedish by its code, then the uninstall"
start_menu se
wait_page disclaimer-by-code 63 440
expect_same disclaimer-by-flag disclaimer-by-code "the flag did not give the same Swedish disclaimer as 'se'"
click $ANSVAR_OK
expect_change disclaimer-by-code menu-se "OK did not show the main menu"
click $MENU_UNINSTALL
expect_change menu-se uninstall "the main menu's Uninstall did not open the uninstall page"
click $ROW1
expect_change uninstall uninstall-marked "a click on the demo's row changed nothing"
[ "$(red_in uninstall-marked 217 41 32 88)" -gt 30 ] || fail "a click on the demo's row did not mark it red"
[ "$(red_in uninstall 217 41 32 88)" = 0 ] || fail "the demo's row was red before the click"
click $UNINSTALL_GO
REMOVE=$(window 'Night Freight - remove demo') || fail "the demo's uninstaller did not open"
sleep 0.5
# The first uninstaller has ended by now; the menu waits for its copy behind the black backdrop.
lit menu-se 5 5 || fail "the probe pixel is dark on the main menu"
shot uninstaller-asks
lit uninstaller-asks 5 5 && fail "a page came back while the uninstaller's copy still asked"
press_forward "$REMOVE"                                  # Uninstall
for _ in $(seq 100); do [ ! -e "$INSTALLED" ] && break; sleep 0.2; done
[ ! -e "$INSTALLED" ] || fail "the uninstaller left $(ls "$INSTALLED")"
window 'Night Freight - remove demo: Completed' >/dev/null || fail "the uninstaller did not complete"
press_forward "$REMOVE"                                  # Close
for _ in $(seq 100); do gone 'Night Freight - remove demo' && break; sleep 0.2; done
haskey "$UNINSTKEY" $VIEW && fail "the demo's uninstall entry is still there"
haskey "$RECORD" /reg:32 && fail "the record is still there"
[ ! -e "$PROGRAMS/Games/1099/Night Freight" ] || fail "the moved group is still there"
expect_same menu-se menu-after-uninstall "the main menu did not come back after the uninstall"
click $MENU_UNINSTALL
expect_change uninstall uninstall-after "the uninstall page still lists the demo"
click $UNINSTALL_BACK
expect_same menu-se menu-again "Back did not return to the main menu"
click $MENU_EXIT
expect_change menu-again credits-se "the exit sign did not open the credits page"
click $CREDITS_EXIT
end_menu "run 2"
echo "uninstall: ok"

echo "== run 3: a demo packaged for the Windows Installer, installed and removed"
MSIDIR="$WINEPREFIX/drive_c/$PF/Meridian"
MSIKEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\{6E1D3A52-8C4B-4F0E-9A7D-2B5C1E0F4D93}'
MSIRECORD='HKLM\Software\Vindrel_Games\1099\Meridian Colony'
to_main_menu msi
click $MENU_STRATEGY
expect_change menu-msi strategy "the Strategy tile did not open its category page"
click $ROW3
expect_change strategy meridian "Meridian Colony's button did not open its game page"
click $GAME_INSTALL
expect_same menu-msi menu-after-msi "the main menu did not come back after the package's install"
[ -f "$MSIDIR/ReadMe.txt" ] && [ -f "$MSIDIR/Title.bmp" ] || fail "the package installed nothing: $(ls "$MSIDIR" 2>&1)"
[ -f "$PROGRAMS/Meridian Colony/Meridian Colony.lnk" ] || fail "no shortcut in the package's group: $(ls "$PROGRAMS")"
haskey "$MSIKEY" $VIEW || fail "the package left no uninstall entry"
[ "$(regvalue "$MSIRECORD" Folder /reg:32)" = 'Meridian Colony' ] || fail "no record of the package's demo"
click $MENU_UNINSTALL
expect_change menu-msi uninstall-msi "the main menu's Uninstall did not open the uninstall page"
click $ROW1
expect_change uninstall-msi uninstall-msi-marked "a click on the package's row changed nothing"
click $UNINSTALL_GO
expect_same menu-msi menu-after-msi-removal "the main menu did not come back after the removal"
[ ! -e "$MSIDIR/ReadMe.txt" ] || fail "the removal left $(ls "$MSIDIR")"
haskey "$MSIKEY" $VIEW && fail "the package's uninstall entry is still there"
haskey "$MSIRECORD" /reg:32 && fail "the package's record is still there"
[ ! -e "$PROGRAMS/Meridian Colony/Meridian Colony.lnk" ] || fail "the package's shortcut is still there"
click $MENU_EXIT
expect_change menu-after-msi-removal credits-msi "the exit sign did not open the credits page"
click $CREDITS_EXIT
end_menu "run 3"
echo "Windows Installer package: ok"

echo "== run 4: a setup that starts its game at the end, and a menu ended by force meanwhile"
SALT="$CD/Demos/Salt"
cp "$BUILD/tests/nsis/GameAtEnd/Setup.exe" "$SALT/Setup.exe"
cp "$BUILD/tests/sleeper.exe" "$SALT/Game.exe"
SALTRECORD='HKLM\Software\Vindrel_Games\1099\Kingdoms of Salt'
to_main_menu game
click $MENU_STRATEGY
expect_change menu-game strategy-game "the Strategy tile did not open its category page"
click $ROW1
expect_change strategy-game salt "Kingdoms of Salt's button did not open its game page"
click $GAME_INSTALL
window '^sleeper$' >/dev/null || fail "the setup did not start its game"
started=$(date +%s%N)
# The record must stand while the game still runs (the wait has not ended): how soon it comes in
# seconds depends on the machine's load, so the game's window is the clock, not a stopwatch.
for _ in $(seq 150); do haskey "$SALTRECORD" /reg:32 && break; sleep 0.1; done
haskey "$SALTRECORD" /reg:32 || fail "no record $(( ($(date +%s%N) - started) / 1000000 )) ms after the setup's end, while its game runs"
gone '^sleeper$' && fail "the game ended before the record was checked"
shot game-running
lit game-running 5 5 && fail "a page came back while the game still ran"
wine_tool taskkill /f /im VINDREL.EXE </dev/null >/dev/null 2>&1 || true
for _ in $(seq 100); do [ -e "$ENV/menu.rc" ] && break; sleep 0.1; done
[ -e "$ENV/menu.rc" ] || fail "the menu was not ended by force"
rm -f "$ENV/menu.rc"
MENU=
wine_tool taskkill /f /im Game.exe </dev/null >/dev/null 2>&1 || true
to_main_menu after-kill
click $MENU_UNINSTALL
expect_change uninstall-after uninstall-lists-salt "the uninstall page does not list the demo after the forced end"
click $UNINSTALL_BACK
click $MENU_EXIT
expect_change menu-after-kill credits-kill "the exit sign did not open the credits page"
click $CREDITS_EXIT
end_menu "run 4"
echo "a game started at the end, the menu ended by force: ok"
