#!/usr/bin/env bash
# Fails when the include graph between source folders (src/<subsystem> and src/<subsystem>/ui)
# has a cycle. Each quoted include from a file in one folder to a header in another is an edge;
# tsort reports any loop among them.
set -euo pipefail
cd "$(dirname "$0")/../src"
edges=$(grep -rhoE --include='*.h' --include='*.cpp' -H '^#include "[a-z_]+/(ui/)?[a-z_0-9]+\.h"' . |
  sed -E 's#^\./([a-z_]+)/(ui/)?[^:]*:\#include "([a-z_]+)/(ui/)?[^"]*"#\1/\2 \3/\4#; s#/ # #; s#/$##' |
  awk '$1 != $2' | sort -u)
if ! out=$(printf '%s\n' "$edges" | tsort 2>&1 >/dev/null) || [ -n "$out" ]; then
  echo "include cycle between source folders:" >&2
  echo "$out" >&2
  exit 1
fi
echo "no include cycle among $(printf '%s\n' "$edges" | wc -l) edges between source folders"
