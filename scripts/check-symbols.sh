#!/usr/bin/env bash
# Fails when one external name is defined in more than one of our static
# libraries (or in two objects of one library): the linker would quietly
# take whichever object it meets first. Counts strong definitions only
# (code, data, read-only data, bss); weak, inline and template copies
# (W, V, u, i) are merged by design.
#   scripts/check-symbols.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
# The archives the current build makes: a library that lost its sources
# leaves its old archive behind in a kept build folder.
if [ -f "$build/build.ninja" ]; then
  mapfile -t libs < <(ninja -C "$build" -t targets all | grep -oE '^[^:]*/lib[^/:]*\.a' |
    grep -vE '^(tests|bench)/' | sort -u | sed "s|^|$build/|")
else
  mapfile -t libs < <(find "$build" -name 'lib*.a' -not -path "$build/tests/*" -not -path "$build/bench/*" | sort)
fi
if [ "${#libs[@]}" -eq 0 ]; then
  echo "check-symbols: no static libraries under $build (build first)" >&2
  exit 2
fi
for lib in "${libs[@]}"; do
  [ -f "$lib" ] || { echo "check-symbols: $lib is not built" >&2; exit 2; }
done
# nm -A prints "archive:object:address type name" for every definition.
dups=$(nm -A -g --defined-only "${libs[@]}" |
  awk '
    NF >= 3 && $(NF-1) ~ /^[TDBRCGS]$/ {
      split($1, part, ":"); lib = part[1]; sub(/.*\//, "", lib)
      print $NF, lib "(" part[2] ")"
    }' |
  sort -k1,1 -k2,2 -u |
  awk '{ count[$1]++; where[$1] = where[$1] " " $2 }
       END { for (s in count) if (count[s] > 1) print s ":" where[s] }' |
  sort)
if [ -n "$dups" ]; then
  echo "check-symbols: names defined more than once:"
  echo "$dups" | c++filt | sed 's/^/  /'
  exit 1
fi
echo "check-symbols: ${#libs[@]} libraries, every external name defined once"
