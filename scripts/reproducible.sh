#!/usr/bin/env bash
# Two builds of one source give the same bytes: builds korimbel.exe and the download zip a second
# time, from nothing, in another folder (build/repro), and compares both with those of build/.
# Needs a finished build in build/ (make build). The second build is removed when they match.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
second=build/repro
log=build/repro.log

rm -rf "$second"
# The first build's zip is made again, so that both are made from the source as it is now.
if ! { cmake --build build --target dist &&
       cmake -S . -B "$second" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
             -DCMAKE_BUILD_TYPE=MinSizeRel &&
       cmake --build "$second" --target dist -j "$(nproc)"; } >"$log" 2>&1; then
  tail -n 20 "$log"
  echo "reproducible: FAILED, a build did not finish (its output: $log)"
  exit 1
fi

status=0
zip=$(cd "$second" && ls dist/*.zip)
for file in korimbel.exe "$zip"; do
  if cmp "build/$file" "$second/$file"; then
    echo "reproducible: $(basename "$file") the same in both builds," \
         "$(stat -c %s "build/$file") bytes, SHA-256 $(sha256sum <"build/$file" | cut -d' ' -f1)"
  else
    echo "reproducible: FAILED, $(basename "$file") differs between build/ and $second/"
    status=1
  fi
done
[ $status -eq 0 ] && rm -rf "$second"
exit $status
