#!/usr/bin/env bash
# Installs what the benchmarks need (Google Benchmark, and OpenCV for the
# flood fill peer), builds them in release, runs them all and prints each
# measurement beside its reference with their ratio.
#
#   scripts/bench.sh [REPETITIONS] [extra Google Benchmark flags...]
#
# Times are processor times (medians of the repetitions), so that other work
# on the machine weighs less, with the wall time beside them; every pair comes
# from the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
repetitions=${1:-5}
shift || true

scripts/setup.sh libopencv-dev

cmake --preset release >/dev/null
targets=(korvel_bench)
grep -q korvel_view_bench build/build.ninja && targets+=(korvel_view_bench)
cmake --build build -j "$(nproc)" --target "${targets[@]}"

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for b in build/korvel_bench build/korvel_view_bench; do
  [[ -x $b ]] || continue
  "$b" --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
    --benchmark_format=json --benchmark_out="$out/$(basename "$b").json" \
    --benchmark_out_format=json "$@" >/dev/null || true
done

python3 - "$out" <<'PY'
import glob, json, sys

cpu, wall = {}, {}
for path in sorted(glob.glob(sys.argv[1] + "/*.json")):
    try:
        runs = json.load(open(path))["benchmarks"]
    except (ValueError, KeyError):  # a filter that matched nothing there
        continue
    for b in runs:
        # Medians; a single repetition has no aggregate, only its run.
        if b.get("aggregate_name", "median" if b.get("run_type") == "iteration" else "") != "median":
            continue
        name = b["run_name"].split("/")[0]
        unit = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b.get("time_unit", "ns")]
        # Manual times are wall times (the frame budget) or, for the presses
        # of every mode, the processor time of the slowest.
        manual = "manual_time" in b["name"]
        cpu[name] = (b["real_time"] if manual else b["cpu_time"]) * unit
        wall[name] = b["real_time"] * unit

# Each measurement beside its reference: the peer doing the same work, or
# the budget or memory traffic it is judged against. The ratio is taken on
# processor times (all threads of the process where a case measures them);
# the wall time shows what threads gain on a quiet machine.
frame = "BM_Replication_ref_Frame120Hz"
pairs = []
for size in ("", "_4K"):
    for case in ("a_Defaults", "b_Spiral480Ombre1Width12", "c_Spiral480Ombre1Width12Clones5",
                 "f_Spiral1920Ombre12Clones5", "g_Spiral1920Ombre48Clones20"):
        for threads in ("", "_2Threads"):
            pairs.append((f"BM_Replication_{case}{size}{threads}", frame))
    for case in ("d_PaintPressSpiral480Grid", "e_PaintPressSpiral480BlankXor"):
        pairs.append((f"BM_Replication_{case}{size}", f"BM_Replication_ref_MemcpyPicture{size}"))
    # A press on a blank picture fits a frame; on a drawn one, 10 whole fills.
    for case in ("e_PaintPressSpiral480BlankXor", "k_PaintPressSpiral480BlankEveryModeSurface",
                 "l_PaintPressSpiral480BlankEveryModeBorder", "m_PaintPressSpiral480BlankEveryModeSurfaceClones20",
                 "n_PaintPressSpiral480BlankEveryModeBorderClones20"):
        pairs.append((f"BM_Replication_{case}{size}", frame))
    for case in ("d_PaintPressSpiral480Grid", "h_PaintPressSpiral480GridXor", "i_PaintPressSpiral480SceneXor",
                 "j_PaintPressSpiral480SceneNot"):
        pairs.append((f"BM_Replication_{case}{size}", f"BM_Replication_ref_FloodFillWholePicture{size}"))
    pairs.append((f"BM_View_MoveToScreen_Defaults{size}", "BM_View_ref_Frame120Hz"))
    pairs.append((f"BM_View_MoveToScreen_Spiral480Ombre12Clones5{size}", "BM_View_ref_Frame120Hz"))
    # The guides shown over the picture, against the same moves without them.
    for case in ("Defaults", "Spiral480Ombre12Clones5"):
        pairs.append((f"BM_View_MoveToScreen_{case}{size}_Guides", f"BM_View_MoveToScreen_{case}{size}"))
pairs += [
    ("BM_Canvas_FloodFillFullHd", "BM_Canvas_peer_OpenCvFloodFillFullHd"),
    ("BM_Canvas_FloodFillMaze", "BM_Canvas_peer_OpenCvFloodFillMaze"),
    ("BM_Canvas_FloodFillMaze", "BM_Canvas_peer_OpenCvFloatFloodFillMaze"),
    ("BM_Canvas_WideXorLines10000", "BM_Canvas_peer_QPainterWideXorLines10000"),
    ("BM_Canvas_FloodFillFullHd", "BM_Canvas_ref_MemcpyPicture"),
]
paired = set()
print(f"{'measurement':58} {'ms':>9} {'wall ms':>9}   {'reference':42} {'ms':>9} {'ratio':>7}")
for a, b in pairs:
    if a not in cpu:
        continue
    paired.add(a)
    if b in cpu:
        paired.add(b)
        print(f"{a:58} {cpu[a]:9.3f} {wall[a]:9.3f}   {b:42} {cpu[b]:9.3f} {cpu[a] / cpu[b]:7.3f}")
    else:
        print(f"{a:58} {cpu[a]:9.3f} {wall[a]:9.3f}   {b + ' (not built)':42}")
for name in sorted(set(cpu) - paired):
    print(f"{name:58} {cpu[name]:9.3f} {wall[name]:9.3f}")
PY
