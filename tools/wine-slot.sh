#!/bin/bash
# Runs a test program under Wine in the prefix and on the screen of the slot CTest gave the test
# (tools/run-tests.sh starts one of each per slot and names them in VINDREL_SLOT<id>_PREFIX and
# VINDREL_SLOT<id>_DISPLAY); without a slot, in the run's own. What the program leaves running in
# the prefix (a stand-in Program Manager of a test that was ended, say) is named and ended, so that
# it cannot answer the next suite's calls; the run's desktop holders (VINDREL_KEEP_PIDS) stay.
if [[ ${CTEST_RESOURCE_GROUP_0_SLOTS:-} =~ ^id:([0-9]+) ]]; then
  prefix=VINDREL_SLOT${BASH_REMATCH[1]}_PREFIX display=VINDREL_SLOT${BASH_REMATCH[1]}_DISPLAY
  export WINEPREFIX=${!prefix} DISPLAY=${!display}
fi
. "$(dirname "$0")/wine-env.sh"
# A backstop only: the tests' own watchdog ends a case that hangs, naming it, well before this.
# Its output goes through a file, not CTest's pipe: every Wine program inherits its parent's
# stderr, and a program the suite started (a stand-in, or Wine's desktop process when the suite
# was the one to start it) would hold the pipe open, and CTest wait for it until its time limit.
out=$(mktemp)
timeout -k 5 "${VINDREL_SUITE_LIMIT:-110}" wine "$@" </dev/null >"$out" 2>&1
status=$?
cat "$out"
rm -f "$out"
[ "$status" = 124 ] && echo "HUNG: the program ran past ${VINDREL_SUITE_LIMIT:-110} s and was ended: $*"
left=$(wine_env_programs "$WINEPREFIX" | while read -r pid name; do
  [[ " ${VINDREL_KEEP_PIDS:-} " == *" $pid "* ]] || echo "$pid $name"
done)
if [ -n "$left" ]; then
  echo "Left running by the tests, now ended: $(echo "$left" | awk '{print $2}' | tr '\n' ' ')"
  kill -9 $(echo "$left" | awk '{print $1}') 2>/dev/null || true
fi
exit "$status"
