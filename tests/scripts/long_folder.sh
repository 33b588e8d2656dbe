#!/usr/bin/env bash
# korimbel.exe started from a folder whose path is longer than any current directory a program
# can have (300 characters): the system starts it elsewhere, and the bar must run and quit
# cleanly without storing a folder cut short. Runs inside the test bed; argument: the build.
set -uo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
eval "$("$root/scripts/testbed.sh" env)"
key='HKCU\Software\Quorvane\korimbel'
fail() { echo "long_folder: $*"; wine "$build/tests/barctl.exe" quit 10 >/dev/null 2>&1; exit 1; }

deep=$build/tests/deep
while [ ${#deep} -lt 300 ]; do deep=$deep/dddddddddddddddddddddddddddddddddddddddd; done
mkdir -p "$deep"

wine reg delete "$key" /f >/dev/null 2>&1
wine reg add "$key" /v curpath /t REG_SZ /d 'c:\tools\bar' /f >/dev/null || fail "cannot store curpath"
(cd "$deep" && exec wine "$build/korimbel.exe" </dev/null >/dev/null 2>&1) &
bar=$!
wine "$build/tests/barctl.exe" wait 30 || fail "the bar did not start"
wine "$build/tests/barctl.exe" quit 15 || fail "the bar did not quit"
wait $bar
code=$?
[ $code -eq 0 ] || fail "exit code $code"
stored=$(wine reg query "$key" /v curpath | tr -d '\r' | awk '/curpath/ { print $3 }')
wine reg delete "$key" /f >/dev/null 2>&1
[ "$stored" = 'c:\tools\bar' ] || fail "curpath became '$stored'"
echo "long_folder: started from a ${#deep}-character folder, quit with 0, curpath kept"
