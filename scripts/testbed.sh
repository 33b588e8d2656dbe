#!/usr/bin/env bash
# The Wine test bed: a private prefix under build/, a 1024x768 virtual desktop with the shell's
# taskbar, code page 932, and an X display (the user's for `make run`, else a private Xvfb).
#   testbed.sh up [--user-display]   start what is missing (prefix, X server, wineserver)
#   testbed.sh down                  stop what `up` started
#   testbed.sh env                   print the environment as shell exports
#   testbed.sh check                 fail with one line saying what is not up
#   testbed.sh exec COMMAND...       run COMMAND in the test bed, after `check`
# A step that fails stops `up` with one line on standard error naming the step and its log.
#
# With --monitors first, the same for the two-monitor test bed, which runs beside the other with
# a prefix, an Xvfb and a wineserver of its own: no virtual desktop (it is always one monitor),
# one Xvfb screen of 1824x768 split into two RandR monitors, the primary 1024x768 and left of it
# one of 800x600, which Wine places at (-800, 0). Wine's 32-bit X11 driver reads them through
# the 32-bit Xinerama library and would see the one screen again through a 32-bit XRandR
# library; monitors set after Wine started are not seen until its wineserver starts again.
#
# With --wow64 first, the same for the 64-bit test bed, an English Windows: the main one's desktop
# in a prefix of 64-bit Windows, build/wineprefix-wow64, where 32-bit programs run under WOW64 as
# there, with code page 1252.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
monitors=false
flag=
arch=win32
locale=ja_JP.UTF-8
case "${1:-}" in --monitors | --wow64) flag="$1 "; shift ;; esac
if [ "$flag" = "--monitors " ]; then
  monitors=true
  state="$root/build/testbed-monitors"
  export WINEPREFIX="$root/build/wineprefix-monitors"
  screen=1824x768x24
elif [ "$flag" = "--wow64 " ]; then
  state="$root/build/testbed-wow64"
  export WINEPREFIX="$root/build/wineprefix-wow64"
  screen=1024x768x24
  arch=win64
  locale=en_US.UTF-8
else
  state="$root/build/testbed"
  export WINEPREFIX="$root/build/wineprefix"
  screen=1024x768x24
fi
mkdir -p "$state"

export WINEARCH=$arch
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=$locale LC_ALL=$locale
[ -f "$state/display" ] && export DISPLAY="$(cat "$state/display")"

alive() { [ -f "$1" ] && kill -0 "$(cat "$1")" 2>/dev/null; }
fail() { echo "testbed: $*" >&2; exit 1; }

start_xvfb() {
  command -v Xvfb >/dev/null || fail "Xvfb is missing (make setup installs it)"
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  # Without -noreset the RandR monitors go with the last client that leaves.
  Xvfb ":$n" -screen 0 "$screen" -nolisten tcp $($monitors && echo -noreset) >"$state/xvfb.log" 2>&1 &
  echo $! >"$state/xvfb.pid"
  for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    alive "$state/xvfb.pid" || break
    sleep 0.1
  done
  [ -e "/tmp/.X11-unix/X$n" ] && alive "$state/xvfb.pid" ||
    fail "Xvfb did not start on display :$n (its output: ${state#$root/}/xvfb.log)"
  echo ":$n" >"$state/display"
  export DISPLAY=":$n"
  if $monitors; then split_screen || fail "the Xvfb screen could not be split into two monitors (is xrandr there? make setup installs it)"; fi
}

# Xvfb's one output is named "screen"; the monitor that holds it is the first, Wine's primary.
split_screen() {
  { xrandr --setmonitor primary 1024/270x768/203+800+0 screen &&
    xrandr --setmonitor left 800/211x600/159+0+0 none; } >>"$state/xvfb.log" 2>&1
}

write_prefix_settings() {
  local reg="$state/desktop.reg"
  {
    printf '\xff\xfe'
    { echo 'Windows Registry Editor Version 5.00'; $monitors || cat <<'REG'

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops\Default]
"EnableShell"=dword:00000001
REG
      cat <<'REG'

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS PGothic"="IPAPGothic"
"MS Gothic"="IPAGothic"
"MS UI Gothic"="IPAPGothic"
REG
    } | iconv -f UTF-8 -t UTF-16LE
  } >"$reg"
  wine regedit /S "$(winepath -w "$reg")"
}

up() {
  if [ "${1:-}" = "--user-display" ] && [ -n "${DISPLAY_OF_USER:-}" ]; then
    echo "$DISPLAY_OF_USER" >"$state/display"
    export DISPLAY="$DISPLAY_OF_USER"
  elif ! alive "$state/xvfb.pid"; then
    # A recorded Xvfb that ended took the prefix's programs with it; its wineserver goes too.
    [ -f "$state/xvfb.pid" ] && { wineserver -k >/dev/null 2>&1 || true; }
    start_xvfb
  fi
  if $monitors; then
    [ -e /usr/lib/i386-linux-gnu/libXinerama.so.1 ] ||
      fail "the 32-bit Xinerama library is missing: Wine would see one monitor (make setup installs it)"
    [ ! -e /usr/lib/i386-linux-gnu/libXrandr.so.2 ] ||
      fail "a 32-bit XRandR library is installed: Wine would see Xvfb's one output, not the two monitors"
  fi
  if [ ! -f "$WINEPREFIX/.testbed-ready" ]; then
    local log="$state/wineboot.log"
    rm -rf "$WINEPREFIX"
    wineboot -i >"$log" 2>&1 || fail "wineboot could not create the Wine prefix (its output: ${state#$root/}/wineboot.log)"
    write_prefix_settings >>"$log" 2>&1 || fail "the desktop settings could not be written into the Wine prefix (${state#$root/}/wineboot.log)"
    wineserver -w >>"$log" 2>&1 || fail "the wineserver of the new prefix did not end (${state#$root/}/wineboot.log)"
    [ -f "$WINEPREFIX/system.reg" ] || fail "wineboot left no registry in the Wine prefix (its output: ${state#$root/}/wineboot.log)"
    touch "$WINEPREFIX/.testbed-ready"
  fi
  wineserver -p </dev/null >/dev/null 2>&1 || true
  start_desktop
}

# The desktop and Wine's services live as long as the wineserver. Started here, they hold no
# pipe of whoever runs the first test (a test runner would wait for them to close it).
# Without a virtual desktop, the desktop is the root window and its process shows nothing.
start_desktop() {
  desktop_up && return 0
  if $monitors; then
    wine explorer /desktop </dev/null >"$state/desktop.log" 2>&1 &
    echo $! >"$state/desktop.pid"
  else
    wine explorer /desktop=Default,1024x768 </dev/null >"$state/desktop.log" 2>&1 &
  fi
  for _ in $(seq 150); do desktop_up && return 0; sleep 0.2; done
  fail "the Wine desktop did not come up on display $DISPLAY within 30 s (its output: ${state#$root/}/desktop.log)"
}

desktop_up() {
  if $monitors; then
    alive "$state/desktop.pid" && xrandr --listmonitors 2>/dev/null | grep -qx 'Monitors: 2'
  else
    xdotool search --name 'Wine desktop' >/dev/null 2>&1
  fi
}

# What a test needs: the recorded display answering and the Wine desktop on it (the desktop is
# the wineserver's: it ends with it). Without them a test would hang until its time-out.
check() {
  local how="start it with scripts/testbed.sh ${flag}up (make test does, and stops it afterwards)"
  [ -f "$state/display" ] || fail "the test bed is not running; $how"
  if ! xdotool getdisplaygeometry >/dev/null 2>&1; then
    [ -f "$state/xvfb.pid" ] && fail "the test bed's Xvfb on display $DISPLAY has ended; $how"
    fail "the test bed's X display $DISPLAY does not answer; $how"
  fi
  desktop_up || fail "the test bed's Wine desktop is not running on display $DISPLAY (it ends with its wineserver); $how"
}

down() {
  wineserver -k 2>/dev/null || true
  if alive "$state/xvfb.pid"; then kill "$(cat "$state/xvfb.pid")"; fi
  rm -f "$state/xvfb.pid" "$state/display" "$state/desktop.pid"
}

case "${1:-}" in
  up) shift; up "$@" ;;
  down) down ;;
  env) for v in WINEPREFIX WINEARCH WINEDEBUG WINEDLLOVERRIDES LANG LC_ALL DISPLAY; do
         printf 'export %s=%q\n' "$v" "${!v:-}"; done ;;
  check) check ;;
  exec) shift; check; exec "$@" ;;
  *) echo "usage: $0 [--monitors | --wow64] up [--user-display] | down | env | check | exec COMMAND..." >&2; exit 2 ;;
esac
