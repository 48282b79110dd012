#!/bin/bash
# Sets up what is missing, builds both programs and runs every test under Wine on Xvfb.
# With no arguments the tests run two at a time, each in a slot of its own (below); with arguments,
# as CTest is given them, in one prefix: tools/run-tests.sh -R Catalogue
# Every test runs once: a test that fails fails the run, with its reason in its own output. A case
# that hangs is ended by the tests' watchdog, named; what a test leaves running is ended after it,
# and at the end nothing the run started runs on (checked, and named if it did).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${VINDREL_BUILD:-$ROOT/build}
"$ROOT/tools/setup-deps.sh"
t0=$SECONDS
"$ROOT/tools/build.sh"
. "$ROOT/tools/wine-env.sh"
rm -rf "$BUILD/x86_64/testenv" "$BUILD/x86_64/testenv-2" "$BUILD/x86_64/wine-template"
t1=$SECONDS
# One prefix is booted; every test's prefix, the script tests' own included, is a copy of it.
wine_env_boot_template "$BUILD/x86_64/wine-template"
CTEST=(ctest --test-dir "$BUILD/x86_64" --output-on-failure)
SLEEPER=$BUILD/x86_64/tests/sleeper.exe

# At the end: the slots' programs and servers, then anything else a test started under this build
# folder (a script ended by its time limit has had no chance to stop its own).
leftovers() {
  local file pid name
  for file in $(grep -lzs "^WINEPREFIX=$BUILD/" /proc/[0-9]*/environ); do
    pid=${file#/proc/}; pid=${pid%/environ}
    name=$(tr '\0' '\n' 2>/dev/null <"/proc/$pid/cmdline" | head -1) || continue
    [[ $name =~ ^[A-Za-z]:\\|wineserver|Xvfb ]] && echo "$pid ${name##*[\\/]}"
  done
}
finish() {
  local status=$? left
  wine_env_stop
  if [ -n "${SLOT2_PREFIX:-}" ]; then WINEPREFIX=$SLOT2_PREFIX WINE_ENV_XVFB_PID=$SLOT2_XVFB wine_env_stop; fi
  sleep 0.5
  left=$(leftovers)
  if [ -n "$left" ]; then
    echo "FAIL: left running at the end of the run, now ended: $(echo "$left" | awk '{print $2 " (" $1 ")"}' | tr '\n' ' ')"
    kill -9 $(echo "$left" | awk '{print $1}') 2>/dev/null || true
    [ "$status" != 0 ] || status=1
  fi
  exit "$status"
}

if [ $# -gt 0 ]; then
  wine_env_start "$BUILD/x86_64/testenv"
  trap finish EXIT
  trap "exit 130" INT TERM
  "${CTEST[@]}" "$@"
  exit
fi
# Two slots, each a prefix and a screen of its own; the second's are kept aside while the first's
# are the run's own. Each slot's desktop is held by a sleeper for the unit tests: Wine's desktop
# process ends a few seconds after the last program on it, and a suite that started just as it
# ended found its windows gone with it.
wine_env_start "$BUILD/x86_64/testenv-2"
SLOT2_PREFIX=$WINEPREFIX SLOT2_DISPLAY=$DISPLAY SLOT2_XVFB=$WINE_ENV_XVFB_PID
wine_env_hold_desktop "$SLEEPER"
SLOT2_HOLDER=$WINE_ENV_HOLDER_PID
wine_env_start "$BUILD/x86_64/testenv"
trap finish EXIT
trap "exit 130" INT TERM
wine_env_hold_desktop "$SLEEPER"
export VINDREL_KEEP_PIDS="$WINE_ENV_HOLDER_PID $SLOT2_HOLDER"
export VINDREL_SLOT1_PREFIX=$WINEPREFIX VINDREL_SLOT1_DISPLAY=$DISPLAY
export VINDREL_SLOT2_PREFIX=$SLOT2_PREFIX VINDREL_SLOT2_DISPLAY=$SLOT2_DISPLAY
printf '{"version": {"major": 1, "minor": 0}, "local": [{"slots": [{"id": "1", "slots": 1}, {"id": "2", "slots": 1}]}]}\n' \
  >"$BUILD/x86_64/slots.json"
t2=$SECONDS
# First the unit tests, two suites at a time, one in each slot.
status=0
"${CTEST[@]}" -E '^script\.' -j2 --resource-spec-file "$BUILD/x86_64/slots.json" || status=1
t3=$SECONDS
wine_env_release_desktop
kill "$SLOT2_HOLDER" 2>/dev/null || true
# Then the script tests in two runs side by side, never beside the unit tests: in the first slot
# the screens and the CD check; in the second the CD taken out and the system's languages, then
# those that make a prefix of their own (the sample CD, the narrow screen). Those in a slot's
# prefix go first there: a prefix left idle meanwhile pays a second for a new desktop at every
# start. The reader's session, which follows the pages' stacking through an uninstall on the
# screen, runs last, alone.
SECOND_SLOT='^script\.(system_language|cd_taken_out)$'
OWN_PREFIX='^script\.(sample_cd|screen_warning|platform32)$'
ALONE='^script\.reader_session$'
(
  export WINEPREFIX=$SLOT2_PREFIX DISPLAY=$SLOT2_DISPLAY
  second=0
  "${CTEST[@]}" -R "$SECOND_SLOT" || second=1
  "${CTEST[@]}" -R "$OWN_PREFIX" || second=1
  exit $second
) >"$BUILD/x86_64/tests-2.log" 2>&1 &
SECOND_RUN=$!
"${CTEST[@]}" -R '^script\.' -E "$SECOND_SLOT|$OWN_PREFIX|$ALONE" || status=1
wait "$SECOND_RUN" || status=1
cat "$BUILD/x86_64/tests-2.log"
t4=$SECONDS
"${CTEST[@]}" -R "$ALONE" || status=1
t5=$SECONDS
echo "Time: build $((t1 - t0)) s; tests $((t5 - t1)) s (Wine prefix $((t2 - t1)) s, unit suites $((t3 - t2)) s," \
  "scripts side by side $((t4 - t3)) s, reader's session $((t5 - t4)) s)"
exit $status
