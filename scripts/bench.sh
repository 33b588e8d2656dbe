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
# The start-up benchmark waits for the bar where the default settings dock it.
wine reg delete 'HKCU\Software\Quorvane\korimbel' /f >/dev/null 2>&1 || true
wine build/bench/startup.exe "${BENCH_RUNS:-9}"
wine build/bench/rebuild.exe "${BENCH_REBUILDS:-10000}"

# Idle CPU: the bar's own process, as the kernel counts it, over BENCH_IDLE_SECONDS.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
idle=${BENCH_IDLE_SECONDS:-60}
wine reg delete 'HKCU\Software\Quorvane\korimbel' /f >/dev/null 2>&1 || true
(cd build && exec wine korimbel.exe </dev/null >/dev/null 2>&1) &
wine build/tests/barctl.exe wait 30 >/dev/null
sleep 2
pid=$(pgrep -f 'korimbel\.exe' | head -n 1)
before=$(cpu_ticks "$pid")
sleep "$idle"
after=$(cpu_ticks "$pid")
wine build/tests/barctl.exe quit 15 >/dev/null || true
awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$idle" 'BEGIN {
  printf "idle CPU over %d s with the default auto-hide period: %.2f s, %.3f %% of a core (goal < 0.1 %%)\n", s, t / hz, 100 * t / hz / s }'
