#!/usr/bin/env bash
# Runs every test: the pure logic natively under sanitizers and a few seconds of fuzzing, then
# the Windows tests in the Wine test bed, which is started for the run and stopped afterwards.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

ctest --test-dir build/native --output-on-failure
native=$?
scripts/fuzz.sh 3
fuzzing=$?

scripts/testbed.sh up
trap 'scripts/testbed.sh down' EXIT
ctest --test-dir build --output-on-failure
windows=$?

[ $native -eq 0 ] && [ $fuzzing -eq 0 ] && [ $windows -eq 0 ]
