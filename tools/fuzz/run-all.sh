#!/usr/bin/env bash
# Runs every fuzz target of a build tree for a fixed time over its seed corpus, one after the
# other; fails on the first finding. New inputs go to a scratch folder, so the seeds in the
# repository stay as they are.
#   tools/fuzz/run-all.sh BUILD_TREE [SECONDS_EACH]
set -euo pipefail
tree=$(cd "${1:?build tree}" && pwd)
seconds=${2:-20}
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
list="$tree/fuzz/targets.txt"
[ -f "$list" ] || { echo "run-all.sh: $list missing (configure with -DTESSARYN_FUZZ=ON)" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
while read -r target corpus; do
    [ -n "$target" ] || continue
    mkdir -p "$scratch/$target"
    echo "fuzz: $target for ${seconds}s over tests/fuzz/corpus/$corpus"
    (cd "$scratch" && "$tree/fuzz/$target" -max_total_time="$seconds" -print_final_stats=0 \
        "$scratch/$target" "$source_dir/tests/fuzz/corpus/$corpus" 2> "$scratch/$target.log") || {
        tail -40 "$scratch/$target.log" >&2
        echo "fuzz: $target found a fault (inputs in its log above)" >&2
        exit 1
    }
done < "$list"
