#!/usr/bin/env bash
# Counts non-blank, non-comment lines of test code against the program's code
# and prints the ratio. Data files (golden pages, references) are not code.
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
  find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.py' -o -name '*.sh' \) -print0 2>/dev/null |
    xargs -0 cat | grep -v -E '^\s*$|^\s*(//|#[^a-z]|#$|\*|/\*)' | wc -l
}
code_dirs=()
for d in feed host dialogs syntaxbox buttons mainwindow app designer examples; do [ -d "$d" ] && code_dirs+=("$d"); done
code=$(count "${code_dirs[@]}")
tests=$(count tests)
awk -v t="$tests" -v c="$code" 'BEGIN { printf "tests %d lines, code %d lines, ratio %.2f\n", t, c, t / c }'
