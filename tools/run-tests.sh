#!/bin/bash
# Sets up what is missing, builds both programs and runs every test under Wine on Xvfb.
# With no arguments the tests run two at a time, each in a slot of its own (below); with arguments,
# as CTest is given them, in one prefix: tools/run-tests.sh -R Catalogue
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${VINDREL_BUILD:-$ROOT/build}
"$ROOT/tools/setup-deps.sh"
"$ROOT/tools/build.sh"
. "$ROOT/tools/wine-env.sh"
rm -rf "$BUILD/x86_64/testenv" "$BUILD/x86_64/testenv-2" "$BUILD/x86_64/wine-template"
# One prefix is booted; every test's prefix, the script tests' own included, is a copy of it.
wine_env_boot_template "$BUILD/x86_64/wine-template"
CTEST=(ctest --test-dir "$BUILD/x86_64" --output-on-failure --timeout 300)
if [ $# -gt 0 ]; then
  wine_env_start "$BUILD/x86_64/testenv"
  trap wine_env_stop EXIT
  "${CTEST[@]}" "$@"
  exit
fi
# Two slots, each a prefix and a screen of its own; the second's are kept aside while the first's
# are the run's own.
wine_env_start "$BUILD/x86_64/testenv-2"
SLOT2_PREFIX=$WINEPREFIX SLOT2_DISPLAY=$DISPLAY SLOT2_XVFB=$WINE_ENV_XVFB_PID
wine_env_start "$BUILD/x86_64/testenv"
stop_slots() {
  wine_env_stop
  WINEPREFIX=$SLOT2_PREFIX WINE_ENV_XVFB_PID=$SLOT2_XVFB wine_env_stop
}
trap stop_slots EXIT
trap "exit 130" INT TERM
export VINDREL_SLOT1_PREFIX=$WINEPREFIX VINDREL_SLOT1_DISPLAY=$DISPLAY
export VINDREL_SLOT2_PREFIX=$SLOT2_PREFIX VINDREL_SLOT2_DISPLAY=$SLOT2_DISPLAY
printf '{"version": {"major": 1, "minor": 0}, "local": [{"slots": [{"id": "1", "slots": 1}, {"id": "2", "slots": 1}]}]}\n' \
  >"$BUILD/x86_64/slots.json"
# First the unit tests, two suites at a time, one in each slot. Now and then a Wine process does
# not start: the suite fails in no time, without a line of output. Such a suite is started again
# (at most twice more); one that really fails fails every time.
status=0
"${CTEST[@]}" -E '^script\.' -j2 --resource-spec-file "$BUILD/x86_64/slots.json" --repeat until-pass:3 || status=1
# Then the script tests in two runs side by side, never beside the unit tests: in the first slot
# the screens and the CD check; in the second the CD taken out and the system's languages, then
# those that make a prefix of their own (the sample CD, the narrow screen). Those in a slot's
# prefix go first there: Wine's desktop process ends a few seconds after the last program on it,
# and a prefix left idle meanwhile pays a second for a new one at every start. The reader's
# session, which follows the pages' stacking through an uninstall on the screen, runs last, alone.
SECOND_SLOT='^script\.(system_language|cd_taken_out)$'
OWN_PREFIX='^script\.(sample_cd|screen_warning)$'
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
"${CTEST[@]}" -R "$ALONE" || status=1
exit $status
