#!/usr/bin/env bash
# The Wine test bed: a private prefix under build/, a 1024x768 virtual desktop with the shell's
# taskbar, code page 932, and an X display (the user's for `make run`, else a private Xvfb).
#   testbed.sh up [--user-display]   start what is missing (prefix, X server, wineserver)
#   testbed.sh down                  stop what `up` started
#   testbed.sh env                   print the environment as shell exports
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

start_xvfb() {
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  echo $! >"$state/xvfb.pid"
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
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
    start_xvfb
  fi
  if [ ! -f "$WINEPREFIX/.testbed-ready" ]; then
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    write_prefix_settings >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.testbed-ready"
  fi
  wineserver -p </dev/null >/dev/null 2>&1 || true
  start_desktop
}

# The desktop and Wine's services live as long as the wineserver. Started here, they hold no
# pipe of whoever runs the first test (a test runner would wait for them to close it).
start_desktop() {
  desktop_up && return 0
  wine explorer /desktop=Default,1024x768 </dev/null >/dev/null 2>&1 &
  for _ in $(seq 150); do desktop_up && return 0; sleep 0.2; done
  echo "testbed: the Wine desktop did not come up" >&2
  return 1
}

desktop_up() { xdotool search --name 'Wine desktop' >/dev/null 2>&1; }

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
  *) echo "usage: $0 up [--user-display] | down | env" >&2; exit 2 ;;
esac
