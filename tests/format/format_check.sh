#!/usr/bin/env bash
# The format of the product sources (the folders of the program and its libraries): no line
# wider than the 100 columns of .clang-format, outside the "// clang-format off" regions;
# and, when the work tree has changes against HEAD, no changed or new line that clang-format
# would change. A fresh clone has no changes, so there only the width is checked.
# Usage: format_check.sh <source folder>
set -euo pipefail
cd "$1"
export LC_ALL=C.UTF-8   # columns are characters, not bytes
folders=(app engine frm help platform resources ruk textedit tools)
is_source() { [[ "$1" =~ \.(c|cpp|h|hpp)$ ]]; }

in_git=false
git rev-parse --is-inside-work-tree >/dev/null 2>&1 && in_git=true
if $in_git; then
    mapfile -t files < <(git ls-files -- "${folders[@]}" | while read -r f; do
        is_source "$f" && [ -f "$f" ] && echo "$f"; done)
else
    mapfile -t files < <(find "${folders[@]}" -type f \( -name '*.c' -o -name '*.cpp' \
        -o -name '*.h' -o -name '*.hpp' \) | sort)
fi

failed=0
# One pass over every file: each line prefixed with its place and a tab, the lines of a
# clang-format off region left empty; grep then measures what follows the first tab.
wide=$(awk '/^[ \t]*\/\/ clang-format off/ { off = 1 }
            { printf "%s:%d:\t%s\n", FILENAME, FNR, off ? "" : $0 }
            /^[ \t]*\/\/ clang-format on/ { off = 0 }' "${files[@]}" |
       grep -E $'^[^\t]*\t.{101,}$' | cut -f1 || true)
if [ -n "$wide" ]; then
    echo "$wide" | sed 's|$| wider than 100 columns|'
    failed=1
fi

if $in_git; then
    command -v clang-format >/dev/null || { echo "clang-format is not installed"; exit 1; }
    # Changed lines of tracked sources, as --lines ranges; new sources whole.
    mapfile -t changed < <(git diff --name-only HEAD -- "${folders[@]}")
    for f in "${changed[@]}"; do
        is_source "$f" && [ -f "$f" ] || continue
        ranges=$(git diff -U0 HEAD -- "$f" | sed -nE 's/^@@ [^+]*\+([0-9]+)(,([0-9]+))? @@.*/\1 \3/p' |
                 awk '{ n = ($2 == "") ? 1 : $2; if (n > 0) printf " --lines=%d:%d", $1, $1 + n - 1 }')
        [ -n "$ranges" ] || continue
        # shellcheck disable=SC2086
        clang-format --dry-run --Werror $ranges "$f" || failed=1
    done
    mapfile -t added < <(git ls-files --others --exclude-standard -- "${folders[@]}")
    for f in "${added[@]}"; do
        is_source "$f" || continue
        clang-format --dry-run --Werror "$f" || failed=1
    done
fi

[ "$failed" -eq 0 ] && echo "${#files[@]} product sources: none wider than 100 columns; changes formatted"
exit "$failed"
