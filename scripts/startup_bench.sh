#!/usr/bin/env bash
# Start-up time as a person sees it: Korvel against a minimal Qt Widgets
# program that shows a full-screen window with 40 radio buttons, launched
# alternately in one private X server (Xvfb, 1920x1080), each timed from its
# launch to the first painted pixel of its panel. Prints every launch, the
# medians and their ratio.
#   scripts/startup_bench.sh [LAUNCHES]        (each program; default 9)
set -euo pipefail
cd "$(dirname "$0")/.."
launches=${1:-9}
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build build -j "$(nproc)" --target korvel korvel_minimal_window korvel_first_pixel >/dev/null
source tests/e2e/xvfb_lib.sh
start_xvfb 1920 1080
export QT_QPA_PLATFORM=xcb
# Korvel in a directory of its own, as at a first start.
cp build/korvel "$work/korvel"
clock=build/startup/korvel_first_pixel
# A point of each panel, in its colour (Korvel's tool panel, bottom left).
time_korvel() { "$clock" 40 $((1080 - 66)) 255,128,64 10000 "$work/korvel"; }
time_minimal() { "$clock" 40 $((1080 - 66)) 255,128,64 10000 build/startup/korvel_minimal_window; }

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
: >"$work/korvel.ms"
: >"$work/minimal.ms"
for i in $(seq "$launches"); do
  k=$(time_korvel) || fail "korvel: no panel"
  m=$(time_minimal) || fail "minimal program: no window"
  echo "launch $i: korvel $k ms, minimal $m ms"
  echo "$k" >>"$work/korvel.ms"
  echo "$m" >>"$work/minimal.ms"
done
k=$(median <"$work/korvel.ms") m=$(median <"$work/minimal.ms")
echo "median of $launches: korvel $k ms, minimal Qt Widgets program $m ms, ratio $(awk "BEGIN {printf \"%.2f\", $k / $m}")"
