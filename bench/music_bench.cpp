// The longest tone of the burst (99 ms, 4366 samples) beside a plain sine
// loop of the same length: the synthesis costs what its sines cost.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

#include "sound/music.h"

namespace korvel {
namespace {

void BM_genere_ton_99ms(benchmark::State& state) {
  TWaveFormatEx format;
  prepare_format(format);
  TWaveformSamples samples;
  for (auto _ : state) {
    genere_ton(samples, format, 5119, 99, 0.5);
    benchmark::DoNotOptimize(samples.data());
  }
  state.SetItemsProcessed(state.iterations() * std::int64_t(samples.size()));
}
BENCHMARK(BM_genere_ton_99ms);

// Reference: std::sin of i * dt into doubles, nothing else.
void BM_plain_sin_loop_4366(benchmark::State& state) {
  std::vector<double> out(4366);
  const double omega = 2 * std::numbers::pi * 5119, dt = 1.0 / 44100;
  for (auto _ : state) {
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = std::sin(omega * double(i) * dt);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * std::int64_t(out.size()));
}
BENCHMARK(BM_plain_sin_loop_4366);

}  // namespace
}  // namespace korvel
