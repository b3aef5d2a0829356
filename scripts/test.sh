#!/usr/bin/env bash
# Sets up, builds and runs every test: the core tests under AddressSanitizer
# and UndefinedBehaviorSanitizer, then the core, GUI and end-to-end tests of
# the release build through CTest, then the Debian package's round trip.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
cmake --preset asan >/dev/null
cmake --build build-asan -j "$jobs" --target korvel_core_tests
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$jobs")

cmake --preset release >/dev/null
cmake --build build -j "$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")

# The Debian package built, installed, run and removed (needs root).
tests/e2e/package.sh build
