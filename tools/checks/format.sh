#!/usr/bin/env bash
# format.sh [CLANG_FORMAT]: fails when a C++ file of the tree differs from what .clang-format
# makes of it (run from the repository's root). `clang-format -i FILE` mends a file.
set -euo pipefail
clang_format=${1:-clang-format}
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h')
else
    mapfile -t files < <(find . -path ./build -prune -o -path './build-*' -prune -o \
                             \( -name '*.cpp' -o -name '*.h' \) -print)
fi
existing=()
for f in "${files[@]}"; do
    [ -f "$f" ] && existing+=("$f")
done
"$clang_format" --dry-run --Werror "${existing[@]}"
echo "format: ${#existing[@]} files follow .clang-format"
