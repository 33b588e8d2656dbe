#!/usr/bin/env bash
# Layers point one way: a file under src/<layer>/ includes headers of its own layer and of lower
# layers only. Lowest first: text, store, placement, panel, dialogs, shell; src/res/ (resource
# ids) is shared by all and belongs to no layer. Lists every upward include and fails on any that
# is not an allowed exception below.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

layers="text store placement panel dialogs shell"

# Allowed upward includes: one entry a line, "including file|included header|why it must stay".
# To add one, add a line to the list, e.g.
#   "src/store/example.cpp|shell/example.h|the reason this file cannot do without it"
allowed=(
)

grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]' src | sort -t: -k1,1 -k2,2n |
  awk -v layers="$layers" -v allowed="$(printf '%s\n' ${allowed[@]+"${allowed[@]}"})" '
  BEGIN {
    n = split(layers, name, " ")
    for (i = 1; i <= n; i++) rank[name[i]] = i
    na = split(allowed, entry, "\n")
    for (i = 1; i <= na; i++) if (entry[i] != "") {
      split(entry[i], part, "|")
      exempt[part[1] "|" part[2]] = 1
    }
  }
  {
    # src/<layer>/<file>:<line>:#include "<layer>/<header>"
    split($0, where, ":")
    file = where[1]; line = where[2]
    split(file, dir, "/"); from = dir[2]
    header = $0; sub(/^[^"<]*["<](\.\.\/)*/, "", header); sub(/[">].*$/, "", header)
    split(header, hdir, "/"); to = hdir[1]
    if (!(from in rank) || !(to in rank) || rank[to] <= rank[from]) next
    if ((file "|" header) in exempt) { used[file "|" header] = 1; next }
    printf "layers: %s:%s (%s) includes %s (%s, a higher layer)\n", file, line, from, header, to
    upward++
  }
  END {
    for (key in exempt) if (!(key in used))
      printf "layers: allowed exception %s no longer needed; take it out of the list\n", key
    order = name[1]; for (i = 2; i <= n; i++) order = order " <- " name[i]
    if (upward) {
      printf "layers: FAILED, %d upward include%s (layers, lowest first: %s; res is shared)\n", upward, upward == 1 ? "" : "s", order
      exit 1
    }
    printf "layers: ok, every include points down (%s; res is shared)\n", order
  }'
