#!/usr/bin/env bash
# Runs ctest with the given arguments and fails when any test was skipped:
# ctest counts a skipped test as passed, so a broken offscreen GL (every GL
# test skipping) would otherwise read "100% tests passed".
#   scripts/ctest-no-skips.sh --test-dir build -j3 ...
set -uo pipefail
log=$(mktemp)
trap 'rm -f "$log"' EXIT
ctest "$@" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
if grep -q '\*\*\*Skipped\| (Skipped)$' "$log"; then
  echo "ctest-no-skips: these tests were skipped, which fails the run:" >&2
  grep '\*\*\*Skipped\| (Skipped)$' "$log" >&2
  exit 1
fi
exit "$status"
