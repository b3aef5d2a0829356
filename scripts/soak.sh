#!/usr/bin/env bash
# Builds the program (release) and drives it for MINUTES (default 15) under
# Xvfb with random strokes, clicks and keys: see tests/e2e/soak.sh.
# Results (memory.csv, soak.log) go to build/soak/.
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-15}
cmake --preset release >/dev/null
cmake --build build -j "$(nproc)" --target korvel
exec tests/e2e/soak.sh build/korvel "$minutes" "$PWD/build/soak"
