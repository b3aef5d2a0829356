#!/usr/bin/env bash
# Sets up, builds and runs every test: the core and GUI tests through CTest,
# the core tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the end-to-end smoke check of the real program under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
cmake --preset release >/dev/null
cmake --build build -j "$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")

cmake --preset asan >/dev/null
cmake --build build-asan -j "$jobs" --target korvel_core_tests
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$jobs")

tests/e2e/smoke.sh build/korvel
