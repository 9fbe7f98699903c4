#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
if [ -x build/bin/myveltrane ]; then
  exec build/bin/myveltrane "$@"
else
  exec build/bin/veltrane --help
fi
