# Sourced by the run and test scripts: a private Wine prefix and Xvfb display under a folder,
# a persistent wineserver with detached stdio, and a clean stop of what was started (by pid).
#   wine_env_start <folder> [WxH]   then   wine_env_stop

#   With WINE_ENV_USE_DISPLAY=1 and a reachable $DISPLAY, that display is used instead of Xvfb.
#   With WINE_ENV_TEMPLATE naming a prefix booted by wine_env_boot_template, a new prefix starts
#   as a copy of it instead of booting (under a second instead of about ten).

wine_env_start() {
  local dir=$1 size=${2:-1024x768}
  mkdir -p "$dir"
  export WINEPREFIX="$dir/pfx" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  WINE_ENV_XVFB_PID=
  if [ "${WINE_ENV_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    :
  else
    local n=${VINDREL_DISPLAY_BASE:-60}
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp </dev/null >"$dir/xvfb.log" 2>&1 &
    WINE_ENV_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  if [ -n "${WINE_ENV_TEMPLATE:-}" ] && [ -f "$WINE_ENV_TEMPLATE/system.reg" ] && [ ! -e "$WINEPREFIX" ]; then
    cp -a "$WINE_ENV_TEMPLATE" "$WINEPREFIX"
  fi
  (wineserver -p </dev/null >/dev/null 2>&1 &)
  wine wineboot </dev/null >/dev/null 2>&1 || true
  # No sound card here: keep the audio drivers quiet.
  wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f </dev/null >/dev/null 2>&1 || true
  # There is no window manager on Xvfb: without this, Wine waits 2 s for one at every window
  # that is hidden or destroyed.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
  # The pages are laid out in Verdana; the free DejaVu Sans is the closest face here.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Verdana /d 'DejaVu Sans' /f </dev/null >/dev/null 2>&1 || true
  sleep 0.5
}

# Boots a prefix in <folder> once, to be copied by later wine_env_start calls, and stops it (its
# server first, so that the registry is on disk). Every prefix then starts the same way: a copy.
wine_env_boot_template() {
  ( wine_env_start "$1" && wine_env_stop ) >/dev/null 2>&1
  WINEPREFIX="$1/pfx" wineserver -w </dev/null >/dev/null 2>&1 || true
  export WINE_ENV_TEMPLATE=$1/pfx
}

wine_env_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k </dev/null >/dev/null 2>&1 || true; fi
  if [ -n "${WINE_ENV_XVFB_PID:-}" ]; then
    kill "$WINE_ENV_XVFB_PID" 2>/dev/null || true
    wait "$WINE_ENV_XVFB_PID" 2>/dev/null || true
    WINE_ENV_XVFB_PID=
  fi
}

# Shows a Unix folder to Wine as drive letter R:, as the CD drive would be.
wine_env_map_cd() {
  ln -sfn "$1" "$WINEPREFIX/dosdevices/r:"
}

# The menu to run under Wine on a CD folder: its own VINDREL.EXE, or, when that is the 32-bit one
# of a CD made for burning (Wine here runs 64-bit programs only), the given 64-bit menu in its
# place, on the CD's own catalogue and files. Prints the program's name as Wine takes it.
wine_env_menu_for() {
  local cd=$1 menu64=$2 at
  at=$(od -An -tu4 -j60 -N4 "$cd/VINDREL.EXE" 2>/dev/null | tr -d ' ')
  if [ -n "$at" ] && [ "$(od -An -tx2 -j"$at" -N6 "$cd/VINDREL.EXE" 2>/dev/null | awk '{print $3}')" = 014c ]; then
    echo "Z:$(realpath "$menu64" | tr / '\\')"
  else
    echo VINDREL.EXE
  fi
}

# Wine's desktop process ends soon after the last program on it, and from then on every start
# makes a new one and waits for it (over a second here). A script that starts many programs in a
# row holds the desktop with a program that only sleeps (no window, no output): the helpers'
# sleeper, given in $1, until wine_env_release_desktop.
wine_env_hold_desktop() {
  wine "$1" 3600000 </dev/null >/dev/null 2>&1 &
  WINE_ENV_HOLDER_PID=$!
}
wine_env_release_desktop() {
  if [ -n "${WINE_ENV_HOLDER_PID:-}" ]; then kill "$WINE_ENV_HOLDER_PID" 2>/dev/null || true; fi
  WINE_ENV_HOLDER_PID=
}
