#!/usr/bin/env bash
# Runs a test program in the two-monitor test bed, which is started for the run and stopped
# afterwards whatever the outcome; the other test bed is left as it is. Arguments: the program
# and its arguments.
set -uo pipefail
bed="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/testbed.sh"
trap '"$bed" --monitors down' EXIT
"$bed" --monitors up || exit 1
"$bed" --monitors exec wine "$@"
