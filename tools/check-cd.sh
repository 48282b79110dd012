#!/bin/bash
# Builds the CD check for this machine when needed and runs it on a CD folder:
#   tools/check-cd.sh [--werror] [--root DIR] [--proof DIR] <CD folder or Spil.INI>
# With --proof, a folder that holds no usable proof (none, an incomplete one, one older than the
# CD's files) gets one first: the CD's own VINDREL.EXE run in its proof mode under Wine (a private
# prefix and screen, the CD as drive R:), when Wine is here, 32-bit or 64-bit. Only where this
# machine cannot run 32-bit programs (its kernel, or Wine without its 32-bit half) does this build's
# 64-bit menu make the proof of a CD made for burning, on the CD's own files; a line says so.
# Exit status: 0 no errors, 1 errors found, 2 the check could not run.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${VINDREL_BUILD:-$ROOT/build}/cdcheck
if [ ! -x "$BUILD/cdcheck" ] || [ -n "$(find "$ROOT/tools/cdcheck" "$ROOT"/catalogue/Rulebook.* "$ROOT"/catalogue/ShotReader.* -newer "$BUILD/cdcheck" -type f)" ]; then
  # Built apart from any build that runs this (the sample CD's asks for its edition).
  env -u CC -u MAKEFLAGS -u MFLAGS -u MAKELEVEL CXX=g++ cmake -S "$ROOT/tools/cdcheck" -B "$BUILD" >/dev/null
  env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL cmake --build "$BUILD" >/dev/null
fi
args=("$@") proof=
for ((i = 0; i + 1 < ${#args[@]}; i++)); do [ "${args[i]}" = --proof ] && proof=${args[i + 1]}; done
cd_folder=${args[${#args[@]} - 1]:-}
[ -d "$cd_folder" ] || cd_folder=$(dirname "$cd_folder")
# A proof that is missing, incomplete or older than the CD's files is made again; a proof that
# fails ends the check with the proof's own status, its reason already on the console.
if [ -n "$proof" ] && ! "$BUILD/cdcheck" --proof-state "$@" >/dev/null && [ -f "$cd_folder/VINDREL.EXE" ] &&
  command -v wine >/dev/null; then
  . "$ROOT/tools/wine-env.sh"
  # The Wine prefix of the run is a temporary one: a prefix is about a gigabyte, and a producer's
  # runs must not pile them up in the build folder.
  run_dir=$(mktemp -d "${TMPDIR:-/tmp}/vindrel-proof.XXXXXX")
  trap 'wine_env_stop; rm -rf "$run_dir"' EXIT
  wine_env_start "$run_dir" >/dev/null
  wine_env_map_cd "$(realpath "$cd_folder")"
  mkdir -p "$proof"
  target="Z:$(realpath "$proof" | tr / '\\')"
  menu64=${VINDREL_BUILD:-$ROOT/build}/x86_64/VINDREL.exe
  menu=$(wine_env_menu_for "$cd_folder" "$menu64")
  [ "$menu" = VINDREL.EXE ] || [ -f "$menu64" ] || VINDREL_SKIP_I686=1 "$ROOT/tools/build.sh" >/dev/null
  rc=0
  (cd "$cd_folder" && timeout 600 wine "$menu" /proof "$target" </dev/null 2>/dev/null) || rc=$?
  wine_env_stop
  rm -rf "$run_dir"
  trap - EXIT
  if [ "$rc" != 0 ] && [ "$rc" != 1 ]; then
    echo "check-cd: the menu's proof ended with status $rc: no proof to compare with" >&2
    exit "$rc"
  fi
fi
exec "$BUILD/cdcheck" "$@"
