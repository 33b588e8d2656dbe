#!/usr/bin/env bash
# The project's benchmark: the size of korimbel.exe and its start-up time against the floor.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

size=$(stat -c %s build/korimbel.exe)
awk -v s="$size" 'BEGIN { printf "korimbel.exe: %d bytes (%.1f KiB; goal <= 64 KiB)\n", s, s / 1024 }'

scripts/testbed.sh up
trap 'scripts/testbed.sh down' EXIT
eval "$(scripts/testbed.sh env)"
wine build/tests/barctl.exe quit 10 >/dev/null 2>&1 || true
wine build/bench/startup.exe "${BENCH_RUNS:-9}"
wine build/bench/rebuild.exe "${BENCH_REBUILDS:-10000}"
