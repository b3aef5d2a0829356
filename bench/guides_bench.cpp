// The guides' share of a move: their pixels inside the places a rosette's
// move changes (24 copies of a 20-pixel segment, 200 pixels from the
// centre), looked up with the caches warm and with them flushed first, as
// the rest of a move leaves them. And the guides worked out anew, as each
// move of the pointer asks while the centre is chosen, with 24 rays and
// with the most shown. In full HD and in 4K.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "draw/guides.h"

namespace korvel {
namespace {

void BM_Guides_PixelsInAMovesPlaces(benchmark::State& state) {
  const int width = int(state.range(0)), height = width * 9 / 16;
  const bool cold = state.range(1) != 0;
  ParametresGuides p;
  p.centre = {width / 2, height / 2};
  p.petales = 24;
  p.largeur = width;
  p.hauteur = height;
  const PixelsGuides pixels(calcule_guides(p));
  std::vector<Rect> places;
  for (int k = 0; k < 24; ++k) {
    const double a = k * 2 * M_PI / 24 + M_PI / 4;
    const int x = p.centre.x + int(200 * std::sin(a)), y = p.centre.y + int(200 * std::cos(a));
    places.push_back(Rect{x - 11, y - 11, x + 11, y + 11});
  }
  std::vector<char> flush(std::size_t(8) << 20);
  std::int64_t seen = 0;
  for (auto _ : state) {
    if (cold) {
      state.PauseTiming();
      for (std::size_t i = 0; i < flush.size(); i += 64) flush[i]++;
      state.ResumeTiming();
    }
    for (const Rect& r : places) pixels.pour_chaque_pixel(r, [&](int x, int, Teinte) { seen += x; });
  }
  benchmark::DoNotOptimize(seen);
}
BENCHMARK(BM_Guides_PixelsInAMovesPlaces)->ArgsProduct({{1920, 3840}, {0, 1}})->Unit(benchmark::kNanosecond);

void BM_Guides_WorkedOut(benchmark::State& state) {
  ParametresGuides p;
  p.largeur = int(state.range(0));
  p.hauteur = p.largeur * 9 / 16;
  p.centre = {p.largeur / 3, p.hauteur / 2};
  p.petales = int(state.range(1));
  for (auto _ : state) {
    const PixelsGuides pixels(calcule_guides(p));
    benchmark::DoNotOptimize(pixels.empty());
  }
}
BENCHMARK(BM_Guides_WorkedOut)->ArgsProduct({{1920, 3840}, {24, kRayonsMax}})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel
