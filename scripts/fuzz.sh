#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with Clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for a while (default 60 s):
#   scripts/fuzz.sh [seconds]
# Seeds come from tests/data/fuzz/<target>/; a crashing input is left in
# build-fuzz/ and belongs, once fixed, under tests/data/ with a test.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

if ! command -v clang++ >/dev/null; then
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends clang libclang-rt-dev
fi

cmake --preset fuzz >/dev/null
for source in fuzz/*.cpp; do
  target=$(basename "$source" .cpp)
  cmake --build build-fuzz -j "$(nproc)" --target "$target"
  corpus=build-fuzz/corpus/$target
  mkdir -p "$corpus"
  seeds=()
  [[ -d tests/data/fuzz/$target ]] && seeds=("tests/data/fuzz/$target")
  (cd build-fuzz && "./$target" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
     "corpus/$target" "${seeds[@]/#/../}")
done
