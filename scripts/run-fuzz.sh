#!/usr/bin/env bash
# Builds every libFuzzer target of tests/fuzz with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a bounded time on its seeds,
# as many side by side as there are cores. Fails on a crash, a leak, a
# timeout of one input or an input that takes too much memory; prints the
# executions of every target.
#   scripts/run-fuzz.sh [seconds a target, default 30]
# A target whose inputs cost more asks for its own time with a line
# "// fuzz-seconds: N" in its source (enough for half a million inputs on a
# CI core). A line "// fuzz-args: ..." gives a target options of its own
# (a -max_len that reaches the long lines of its seeds). FUZZ_SECONDS gives
# every target the same time instead (a quick look); FUZZ_BUILD_DIR (default
# build-fuzz) is the build folder; FUZZ_JOBS the number of targets run at
# once and of build jobs (default: the cores).
set -euo pipefail
cd "$(dirname "$0")/.."
default_seconds=${1:-30}
build=${FUZZ_BUILD_DIR:-build-fuzz}
jobs=${FUZZ_JOBS:-$(nproc)}

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALVORAN_FUZZ=ON \
  -DTALVORAN_TESTS=OFF -DTALVORAN_BENCHMARKS=OFF >/dev/null
mapfile -t targets < <(cd tests/fuzz && ls -- *_fuzz.cpp | sed 's/\.cpp$//' | sort)
cmake --build "$build" -j "$jobs" --target "${targets[@]}" make_fuzz_seeds

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tests/fuzz/make_fuzz_seeds" "$work/seeds"

# One target: its seeds copied into a corpus of its own (the fuzzer adds to
# it), then the run; the fuzzer's exit code goes into <name>.rc.
seconds_of() {
  local declared
  declared=$(sed -n 's|^// fuzz-seconds: *\([0-9][0-9]*\).*|\1|p' "tests/fuzz/$1.cpp" | head -1)
  echo "${FUZZ_SECONDS:-${declared:-$default_seconds}}"
}

args_of() {
  sed -n 's|^// fuzz-args: *||p' "tests/fuzz/$1.cpp" | head -1
}

run_target() {
  local name=$1 corpus="$work/corpus/$1" kind=${1%_fuzz} code=0 seconds args
  seconds=$(seconds_of "$1")
  read -r -a args <<<"$(args_of "$1")"
  mkdir -p "$corpus"
  for seeds in "$work/seeds/$kind" "tests/fuzz/seeds/$kind"; do
    if [ -d "$seeds" ]; then cp -r "$seeds/." "$corpus/"; fi
  done
  "$build/tests/fuzz/$name" "${args[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/$name-" "$corpus" >"$work/$name.log" 2>&1 || code=$?
  echo "$code" >"$work/$name.rc"
}

# The longest first, so that the short ones fill in beside them.
mapfile -t order < <(for name in "${targets[@]}"; do echo "$(seconds_of "$name") $name"; done | sort -rn | cut -d' ' -f2)
running=0
for name in "${order[@]}"; do
  run_target "$name" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait

status=0
for name in "${targets[@]}"; do
  if [ "$(cat "$work/$name.rc")" = 0 ]; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$name.log" | tail -1)
    echo "$name: ${runs:-?} executions in $(seconds_of "$name") s, no finding"
  else
    status=1
    echo "$name: FAILED (exit $(cat "$work/$name.rc"))"
    tail -n 60 "$work/$name.log"
    for artifact in "$work/$name"-*; do
      if [ -f "$artifact" ]; then echo "input $artifact:"; od -A d -t x1 "$artifact" | head -20; fi
    done
  fi
done
exit "$status"
