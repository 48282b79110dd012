# Sourced by the run and test scripts: a private Wine prefix and Xvfb display under a folder,
# a persistent wineserver with detached stdio, and a clean stop of what was started (by pid).
#   wine_env_start <folder> [WxH]   then   wine_env_stop

#   With WINE_ENV_USE_DISPLAY=1 and a reachable $DISPLAY, that display is used instead of Xvfb.
#   With WINE_ENV_TEMPLATE naming a prefix booted by wine_env_boot_template, a new prefix starts
#   as a copy of it instead of booting (under a second instead of about ten).

# Wine's own tools by word size. Where Wine's 32-bit half is installed, `wine reg` and `wine taskkill`
# are its 32-bit builds (reg then reads the 32-bit registry view, taskkill does not see 64-bit
# programs): the scripts start the tools through the 64-bit loader and name the view (/reg:64 or
# /reg:32) in every query.
WINE64=/usr/lib/wine/wine64
[ -x "$WINE64" ] || WINE64=wine
wine_tool() { "$WINE64" "$@"; }

wine_env_start() {
  local dir=$1 size=${2:-1024x768}
  mkdir -p "$dir"
  export WINEPREFIX="$dir/pfx" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  WINE_ENV_XVFB_PID=
  if [ "${WINE_ENV_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    :
  else
    # Xvfb takes the first free display itself and names it on a pipe once it listens: a number
    # chosen here by looking for lock files could be taken by another run starting at the same
    # moment, whose Xvfb this run would then share until that run ended it.
    local fifo="$dir/xvfb.display" n=
    rm -f "$fifo" && mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$fifo" </dev/null >"$dir/xvfb.log" 2>&1 &
    WINE_ENV_XVFB_PID=$!
    read -r -t 30 n <"$fifo" || true
    rm -f "$fifo"
    if [ -z "$n" ]; then
      echo "wine-env: Xvfb did not start: $(tail -3 "$dir/xvfb.log")" >&2
      return 1
    fi
    export DISPLAY=":$n"
  fi
  if [ -n "${WINE_ENV_TEMPLATE:-}" ] && [ -f "$WINE_ENV_TEMPLATE/system.reg" ] && [ ! -e "$WINEPREFIX" ]; then
    cp -a "$WINE_ENV_TEMPLATE" "$WINEPREFIX"
  fi
  (wineserver -p </dev/null >/dev/null 2>&1 &)
  wine wineboot </dev/null >/dev/null 2>&1 || true
  # No sound card here: keep the audio drivers quiet.
  wine_tool reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /reg:64 /f </dev/null >/dev/null 2>&1 || true
  # There is no window manager on Xvfb: without this, Wine waits 2 s for one at every window
  # that is hidden or destroyed.
  wine_tool reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /reg:64 /f </dev/null >/dev/null 2>&1 || true
  # The pages are laid out in Verdana; the free DejaVu Sans is the closest face here.
  wine_tool reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Verdana /d 'DejaVu Sans' /reg:64 /f </dev/null >/dev/null 2>&1 || true
  sleep 0.5
}

# Boots a prefix in <folder> once, to be copied by later wine_env_start calls, and stops it (its
# server first, so that the registry is on disk). Every prefix then starts the same way: a copy.
wine_env_boot_template() {
  ( wine_env_start "$1" && wine_env_stop ) >/dev/null 2>&1
  WINEPREFIX="$1/pfx" wineserver -w </dev/null >/dev/null 2>&1 || true
  export WINE_ENV_TEMPLATE=$1/pfx
}

# Ends every program of the prefix with its server, then the screen.
wine_env_stop() {
  wine_env_release_desktop
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
  fi
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

# Why 32-bit programs cannot run under Wine on this machine; nothing when they can. That depends
# on the machine: its kernel must start 32-bit programs (some sandboxes' kernels do not), and Wine's
# 32-bit half (wine32:i386, which tools/setup-deps.sh installs where the kernel can) must be there.
wine_env_no_32bit() {
  if ! "$(dirname "${BASH_SOURCE[0]}")/can-run-32bit.sh"; then
    echo "this machine's kernel does not start 32-bit programs"
  elif ! /usr/lib/wine/wine --version </dev/null >/dev/null 2>&1; then
    echo "Wine's 32-bit half (wine32:i386) is not installed; tools/setup-deps.sh installs it"
  fi
}

# The CD for burning of a build root (its 32-bit menu and setups) when its programs can run here;
# otherwise nothing, and a line on stderr that says why the 32-bit run is skipped.
wine_env_cd32() {
  local why
  why=$(wine_env_no_32bit)
  [ -n "$why" ] || [ -f "$1/i686/cd/VINDREL.EXE" ] || why="the 32-bit build was skipped (VINDREL_SKIP_I686=1)"
  if [ -z "$why" ]; then
    echo "$1/i686/cd"
  else
    echo "32-bit run skipped: $why. The 64-bit menu and setups run on the 64-bit CD in its place." >&2
  fi
}

# Whether a Windows program is a 32-bit one (its PE header's machine is i386).
wine_env_is_32bit() {
  local at
  at=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$at" ] && [ "$(od -An -tx2 -j"$at" -N6 "$1" 2>/dev/null | awk '{print $3}')" = 014c ]
}

# The menu to run under Wine on a CD folder: its own VINDREL.EXE, 32-bit or 64-bit, wherever it
# can run. Only when the CD's is a 32-bit one and this machine cannot run 32-bit programs, the
# given 64-bit menu runs in its place, on the CD's own catalogue and files, and a line on stderr
# says so and why. Prints the program's name as Wine takes it.
wine_env_menu_for() {
  local cd=$1 menu64=$2 why
  if wine_env_is_32bit "$cd/VINDREL.EXE" && why=$(wine_env_no_32bit) && [ -n "$why" ]; then
    echo "The CD's VINDREL.EXE is 32-bit and cannot run here ($why): the 64-bit menu runs in its place." >&2
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

# The programs running in a prefix, one "pid name" a line: Windows programs, Wine's own services
# (its desktop, services, device and plug-and-play hosts) left out, since they come and go with
# the prefix's server. Found by the prefix in their environment, as Wine hands it down to children.
wine_env_programs() {
  local file pid name
  for file in $(grep -lzsx "WINEPREFIX=$1" /proc/[0-9]*/environ); do
    pid=${file#/proc/}; pid=${pid%/environ}
    name=$(tr '\0' '\n' 2>/dev/null <"/proc/$pid/cmdline" | head -1) || continue
    [[ $name =~ ^[A-Za-z]:\\ ]] || continue
    case "${name,,}" in
      *'\system32\explorer.exe'|*'\system32\services.exe'|*'\system32\winedevice.exe'|*'\system32\plugplay.exe'|\
      *'\system32\rpcss.exe'|*'\system32\svchost.exe'|*'\system32\conhost.exe') continue ;;
    esac
    echo "$pid ${name##*\\}"
  done
}
