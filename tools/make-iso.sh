#!/bin/bash
# Writes an ISO 9660 image of a CD folder, with Joliet names for Windows and Rock Ridge names for
# other systems, ready to burn or to mount.
#   make-iso.sh [CD folder] [image file] [volume label]
# Without a folder it builds the sample CD and takes the 32-bit one (build/i686/cd): its menu and
# setup programs run on every Windows PC. The image's default name and label come from the CD's
# edition (the catalogue's [CD] Udgave, as the menu reads it): build/vindrel-<edition>.iso,
# VINDREL_<EDITION>. Run tools/check-cd.sh on the folder before burning.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${VINDREL_BUILD:-$ROOT/build}
CD=${1:-}
if [ -z "$CD" ]; then
  "$ROOT/tools/setup-deps.sh"
  VINDREL_SKIP_I686=0 "$ROOT/tools/build.sh"
  CD=$BUILD/i686/cd
fi
[ -f "$CD/Spil.INI" ] || { echo "make-iso: $CD holds no Spil.INI" >&2; exit 2; }
EDITION=$(bash "$ROOT/tools/check-cd.sh" --edition "$CD")
# A file name without blanks; a label of A-Z, 0-9 and _ only, cut to 16.
IMAGE=${2:-$BUILD/vindrel-${EDITION// /-}.iso}
DEFAULT_LABEL=$(printf 'VINDREL_%s' "$EDITION" | tr 'a-z' 'A-Z' | tr -c 'A-Z0-9_\n' '_' | cut -c1-16)
LABEL=${3:-$DEFAULT_LABEL}
# ISO 9660 volume labels are upper-case letters, digits and '_'; Joliet keeps at most 16 characters.
if ! [[ $LABEL =~ ^[A-Z0-9_]{1,16}$ ]]; then
  echo "make-iso: the volume label must be 1 to 16 of A-Z, 0-9 and _" >&2; exit 2
fi
mkdir -p "$(dirname "$IMAGE")"
xorriso -as mkisofs -quiet -iso-level 2 -J -joliet-long -r -V "$LABEL" -o "$IMAGE" "$CD"
echo "$IMAGE"
