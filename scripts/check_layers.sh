#!/usr/bin/env bash
# Layers point one way: a file under src/<layer>/ includes headers of its own layer and of lower
# layers only. Lowest first: system, text, store, placement, panel, dialogs, shell; src/res/
# (resource ids) is shared by all and belongs to no layer. Lists every upward include and fails on
# any that is not an allowed exception below.
# Inside a layer no circles: a module (x.h with x.cpp) never includes, directly or through other
# modules of its folder, a header whose module includes it back. Lists each such include.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

layers="system text store placement panel dialogs shell"

# Allowed upward includes: one entry a line, "including file|included header|why it must stay".
# To add one, add a line to the list, e.g.
#   "src/store/example.cpp|shell/example.h|the reason this file cannot do without it"
allowed=(
)

includes=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]' src | sort -t: -k1,1 -k2,2n)

status=0
printf '%s\n' "$includes" |
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
  }' || status=1

# Module graph of each folder: "dir/a dir/b" for every include of dir/b.h by dir/a.h or dir/a.cpp.
printf '%s\n' "$includes" | awk '
  {
    split($0, where, ":"); file = where[1]; line = where[2]
    split(file, dir, "/"); from = dir[2] "/" dir[3]; sub(/\.(cpp|h)$/, "", from)
    header = $0; sub(/^[^"<]*["<](\.\.\/)*/, "", header); sub(/[">].*$/, "", header)
    to = header; sub(/\.h$/, "", to)
    split(to, tdir, "/"); split(from, fdir, "/")
    if (tdir[1] != fdir[1] || to == from) next
    if (!((from, to) in edge)) { edge[from, to] = 1; out[from] = out[from] " " to }
    where_of[from, to] = file ":" line
  }
  function reaches(a, b,    seen, stack, n, m, k, next_, list) {
    # depth-first from a over the folder graph; true when b is met
    n = 1; stack[1] = a; seen[a] = 1
    while (n > 0) {
      m = stack[n--]
      k = split(out[m], list, " ")
      for (i = 1; i <= k; i++) {
        next_ = list[i]
        if (next_ == b) return 1
        if (!(next_ in seen)) { seen[next_] = 1; stack[++n] = next_ }
      }
    }
    return 0
  }
  END {
    for (key in edge) {
      split(key, pair, SUBSEP)
      if (reaches(pair[2], pair[1])) {
        printf "layers: circle: %s includes %s.h, whose module includes %s.h back\n", where_of[pair[1], pair[2]], pair[2], pair[1]
        circles++
      }
    }
    if (circles) { printf "layers: FAILED, %d include%s in a circle\n", circles, circles == 1 ? "" : "s"; exit 1 }
    print "layers: ok, no circles inside a folder"
  }' || status=1
exit $status
