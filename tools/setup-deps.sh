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
# The CD's menu and its setups are 32-bit: Wine runs them with its 32-bit half (multiarch i386),
# where this machine's kernel starts 32-bit programs at all. Where it cannot (some sandboxes), the
# 32-bit half would only break `wine`, so it is left out and the tests say the 32-bit runs skip.
if "$(dirname "$0")/can-run-32bit.sh"; then
  dpkg -s wine32:i386 >/dev/null 2>&1 || need+=(wine32:i386)
elif dpkg -s wine32:i386 >/dev/null 2>&1; then
  echo "This machine cannot start 32-bit programs: removing wine32:i386, which would break wine."
  SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq wine32:i386 >/dev/null
fi
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
[ -f /usr/include/stb/stb_image.h ] && [ -f /usr/include/stb/stb_image_resize.h ] || need+=(libstb-dev)
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  if [[ " ${need[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
