#!/usr/bin/env bash
# Rewrites the golden pictures under tests/data/golden/ from the current
# code. Run it only when a change to the pictures is meant, look at every
# rewritten file, and commit them with the change that explains them.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build build -j 2 --target korvel_core_tests
KORVEL_REGENERATE_GOLDEN=1 build/korvel_core_tests --gtest_filter='Golden.*'
git status --short tests/data/golden
