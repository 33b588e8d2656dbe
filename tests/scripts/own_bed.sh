#!/usr/bin/env bash
# Runs a test program in a test bed of its own (the two-monitor one, the 64-bit one), which is
# started for the run and stopped afterwards whatever the outcome; the main test bed is left as
# it is. Arguments: the bed's option of scripts/testbed.sh (--monitors, --wow64), the program and
# its arguments.
set -uo pipefail
bed="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/testbed.sh"
which=$1
shift
trap '"$bed" "$which" down' EXIT
"$bed" "$which" up || exit 1
"$bed" "$which" exec wine "$@"
