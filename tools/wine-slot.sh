#!/bin/bash
# Runs a test program under Wine in the prefix and on the screen of the slot CTest gave the test
# (tools/run-tests.sh starts one of each per slot and names them in VINDREL_SLOT<id>_PREFIX and
# VINDREL_SLOT<id>_DISPLAY); without a slot, in the run's own.
if [[ ${CTEST_RESOURCE_GROUP_0_SLOTS:-} =~ ^id:([0-9]+) ]]; then
  prefix=VINDREL_SLOT${BASH_REMATCH[1]}_PREFIX display=VINDREL_SLOT${BASH_REMATCH[1]}_DISPLAY
  export WINEPREFIX=${!prefix} DISPLAY=${!display}
fi
exec wine "$@"
