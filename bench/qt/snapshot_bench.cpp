// The snapshot written at every mouse release, beside a plain write of the
// same number of bytes to the same directory.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

#include "app/main_window.h"
#include "platform/bmp_encoding.h"
#include "platform/own_files.h"
#include "qt/qt_image_files.h"
#include "support/fake_desktop.h"
#include "support/fake_sound.h"
#include "support/memory_text_files.h"

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

// The write as it was before the snapshots went to a worker: on the
// interface thread, forced to disk before the rename.
void BM_SnapshotWriteFlushed(benchmark::State& state) {
  const korvel::Bitmap picture = full_hd_picture();
  const std::string path = (bench_dir() / "~100.bmp").string();
  for (auto _ : state) korvel::write_file_atomically(path, korvel::encode_bmp(picture), korvel::Durability::flushed);
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kSnapshotBytes));
}
BENCHMARK(BM_SnapshotWriteFlushed)->Unit(benchmark::kMillisecond)->UseRealTime();

// A mouse release on a full-HD picture, from the release to the handler's
// return: what the interface thread spends now that the snapshot is written
// by a worker. Between releases (untimed) the previous write is waited for,
// as a person's next stroke comes long after it.
void BM_SnapshotAtRelease(benchmark::State& state) {
  korvel::testing::FakeDesktop desktop(1920, 1080);
  korvel::qt::QtImageFiles files;
  korvel::testing::MemoryTextFiles text_files;
  korvel::testing::FakeAudioOut audio;
  korvel::testing::FakeConsole console;
  korvel::TForm1 form(korvel::Services{desktop, files, (bench_dir() / "korvel").string(), {}, text_files, audio,
                                       console});
  form.FormCreate();
  form.set_client_size(1920, 1080);
  form.FormResize();
  form.FormActivate();
  form.Image1.canvas().Draw(0, 0, full_hd_picture());
  for (auto _ : state) {
    state.PauseTiming();
    form.attend_instantane();
    desktop.run_posted();
    form.FormMouseDown(korvel::mbLeft, 0, 500, 500);
    state.ResumeTiming();
    form.FormMouseUp(korvel::mbLeft, 0, 500, 500);
  }
  form.attend_instantane();
  state.counters["width"] = form.Image1.canvas().width();
  state.counters["height"] = form.Image1.canvas().height();
}
BENCHMARK(BM_SnapshotAtRelease)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor of the release: one plain copy of the picture's bytes into
// storage already in use.
void BM_CopySamePicture(benchmark::State& state) {
  const korvel::Bitmap picture = full_hd_picture();
  korvel::Bitmap copy = picture;
  for (auto _ : state) {
    copy = picture;
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kSnapshotBytes));
}
BENCHMARK(BM_CopySamePicture)->Unit(benchmark::kMillisecond)->UseRealTime();

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
