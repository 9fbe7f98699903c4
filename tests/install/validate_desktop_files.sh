#!/usr/bin/env bash
# validate_desktop_files.sh SOURCE_DIR METAINFO
# The desktop entry, the AppStream metadata and the manual pages, through
# the tools that distributions check them with. Exit 77 (skipped) only when
# a tool is not installed (scripts/setup-debian.sh installs them).
set -euo pipefail
source=$1 metainfo=$2
for tool in desktop-file-validate appstreamcli man; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
desktop-file-validate "$source/packaging/myveltrane.desktop"
appstreamcli validate --no-net "$metainfo"
for page in veltrane.1 myveltrane.1; do
  warnings=$(MANWIDTH=80 man --warnings -l "$source/packaging/$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "$page: $warnings"; exit 1; }
done
