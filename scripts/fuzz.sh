#!/usr/bin/env bash
# Builds the fuzz targets with the clang that setup installs and runs each for SECONDS (default
# 60) on a copy of its seed corpus in build/fuzz, so the seeds under fuzz/corpus stay as they are
# while what the fuzzer learns carries over to the next run. Any finding fails the run; its input
# is kept in build/fuzz/findings.
set -uo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$root/build/fuzz
. "$root/scripts/versions.sh"
clangxx=clang++-$clang_version

mkdir -p "$out/findings"
if ! command -v "$clangxx" >/dev/null; then
  echo "fuzz targets: $clangxx is missing (make setup installs it)"
  exit 1
fi
if ! { cmake -S "$root/fuzz" -B "$out" -DCMAKE_CXX_COMPILER="$clangxx" &&
       cmake --build "$out" -j "$(nproc)"; } >"$out/build.log" 2>&1; then
  cat "$out/build.log"
  echo "fuzz targets: build failed"
  exit 1
fi

# One target for the given time; on a finding its report without the progress lines, else its
# speed.
fuzz_one() {
  local target=$1 corpus=$out/corpus/$1 log=$out/$1.log
  mkdir -p "$corpus"
  cp "$root/fuzz/corpus/$target"/* "$corpus"/
  if ! "$out/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$out/findings/$target-" "$corpus" >"$log" 2>&1; then
    grep -v '^#[0-9]' "$log" | tail -n 40
    echo "$target: FINDING (full log $log)"
    return 1
  fi
  awk -v t="$target" '/number_of_executed_units/ {runs=$2} /average_exec_per_sec/ {rate=$2}
    END {printf "%s: clean, %d runs, %d exec/s\n", t, runs, rate}' "$log"
}

status=0
for source in "$root"/fuzz/fuzz_*.cpp; do
  fuzz_one "$(basename "$source" .cpp)" || status=1
done
exit $status
