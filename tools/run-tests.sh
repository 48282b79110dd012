#!/bin/bash
# Sets up what is missing, builds both programs and runs every test under Wine on Xvfb.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${VINDREL_BUILD:-$ROOT/build}
"$ROOT/tools/setup-deps.sh"
"$ROOT/tools/build.sh"
. "$ROOT/tools/wine-env.sh"
rm -rf "$BUILD/x86_64/testenv"
wine_env_start "$BUILD/x86_64/testenv"
# The script tests each start from a copy of this freshly booted prefix.
wine_env_save_template "$BUILD/x86_64/wine-template"
trap wine_env_stop EXIT
trap "exit 130" INT TERM
ctest --test-dir "$BUILD/x86_64" --output-on-failure --timeout 300 "$@"
