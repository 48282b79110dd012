#!/bin/bash
# The unit suites that touch the platform (records, uninstall look-ups, launch and wait, probes,
# fonts, the shell's start and exit) as a 32-bit program on 64-bit Windows, as the CD's menu runs:
# the tests' 32-bit build, which tools/build.sh makes where this machine runs 32-bit programs.
# Elsewhere this says why and counts as skipped (status 77), never as passed.
# Arguments: <menu exe> <build folder> <source folder>
set -uo pipefail
BUILD=$2 SRC=$3
. "$SRC/tools/wine-env.sh"
TESTS="$(dirname "$BUILD")/i686-tests/tests/vindrel_tests.exe"
why=$(wine_env_no_32bit)
[ -n "$why" ] || [ -f "$TESTS" ] || why="the tests' 32-bit build is missing (made by tools/build.sh unless VINDREL_SKIP_I686=1)"
if [ -n "$why" ]; then
  echo "32-bit unit suites skipped: $why."
  exit 77
fi
ENV="$BUILD/testenv-platform32"
rm -rf "$ENV"
wine_env_start "$ENV"
trap wine_env_stop EXIT
timeout 100 wine "$TESTS" --gtest_filter='Records.*:RecordRootsTest.*:UninstallLookUp.*:RunAndWait.*:HungWindow.*:Probe*:FontsFolder.*:InstallFonts.*:ShellTest.*:ExitCleanUpTest.*:ShellWithoutProgramManager.*' </dev/null
