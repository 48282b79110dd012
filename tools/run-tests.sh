#!/bin/bash
# Sets up what is missing, builds both programs and runs every test under Wine on Xvfb.
# With no arguments the tests run in two streams side by side (below); with arguments, as CTest
# is given them, in one prefix: tools/run-tests.sh -R Catalogue
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${VINDREL_BUILD:-$ROOT/build}
"$ROOT/tools/setup-deps.sh"
"$ROOT/tools/build.sh"
. "$ROOT/tools/wine-env.sh"
rm -rf "$BUILD/x86_64/testenv" "$BUILD/x86_64/testenv-2" "$BUILD/x86_64/wine-template" "$BUILD/x86_64/units-1.done"
# One prefix is booted; every test's prefix, the script tests' own included, is a copy of it.
wine_env_boot_template "$BUILD/x86_64/wine-template"
wine_env_start "$BUILD/x86_64/testenv"
trap wine_env_stop EXIT
trap "exit 130" INT TERM
CTEST=(ctest --test-dir "$BUILD/x86_64" --output-on-failure --timeout 300)
if [ $# -gt 0 ]; then
  "${CTEST[@]}" "$@"
  exit
fi
# Two runs side by side, each in a prefix and on a screen of its own, the second's report after
# the first's: the unit tests in halves, then the script tests, two that make a prefix of their
# own (the sample CD, the narrow screen) beside the others. The reader's session, which follows
# the pages' stacking through an uninstall on the screen, runs last, alone.
OWN_PREFIX='^script\.(sample_cd|screen_warning)$'
ALONE='^script\.reader_session$'
# Now and then, with two streams, a unit test's Wine process does not start: the test fails in
# no time, without a line of output. Such a test is started again (at most twice more); one that
# really fails fails every time.
UNITS=(-E '^script\.' --repeat until-pass:3)
waitfor() { for _ in $(seq 3000); do [ -e "$1" ] && return; sleep 0.2; done; }  # at most 10 min
(
  wine_env_start "$BUILD/x86_64/testenv-2"
  trap wine_env_stop EXIT
  status=0
  "${CTEST[@]}" "${UNITS[@]}" -I 2,,2 >"$BUILD/x86_64/tests-2.log" 2>&1 || status=1
  # Waits for the first run's unit tests, so that no script shares the machine with them.
  waitfor "$BUILD/x86_64/units-1.done"
  "${CTEST[@]}" -R "$OWN_PREFIX" >>"$BUILD/x86_64/tests-2.log" 2>&1 || status=1
  exit $status
) &
SECOND=$!
status=0
"${CTEST[@]}" "${UNITS[@]}" -I 1,,2 || status=1
touch "$BUILD/x86_64/units-1.done"
"${CTEST[@]}" -R '^script\.' -E "$OWN_PREFIX|$ALONE" || status=1
wait "$SECOND" || status=1
cat "$BUILD/x86_64/tests-2.log"
"${CTEST[@]}" -R "$ALONE" || status=1
exit $status
