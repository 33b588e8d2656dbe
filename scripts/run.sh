#!/usr/bin/env bash
# Starts the bar in a Wine virtual desktop (1024x768) on the user's display, or on a private
# Xvfb when there is none; saves a screenshot once the bar stands; runs until interrupted, or
# for RUN_SECONDS seconds, then quits the bar (so it saves its placement) and stops the rest.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

# `make bench` refuses to run while this runs: it would measure or quit this bar.
mkdir -p build/testbed
echo $$ >build/testbed/run.pid

bar=""
stop() {
  trap - EXIT INT TERM
  if [ -n "$bar" ] && kill -0 "$bar" 2>/dev/null; then
    wine build/tests/barctl.exe quit 15 >/dev/null 2>&1 || true
    wait "$bar" 2>/dev/null || true
  fi
  scripts/testbed.sh down
  rm -f build/testbed/run.pid
}
trap stop EXIT
trap 'exit 0' INT TERM

if [ -n "${DISPLAY:-}" ]; then
  DISPLAY_OF_USER="$DISPLAY" scripts/testbed.sh up --user-display
else
  scripts/testbed.sh up
fi
eval "$(scripts/testbed.sh env)"

# The bar takes the folder it is started from as its program folder.
(cd build && exec wine korimbel.exe </dev/null >/dev/null 2>&1) &
bar=$!
if ! wine build/tests/barctl.exe wait 30 >/dev/null 2>&1; then
  echo "run: the bar did not appear" >&2
  exit 1
fi
sleep 1
import -window root build/screenshot.png
echo "screenshot: $root/build/screenshot.png"

if [ -n "${RUN_SECONDS:-}" ]; then
  sleep "$RUN_SECONDS"
else
  echo "The bar runs on display $DISPLAY; press Ctrl+C to quit it."
  while kill -0 "$bar" 2>/dev/null; do sleep 1; done
fi
