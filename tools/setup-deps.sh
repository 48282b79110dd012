#!/bin/bash
# Installs what building and testing the menu needs on a Debian machine, when it is missing.
set -euo pipefail
need=()
have() { command -v "$1" >/dev/null 2>&1; }
have x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64-posix)
have i686-w64-mingw32-g++-posix   || need+=(g++-mingw-w64-i686-posix)
have i686-w64-mingw32-g++-win32   || need+=(g++-mingw-w64-i686-win32)
have x86_64-w64-mingw32-windres   || need+=(binutils-mingw-w64)
have wine                         || need+=(wine wine64)
have Xvfb                         || need+=(xvfb)
have xdotool                      || need+=(xdotool)
have import                       || need+=(imagemagick)
have makensis                     || need+=(nsis)
have wixl                         || need+=(wixl)
have cmake                        || need+=(cmake)
have xorriso                      || need+=(xorriso)
have zopfli                       || need+=(zopfli)
[ -f /usr/share/i18n/locales/da_DK ] || need+=(locales)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
[ -f /usr/i686-w64-mingw32/lib/libz.a ] && [ -f /usr/x86_64-w64-mingw32/lib/libz.a ] || need+=(libz-mingw-w64-dev)
/usr/bin/python3 -c 'import PIL' 2>/dev/null || need+=(python3-pil)
[ -d /usr/share/fonts/truetype/dejavu ] || need+=(fonts-dejavu-core)
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
