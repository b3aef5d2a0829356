// The canvas's heavy primitives beside plain memory traffic over the same
// full-HD picture: a flood fill touches every pixel a few times, so memset
// and memcpy of the 1920 x 1080 x 4 bytes are its floor.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "bench_pictures.h"
#include "platform/canvas.h"

namespace korvel {
namespace {

using bench::kHeight;
using bench::kWidth;
constexpr std::size_t kBytes = std::size_t(kWidth) * kHeight * 4;

void BM_Canvas_ref_MemsetPicture(benchmark::State& state) {
  std::vector<std::uint32_t> picture(kBytes / 4);
  int value = 0;
  for (auto _ : state) {
    std::memset(picture.data(), value ^= 0x55, kBytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kBytes));
}
BENCHMARK(BM_Canvas_ref_MemsetPicture);

void BM_Canvas_ref_MemcpyPicture(benchmark::State& state) {
  const Bitmap source(kWidth, kHeight, clOlive);
  std::vector<std::uint32_t> target(kBytes / 4);
  for (auto _ : state) {
    std::memcpy(target.data(), source.data(), kBytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kBytes));
}
BENCHMARK(BM_Canvas_ref_MemcpyPicture);

// The whole uniform picture, alternately black to white and back, so no
// reset is needed between iterations.
void BM_Canvas_FloodFillFullHd(benchmark::State& state) {
  Canvas canvas(kWidth, kHeight);
  TColor current = clBlack;
  for (auto _ : state) {
    const TColor next = current == clBlack ? clWhite : clBlack;
    canvas.Brush.Color = next;
    canvas.FloodFill(kWidth / 2, kHeight / 2, current, fsSurface);
    current = next;
    benchmark::DoNotOptimize(canvas.bitmap().data());
  }
  if (canvas.Pixels(0, 0) != current) state.SkipWithError("the fill did not cover the picture");
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kBytes));
}
BENCHMARK(BM_Canvas_FloodFillFullHd)->Unit(benchmark::kMillisecond);

// The serpentine maze, its corridor filled black to white and back: short
// spans, each with its neighbours to look at (peer: OpenCV's floodFill).
void BM_Canvas_FloodFillMaze(benchmark::State& state) {
  Canvas canvas(kWidth, kHeight);
  canvas.Brush.Color = clRed;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (bench::maze_wall(x, y)) canvas.FillRect(x, y, x + 1, y + 1);
  TColor current = clBlack;
  for (auto _ : state) {
    const TColor next = current == clBlack ? clWhite : clBlack;
    canvas.Brush.Color = next;
    canvas.FloodFill(0, 0, current, fsSurface);
    current = next;
    benchmark::DoNotOptimize(canvas.bitmap().data());
  }
  if (canvas.Pixels(kWidth - 2, kHeight - 1) != current) state.SkipWithError("the maze was not filled");
}
BENCHMARK(BM_Canvas_FloodFillMaze)->Unit(benchmark::kMillisecond);

// 10,000 strokes 20 pixels long, width 10, in pmXor, at random places
// (peer: QPainter's raster engine).
void BM_Canvas_WideXorLines10000(benchmark::State& state) {
  const std::vector<bench::Segment> lines = bench::short_strokes();
  Canvas canvas(kWidth, kHeight);
  canvas.Pen.Mode = pmXor;
  canvas.Pen.Width = bench::kStrokeWidth;
  canvas.Pen.Color = RGB(0x40, 0xC0, 0x80);
  for (auto _ : state) {
    for (const bench::Segment& s : lines) {
      canvas.MoveTo(s.x0, s.y0);
      canvas.LineTo(s.x1, s.y1);
    }
    benchmark::DoNotOptimize(canvas.bitmap().data());
  }
  state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(lines.size()));
}
BENCHMARK(BM_Canvas_WideXorLines10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel
