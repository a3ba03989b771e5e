#!/usr/bin/env bash
# idle.sh several times (three unless --runs N), each figure's runs and their median.
#
#   bench/scripts/idle-median.sh [--runs N] [idle.sh's arguments]
set -euo pipefail

runs=3
if [ "${1:-}" = "--runs" ]; then
    runs=$2
    shift 2
fi
here=$(dirname "$0")
out=$(mktemp /tmp/tessaryn-idle-runs-XXXXXX)
trap 'rm -f "$out"' EXIT
for _ in $(seq "$runs"); do
    "$here/idle.sh" "$@" >>"$out"
done
# Each line is "NAME VALUE"; the name is every word but the last.
awk '{ v = $NF; $NF = ""; sub(/ $/, ""); vals[$0] = vals[$0] " " v; if (!($0 in order)) { order[$0] = ++n; names[n] = $0 } }
     END {
         for (i = 1; i <= n; i++) {
             k = split(substr(vals[names[i]], 2), a, " ")
             for (x = 1; x <= k; x++) for (y = x + 1; y <= k; y++) if (a[y] + 0 < a[x] + 0) { t = a[x]; a[x] = a[y]; a[y] = t }
             printf "%s: median %s (runs:%s)\n", names[i], a[int((k + 1) / 2)], vals[names[i]]
         }
     }' "$out"
