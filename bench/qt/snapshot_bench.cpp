// The snapshot written at every mouse release, beside a plain write of the
// same number of bytes to the same directory.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

#include "qt/qt_image_files.h"

namespace {

const std::filesystem::path& bench_dir() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / "korvel-bench";
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

korvel::Bitmap full_hd_picture() {
  korvel::Bitmap picture(1920, 1080);
  std::mt19937 random(3);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) picture.row(y)[x] = random() & 0xFFFFFF;
  return picture;
}

// A 32-bit BMP of 1920x1080: header plus rows of 7680 bytes.
constexpr std::size_t kSnapshotBytes = 54 + 1920 * 4 * 1080;

void BM_SnapshotWrite(benchmark::State& state) {
  const korvel::Bitmap picture = full_hd_picture();
  korvel::qt::QtImageFiles files;
  const std::string path = (bench_dir() / "~100.bmp").string();
  for (auto _ : state) files.write_bmp(path, picture);
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kSnapshotBytes));
}
BENCHMARK(BM_SnapshotWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainWriteSameBytes(benchmark::State& state) {
  const std::vector<char> bytes(kSnapshotBytes, 'k');
  const std::string path = (bench_dir() / "plain.bin").string();
  for (auto _ : state) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kSnapshotBytes));
}
BENCHMARK(BM_PlainWriteSameBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
