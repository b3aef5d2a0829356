#!/usr/bin/env bash
# Sets up, builds and runs every test: the core tests under AddressSanitizer
# and UndefinedBehaviorSanitizer, then the core, GUI and end-to-end tests of
# the release build through CTest, then the Debian package's round trip,
# then every fuzz target for 60 seconds (KORVEL_FUZZ_SECONDS; 0 skips the
# fuzzing).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
cmake --preset asan >/dev/null
cmake --build build-asan -j "$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$jobs")

cmake --preset release >/dev/null
cmake --build build -j "$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")

# The Debian package built, installed, run and removed (needs root).
tests/e2e/package.sh build

fuzz_seconds=${KORVEL_FUZZ_SECONDS:-60}
if ((fuzz_seconds > 0)); then scripts/fuzz.sh "$fuzz_seconds"; fi
