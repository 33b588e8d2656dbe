#!/usr/bin/env bash
# The Wine test bed: a private prefix under build/, a 1024x768 virtual desktop with the shell's
# taskbar, code page 932, and an X display (the user's for `make run`, else a private Xvfb).
#   testbed.sh up [--user-display]   start what is missing (prefix, X server, wineserver)
#   testbed.sh down                  stop what `up` started
#   testbed.sh env                   print the environment as shell exports
#   testbed.sh check                 fail with one line saying what is not up
#   testbed.sh exec COMMAND...       run COMMAND in the test bed, after `check`
# A step that fails stops `up` with one line on standard error naming the step and its log.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
state="$root/build/testbed"
mkdir -p "$state"

export WINEPREFIX="$root/build/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
[ -f "$state/display" ] && export DISPLAY="$(cat "$state/display")"

alive() { [ -f "$1" ] && kill -0 "$(cat "$1")" 2>/dev/null; }
fail() { echo "testbed: $*" >&2; exit 1; }

start_xvfb() {
  command -v Xvfb >/dev/null || fail "Xvfb is missing (make setup installs it)"
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
  echo $! >"$state/xvfb.pid"
  for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    alive "$state/xvfb.pid" || break
    sleep 0.1
  done
  [ -e "/tmp/.X11-unix/X$n" ] && alive "$state/xvfb.pid" ||
    fail "Xvfb did not start on display :$n (its output: build/testbed/xvfb.log)"
  echo ":$n" >"$state/display"
  export DISPLAY=":$n"
}

write_prefix_settings() {
  local reg="$state/desktop.reg"
  {
    printf '\xff\xfe'
    iconv -f UTF-8 -t UTF-16LE <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops\Default]
"EnableShell"=dword:00000001

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS PGothic"="IPAPGothic"
"MS Gothic"="IPAGothic"
"MS UI Gothic"="IPAPGothic"
REG
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
  if [ ! -f "$WINEPREFIX/.testbed-ready" ]; then
    local log="$state/wineboot.log"
    rm -rf "$WINEPREFIX"
    wineboot -i >"$log" 2>&1 || fail "wineboot could not create the Wine prefix (its output: build/testbed/wineboot.log)"
    write_prefix_settings >>"$log" 2>&1 || fail "the desktop settings could not be written into the Wine prefix (build/testbed/wineboot.log)"
    wineserver -w >>"$log" 2>&1 || fail "the wineserver of the new prefix did not end (build/testbed/wineboot.log)"
    [ -f "$WINEPREFIX/system.reg" ] || fail "wineboot left no registry in the Wine prefix (its output: build/testbed/wineboot.log)"
    touch "$WINEPREFIX/.testbed-ready"
  fi
  wineserver -p </dev/null >/dev/null 2>&1 || true
  start_desktop
}

# The desktop and Wine's services live as long as the wineserver. Started here, they hold no
# pipe of whoever runs the first test (a test runner would wait for them to close it).
start_desktop() {
  desktop_up && return 0
  wine explorer /desktop=Default,1024x768 </dev/null >"$state/desktop.log" 2>&1 &
  for _ in $(seq 150); do desktop_up && return 0; sleep 0.2; done
  fail "the Wine desktop did not come up on display $DISPLAY within 30 s (its output: build/testbed/desktop.log)"
}

desktop_up() { xdotool search --name 'Wine desktop' >/dev/null 2>&1; }

# What a test needs: the recorded display answering and the Wine desktop on it (the desktop is
# the wineserver's: it ends with it). Without them a test would hang until its time-out.
check() {
  local how="start it with scripts/testbed.sh up (make test does, and stops it afterwards)"
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
  rm -f "$state/xvfb.pid" "$state/display"
}

case "${1:-}" in
  up) shift; up "$@" ;;
  down) down ;;
  env) for v in WINEPREFIX WINEARCH WINEDEBUG WINEDLLOVERRIDES LANG LC_ALL DISPLAY; do
         printf 'export %s=%q\n' "$v" "${!v:-}"; done ;;
  check) check ;;
  exec) shift; check; exec "$@" ;;
  *) echo "usage: $0 up [--user-display] | down | env | check | exec COMMAND..." >&2; exit 2 ;;
esac
