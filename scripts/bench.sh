#!/usr/bin/env bash
# The project's benchmark: one report of the program's size, its start-up time, the time to
# rebuild a page of buttons, the memory over many rebuilds, an auto-hiding bar's coming back and
# withdrawing, and the CPU and wake-ups it takes while idle in each of its idle states, each
# beside its goal, with the date, the machine and its load. Printed; saved as docs/benchmark.md
# only when BENCH_SAVE=1, and then the hand-written section at the end of that file, from the
# heading "## Measured while building" on, is kept as it is.
#   BENCH_RUNS (9) start-ups timed in each of two rounds; BENCH_REBUILDS (10000) rebuilds for the memory;
#   BENCH_IDLE_SECONDS (60) of idle time measured in each idle state.
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

# The machine is shared: its load, before and after, goes into the report.
load() { cut -d' ' -f1-3 /proc/loadavg; }
load_before=$(load)
size=$(stat -c %s build/korimbel.exe)
# The start-up benchmark waits for the bar where the default settings dock it.
wine reg delete 'HKCU\Software\Quorvane\korimbel' /f >/dev/null 2>&1 || true
startup=$(wine build/bench/startup.exe "${BENCH_RUNS:-9}")
rebuild=$(wine build/bench/rebuild.exe "${BENCH_REBUILDS:-10000}")

# The bar at the scale of a 150 % screen beside 96 DPI, each program reading the scale as it
# starts: start-up alone (two medians each), and the rebuild's time a button, as a page at 144
# DPI holds fewer buttons.
scale() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null; }
per_button() { echo "$1" | tr -d '\r' | sed -n 's/^| Rebuild of a page.*with icons.* (\([0-9.]*\) ms a button).*/\1/p'; }
wine reg delete 'HKCU\Software\Quorvane\korimbel' /f >/dev/null 2>&1 || true
start96=$(wine build/bench/startup.exe "${BENCH_RUNS:-9}" bar | tr -d '\r')
scale 144
start144=$(wine build/bench/startup.exe "${BENCH_RUNS:-9}" bar | tr -d '\r')
rebuild144=$(wine build/bench/rebuild.exe 100)
scale 96
dpi_row=$(awk -v a="$start96" -v b="$start144" -v r="$(per_button "$rebuild")" \
    -v q="$(per_button "$rebuild144")" 'BEGIN {
  split(a, x, " "); split(b, y, " ")
  s1 = y[1] / x[1]; s2 = y[2] / x[2]; rr = q / r
  printf "| At 144 DPI beside 96 DPI: start-up to the docked bar (median of two rounds) and rebuild a button | start-up %.1f and %.1f ms against %.1f and %.1f ms: ratio %.2f and %.2f; rebuild %.2f ms a button against %.2f: ratio %.2f | <= 1.20 x 96 DPI | %s |\n", \
    y[1], y[2], x[1], x[2], s1, s2, q, r, rr, (s1 <= 1.2 && s2 <= 1.2 && rr <= 1.2 ? "met" : "missed")
}')

# Idle: the time the bar's threads spent on a CPU, as the kernel's scheduler counts it in
# nanoseconds (the clock ticks of /proc/<pid>/stat are 10 ms, too coarse for these goals), and
# their voluntary context switches: each time one of them woke from waiting, as a timer wakes it.
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { printf "%d\n", s }'; }
wake_ups() { cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches/ { s += $2 } END { print s }'; }

# One row: the bar started with the settings given (name=value, REG_DWORD), the pointer away from
# it, then left alone for the idle time; "hidden" checks that it sits in its 2-pixel strip.
idle_row() {
  local state=$1 check=$2 setting
  shift 2
  wine reg delete 'HKCU\Software\Quorvane\korimbel' /f >/dev/null 2>&1 || true
  for setting in "$@"; do
    wine reg add 'HKCU\Software\Quorvane\korimbel' /v "${setting%%=*}" /t REG_DWORD \
      /d "${setting#*=}" /f >/dev/null
  done
  xdotool mousemove 500 400
  (cd build && exec wine korimbel.exe </dev/null >/dev/null 2>&1) &
  wine build/tests/barctl.exe wait 30 >/dev/null
  sleep 2
  # Our bar: the one of this worktree's Wine prefix (other worktrees run bars of their own).
  local pid="" p
  for p in $(pgrep -f 'korimbel\.exe'); do
    grep -qzxF "WINEPREFIX=$WINEPREFIX" /proc/"$p"/environ 2>/dev/null && { pid=$p; break; }
  done
  [ -n "$pid" ] || { echo "bench: the bar started for the idle time is not found" >&2; exit 1; }
  local rect
  rect=$(wine build/tests/barctl.exe rect | tr -d '\r')
  local cpu0 wake0 cpu1 wake1
  cpu0=$(cpu_ns "$pid"); wake0=$(wake_ups "$pid")
  sleep "$idle"
  cpu1=$(cpu_ns "$pid"); wake1=$(wake_ups "$pid")
  wine build/tests/barctl.exe quit 15 >/dev/null || true
  awk -v state="$state" -v check="$check" -v rect="$rect" -v ns=$((cpu1 - cpu0)) \
      -v wakes=$((wake1 - wake0)) -v s="$idle" 'BEGIN {
    split(rect, r, " ")
    if (check == "hidden" && r[3] - r[1] != 2) {
      printf "| Idle %s | the bar did not withdraw (%s) | | missed |\n", state, rect
      exit
    }
    p = 100 * ns / 1e9 / s
    w = wakes * 60 / s
    printf "| Idle %s, over %d s | %.1f ms of CPU, %.4f %% of a core; %.1f wake-ups a minute | 0 timer wake-ups a minute, < 0.01 %% | %s |\n",
      state, s, ns / 1e6, p, w, (w == 0 && p < 0.01 ? "met" : "missed") }'
}
idle=$(
  idle_row "with auto-hide off (the default settings)" docked
  idle_row "with auto-hide on, the bar withdrawn to its strip" hidden HideMode=1
  idle_row "floating" floating FloatMode=1
)

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
  echo "Load average of the machine (1, 5, 15 minutes): $load_before before, $(load) after."
  echo
  echo "| Measure | Result | Goal | |"
  echo "|---|---|---|---|"
  awk -v s="$size" 'BEGIN { printf "| Size of korimbel.exe | %d bytes (%.1f KiB) | <= 64 KiB | %s |\n", s, s / 1024, (s <= 65536 ? "met" : "missed") }'
  echo "$startup" | tr -d '\r'
  echo "$rebuild" | tr -d '\r'
  echo "$dpi_row"
  echo "$idle"
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
