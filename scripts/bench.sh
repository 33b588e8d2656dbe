#!/usr/bin/env bash
# The project's benchmark: one report of the program's size, its start-up time, the time to
# rebuild a page of buttons, the memory over many rebuilds and the CPU it takes while idle, each
# beside its goal, with the date and the machine. Printed; saved as docs/benchmark.md only when
# BENCH_SAVE=1, and then the hand-written section at the end of that file, from the heading
# "## Measured while building" on, is kept as it is.
#   BENCH_RUNS (9) start-ups timed; BENCH_REBUILDS (10000) rebuilds for the memory;
#   BENCH_IDLE_SECONDS (60) of idle time measured.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
report=docs/benchmark.md
kept_heading='## Measured while building'
idle=${BENCH_IDLE_SECONDS:-60}

# A bar that is already running would be measured in place of ours, or quit by the benchmark.
if [ -f build/testbed/run.pid ] && kill -0 "$(cat build/testbed/run.pid)" 2>/dev/null; then
  echo "bench: stopped: \`make run\` is running in this worktree (pid $(cat build/testbed/run.pid)); quit it first" >&2
  exit 1
fi
if scripts/testbed.sh check 2>/dev/null &&
    scripts/wine-exec build/tests/barctl.exe wait 1 >/dev/null 2>&1; then
  echo "bench: stopped: a bar is already running in this worktree's test bed; quit it first" >&2
  exit 1
fi

scripts/testbed.sh up
trap 'scripts/testbed.sh down' EXIT
eval "$(scripts/testbed.sh env)"

size=$(stat -c %s build/korimbel.exe)
# The start-up benchmark waits for the bar where the default settings dock it.
wine reg delete 'HKCU\Software\Quorvane\korimbel' /f >/dev/null 2>&1 || true
startup=$(wine build/bench/startup.exe "${BENCH_RUNS:-9}")
rebuild=$(wine build/bench/rebuild.exe "${BENCH_REBUILDS:-10000}")

# Idle CPU: the time the bar's threads spent on a CPU, as the kernel's scheduler counts it in
# nanoseconds (the clock ticks of /proc/<pid>/stat are 10 ms, too coarse for a goal of 0.1 %).
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { printf "%d\n", s }'; }
wine reg delete 'HKCU\Software\Quorvane\korimbel' /f >/dev/null 2>&1 || true
(cd build && exec wine korimbel.exe </dev/null >/dev/null 2>&1) &
wine build/tests/barctl.exe wait 30 >/dev/null
sleep 2
# Our bar: the one of this worktree's Wine prefix (other worktrees run bars of their own).
pid=""
for p in $(pgrep -f 'korimbel\.exe'); do
  grep -qzxF "WINEPREFIX=$WINEPREFIX" /proc/"$p"/environ 2>/dev/null && { pid=$p; break; }
done
[ -n "$pid" ] || { echo "bench: the bar started for the idle time is not found" >&2; exit 1; }
before=$(cpu_ns "$pid")
sleep "$idle"
after=$(cpu_ns "$pid")
wine build/tests/barctl.exe quit 15 >/dev/null || true
cpu=$(awk -v ns=$((after - before)) -v s="$idle" 'BEGIN {
  p = 100 * ns / 1e9 / s
  printf "| Idle CPU over %d s (default auto-hide period) | %.1f ms of CPU, %.3f %% of a core | < 0.1 %% | %s |\n", s, ns / 1e6, p, (p < 0.1 ? "met" : "missed") }')

table=$(
  echo "# Benchmark"
  echo
  echo "Run on $(date -u '+%Y-%m-%d %H:%M UTC') by \`make bench\`."
  echo
  echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores," \
       "$(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo) memory;" \
       "$(uname -sr); $(wine --version) with a 1024 x 768 virtual desktop on Xvfb;" \
       "$(i686-w64-mingw32-g++-posix --version | head -n 1)."
  echo
  echo "| Measure | Result | Goal | |"
  echo "|---|---|---|---|"
  awk -v s="$size" 'BEGIN { printf "| Size of korimbel.exe | %d bytes (%.1f KiB) | <= 64 KiB | %s |\n", s, s / 1024, (s <= 65536 ? "met" : "missed") }'
  echo "$startup" | tr -d '\r'
  echo "$rebuild" | tr -d '\r'
  echo "$cpu"
)
echo "$table"

if [ "${BENCH_SAVE:-0}" = 0 ]; then
  echo "not saved: make bench BENCH_SAVE=1 saves it as $report"
  exit 0
fi
# The hand-written section at the end, from its heading to the end of the file, stays as it is.
kept=$(grep -n -m 1 "^$kept_heading" "$report" 2>/dev/null | cut -d: -f1 || true)
{
  echo "$table"
  if [ -n "$kept" ]; then
    echo
    tail -n +"$kept" "$report"
  fi
} >"$report.new"
mv "$report.new" "$report"
echo "saved: $root/$report"
