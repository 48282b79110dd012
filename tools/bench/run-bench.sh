#!/bin/bash
# Runs the start-up and wait benchmark under Wine on a private Xvfb screen with the sample CD.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${VINDREL_BUILD:-$ROOT/build}
"$ROOT/tools/setup-deps.sh"
VINDREL_SKIP_I686=1 "$ROOT/tools/build.sh" >/dev/null
. "$ROOT/tools/wine-env.sh"
wine_env_start "$BUILD/bench"
trap wine_env_stop EXIT
wine_env_map_cd "$BUILD/x86_64/cd"
timeout 300 wine "$BUILD/x86_64/tools/PROGSTUB.exe" 'C:\progman.log' 300 </dev/null >/dev/null 2>&1 &
sleep 1
cd "$BUILD/x86_64/cd"
# The benchmarks are GUI programs; their reports come through the redirected output.
timeout 300 wine "$BUILD/x86_64/tools/StartBench.exe" 'R:\VINDREL.EXE' "${1:-5}" </dev/null 2>/dev/null | tr -d '\r'
timeout 300 wine "$BUILD/x86_64/tools/PageBench.exe" 'R:\VINDREL.EXE' 200 </dev/null 2>/dev/null | tr -d '\r'
