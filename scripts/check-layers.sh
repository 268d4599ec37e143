#!/usr/bin/env bash
# Checks the CMake target graph (cmake --graphviz of a scratch configure):
#  - no cycle among the targets;
#  - engine does not depend on baseshapes (the seed pick reaches the
#    samplers through the table in engine/baseshape_generators.h).
# With --strict also the layering rule: the engine-side libraries depend,
# directly or through others, on none of the widget kit, the shell, the
# editors or the desktop session. Without --strict those are listed but do
# not fail.
#   scripts/check-layers.sh [--strict]
set -euo pipefail
cd "$(dirname "$0")/.."
strict=0
case "${1:-}" in
  --strict) strict=1 ;;
  "") ;;
  *) echo "usage: $0 [--strict]" >&2; exit 2 ;;
esac
model="engine render baseshapes shading materials files"
above="ui app editors desktop"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake -S . -B "$scratch" -G Ninja -DTALVORAN_TESTS=OFF -DTALVORAN_BENCHMARKS=OFF \
  --graphviz="$scratch/graph.dot" >"$scratch/configure.log" 2>&1 ||
  { cat "$scratch/configure.log" >&2; exit 2; }

# Edge lines end in a comment naming both targets: // a -> b
sed -n 's|^ *"node[0-9]*" -> "node[0-9]*".*// \([^ ]*\) -> \([^ ]*\)$|\1 \2|p' "$scratch/graph.dot" |
awk -v strict="$strict" -v model="$model" -v above="$above" '
  { if (!(($1, $2) in seen)) { seen[$1, $2] = 1; adj[$1, ++deg[$1]] = $2 }; node[$1] = node[$2] = 1 }

  # Depth first; a grey node met again closes a cycle, printed from the stack.
  function visit(u,    i, v, k, path) {
    color[u] = 1; stack[++depth] = u
    for (i = 1; i <= deg[u]; i++) {
      v = adj[u, i]
      if (color[v] == 1) {
        path = v
        for (k = depth; k >= 1 && stack[k] != v; k--) path = stack[k] " -> " path
        path = v " -> " path
        print "cycle: " path; cycles++
      } else if (!color[v]) visit(v)
    }
    depth--; color[u] = 2
  }

  # The path by which from reaches to, or "" when it does not.
  function route(from, to,    head, tail, queue, u, v, i, p) {
    delete parent; head = tail = 1; queue[1] = from; parent[from] = ""
    while (head <= tail) {
      u = queue[head++]
      if (u == to) break
      for (i = 1; i <= deg[u]; i++) {
        v = adj[u, i]
        if (!(v in parent)) { parent[v] = u; queue[++tail] = v }
      }
    }
    if (!(to in parent)) return ""
    p = to; u = to
    while (parent[u] != "") { u = parent[u]; p = u " -> " p }
    return p
  }

  END {
    for (u in node) if (!color[u]) visit(u)
    failed = cycles > 0
    if ((p = route("engine", "baseshapes")) != "") { print "engine depends on baseshapes: " p; failed = 1 }
    n = split(model, low, " "); m = split(above, high, " ")
    for (i = 1; i <= n; i++) for (j = 1; j <= m; j++) {
      if ((p = route(low[i], high[j])) == "") continue
      print (strict ? "layering: " : "layering (fails with --strict): ") p
      layering++
    }
    if (strict && layering) failed = 1
    if (!failed) print "check-layers: no cycle" (strict ? ", layering kept" : "") " among " length(node) " targets"
    exit failed
  }'
