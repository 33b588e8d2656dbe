#!/usr/bin/env bash
# korimbel.exe and a folder whose path is longer than any current directory a program can have
# (300 characters). Started from that folder, the system starts it elsewhere: the bar still takes
# the folder its own file lies in. A copy lying in that folder has a name too long for the
# bar's 255-byte records: started from there it stores its folder by the short form, which the
# ANSI calls open. Either way the bar runs and quits cleanly and never stores a folder cut short.
# Runs inside the test bed; argument: the build.
set -uo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
eval "$("$root/scripts/testbed.sh" env)"
key='HKCU\Software\Quorvane\korimbel'
fail() { echo "long_folder: $*"; wine "$build/tests/barctl.exe" quit 10 >/dev/null 2>&1; exit 1; }

deep=$build/tests/deep
while [ ${#deep} -lt 300 ]; do deep=$deep/dddddddddddddddddddddddddddddddddddddddd; done
mkdir -p "$deep"
cp "$build/korimbel.exe" "$deep/korimbel.exe"

# Starts the program given from the deep folder, quits it and prints the stored curpath.
start_and_quit() {
  wine reg delete "$key" /f >/dev/null 2>&1
  wine reg add "$key" /v curpath /t REG_SZ /d 'c:\tools\bar' /f >/dev/null || fail "cannot store curpath"
  (cd "$deep" && exec wine "$1" </dev/null >/dev/null 2>&1) &
  local bar=$!
  wine "$build/tests/barctl.exe" wait 30 || fail "the bar did not start"
  wine "$build/tests/barctl.exe" quit 15 || fail "the bar did not quit"
  wait $bar
  local code=$?
  [ $code -eq 0 ] || fail "exit code $code"
  wine reg query "$key" /v curpath | tr -d '\r' | awk '/curpath/ { print $3 }'
  wine reg delete "$key" /f >/dev/null 2>&1
}

own=$(winepath -w "$build" | tr 'A-Z' 'a-z')
stored=$(start_and_quit "$build/korimbel.exe")
[ "$stored" = "$own" ] || fail "started from the deep folder, curpath became '$stored', not '$own'"
stored=$(start_and_quit "$deep/korimbel.exe")
case "$stored" in "$own"'\tests\deep\'*'~'*) ;; *) fail "the deep copy made curpath '$stored'" ;; esac
[ "$(wine cmd /c "if exist $stored\korimbel.exe echo there" | tr -d '\r')" = there ] ||
  fail "the deep copy's curpath '$stored' names no korimbel.exe"
echo "long_folder: started from a ${#deep}-character folder, curpath $own; its copy there stored $stored"
