// The canvas's heavy primitives beside plain memory traffic over the same
// full-HD picture: a flood fill touches every pixel a few times, so memset
// and memcpy of the 1920 x 1080 x 4 bytes are its floor.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "platform/canvas.h"

namespace korvel {
namespace {

constexpr int kWidth = 1920, kHeight = 1080;
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

// 10,000 strokes 20 pixels long, width 12, in pmXor, at random places.
void BM_Canvas_WideXorLines10000(benchmark::State& state) {
  std::mt19937 rng(1);
  std::uniform_real_distribution<double> angle(0, 6.283185307179586);
  struct Segment {
    int x0, y0, x1, y1;
  };
  std::vector<Segment> lines;
  for (int i = 0; i < 10000; ++i) {
    const int x = int(rng() % kWidth), y = int(rng() % kHeight);
    const double a = angle(rng);
    lines.push_back(
        {x, y, x + int(std::lround(20 * std::cos(a))), y + int(std::lround(20 * std::sin(a)))});
  }
  Canvas canvas(kWidth, kHeight);
  canvas.Pen.Mode = pmXor;
  canvas.Pen.Width = 12;
  canvas.Pen.Color = RGB(0x40, 0xC0, 0x80);
  for (auto _ : state) {
    for (const Segment& s : lines) {
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
