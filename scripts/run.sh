#!/usr/bin/env bash
# Sets up, builds build/korvel and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build build --target korvel
exec build/korvel "$@"
