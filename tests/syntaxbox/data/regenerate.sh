#!/usr/bin/env bash
# Rewrites NAME.spans beside every NAME.html with the built program:
#   bash tests/syntaxbox/data/regenerate.sh [path/to/veltrane]
# The references are the expected colourings, not whatever the program does
# today: review every changed .spans by hand (git diff) before committing.
set -euo pipefail
cd "$(dirname "$0")"
exe=$(realpath "${1:-../../../build/bin/veltrane}")
for page in *.html; do "$exe" highlight "$page" --spans >"${page%.html}.spans"; done
