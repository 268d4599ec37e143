#!/usr/bin/env bash
# Test lines against program lines: non-blank, non-comment lines of the C++
# files under tests/ against those of every other folder but bench/.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { grep -c -v -E '^\s*(//.*)?$' "$@" /dev/null | awk -F: '{s += $NF} END {print s + 0}'; }
mapfile -t tests < <(git ls-files -- 'tests/*' | grep -E '\.(c|cc|cpp|h|hpp)$')
mapfile -t code < <(git ls-files | grep -E '\.(c|cc|cpp|h|hpp)$' | grep -v -E '^(tests|bench|build)/')
t=$(count "${tests[@]}")
c=$(count "${code[@]}")
awk -v t="$t" -v c="$c" 'BEGIN { printf "tests %d, code %d, ratio %.2f\n", t, c, t / c }'
