#!/usr/bin/env bash
# Runs every test: the layer check, the pure logic natively under sanitizers, a few seconds of
# fuzzing, the check that a second build gives the same bytes and the build of a copy of the
# source without git, then the Windows tests in the Wine test bed, which is started for the run
# and stopped afterwards. A test bed that does not come up stops the run at once: every Wine test
# would fail.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
failed=()

scripts/check_layers.sh || failed+=("layer check")
ctest --test-dir build/native --output-on-failure || failed+=("native tests")
scripts/fuzz.sh 3 || failed+=(fuzzing)
scripts/reproducible.sh || failed+=("reproducibility check")
tests/scripts/exported_tree.sh || failed+=("build without git")

trap 'scripts/testbed.sh down' EXIT
bed_errors=build/testbed/up.log
mkdir -p build/testbed
if ! scripts/testbed.sh up 2>"$bed_errors"; then
  why=$(tail -n 1 "$bed_errors")
  echo "test: stopped, no Windows test ran: ${why#testbed: }"
  exit 1
fi
cat "$bed_errors" >&2
ctest --test-dir build --output-on-failure || failed+=("Windows tests")

if [ ${#failed[@]} -gt 0 ]; then
  printf -v list '%s, ' "${failed[@]}"
  echo "test: failed: ${list%, }"
  exit 1
fi
echo "test: all passed"
