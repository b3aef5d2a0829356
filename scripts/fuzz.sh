#!/usr/bin/env bash
# Runs every fuzz target (tests/fuzz/) for SECONDS each (default 60) under
# AddressSanitizer and UndefinedBehaviorSanitizer, starting from its seed
# corpus and the inputs that failed before. Fails on any crash, sanitizer
# report, leak or hang (an input running over 1 s); the failing input is
# copied to tests/data/fuzz/<target>/, where CTest replays it from then on.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

# clang and its libFuzzer, only for this run.
if ! command -v clang++ >/dev/null; then
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends clang
  # Newer releases ship libFuzzer's runtime in a package of its own.
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends libclang-rt-dev 2>/dev/null || true
fi

export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
cmake --preset fuzz >/dev/null
targets=()
for source in tests/fuzz/*_fuzz.cpp; do
  name=$(basename "$source" _fuzz.cpp)
  grep -q "^build fuzz_$name:" build-fuzz/build.ninja && targets+=("$name")
done
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
printf '%-14s %12s  %s\n' target inputs outcome
for name in "${targets[@]}"; do
  corpus=$work/$name/corpus artifacts=$work/$name/artifacts
  mkdir -p "$corpus" "$artifacts"
  cp -r tests/fuzz/corpus/"$name"/. "$corpus"/ 2>/dev/null || true
  [[ -d tests/data/fuzz/$name ]] && cp -r tests/data/fuzz/"$name"/. "$corpus"/
  status=0
  ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    build-fuzz/fuzz_"$name" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$corpus" >"$work/$name.log" 2>&1 || status=$?
  runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$work/$name.log" | tail -1)
  if ((status == 0)); then
    printf '%-14s %12s  %s\n' "$name" "${runs:-?}" "no failure"
  else
    failed=1
    mkdir -p tests/data/fuzz/"$name"
    cp "$artifacts"/* tests/data/fuzz/"$name"/ 2>/dev/null || true
    printf '%-14s %12s  %s\n' "$name" "${runs:-?}" "FAILED (status $status): input kept in tests/data/fuzz/$name/"
    grep -E "ERROR|SUMMARY|runtime error|Timeout|deadly" "$work/$name.log" | head -5 | sed 's/^/    /'
  fi
done
exit "$failed"
