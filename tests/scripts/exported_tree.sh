#!/usr/bin/env bash
# A copy of the source without git (a release tarball, a downloaded source zip) builds the
# program and the download, and a second build there gives the same bytes: HEAD's files are
# exported into an empty folder (this tree's files without .git and build/ when it is not a git
# checkout), where `make dist` runs as from a newcomer's shell, then scripts/reproducible.sh.
# SOURCE_DATE_EPOCH is cleared: the zip takes the release date.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd -P)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
copy=$work/korimbel
mkdir "$copy"
fail() { echo "exported_tree: $*"; exit 1; }

if [ "$(git -C "$root" rev-parse --show-toplevel 2>/dev/null)" = "$root" ]; then
  git -C "$root" archive HEAD | tar -x -C "$copy" || fail "HEAD could not be exported"
else
  tar -c -C "$root" --exclude=./.git --exclude=./build . | tar -x -C "$copy" ||
    fail "the tree could not be copied"
fi
newcomer() { (cd "$copy" && env -u SOURCE_DATE_EPOCH -u MAKEFLAGS -u MAKELEVEL -u MFLAGS "$@"); }
if ! newcomer make dist >"$work/make.log" 2>&1; then
  tail -n 20 "$work/make.log"
  fail "make dist failed"
fi
ls "$copy"/build/dist/korimbel-*-win32.zip >/dev/null 2>&1 || fail "make dist made no zip"
newcomer scripts/reproducible.sh || fail "two builds differ"
echo "exported_tree: built without git; the program and the zip the same in two builds"
