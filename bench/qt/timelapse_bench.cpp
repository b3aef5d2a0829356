// The time-lapse: what a release costs with and without the recording, the
// disk the recording takes, and the export's time and size, for strokes
// drawn through the window at full HD and 4K.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <random>

#include "app/main_window.h"
#include "files/snapshot_writer.h"
#include "files/timelapse_export.h"
#include "files/timelapse_recording.h"
#include "platform/own_files.h"
#include "qt/qt_text_files.h"
#include "support/fake_desktop.h"
#include "support/fake_sound.h"

namespace {

namespace fs = std::filesystem;
using namespace korvel;

fs::path fresh_dir(const std::string& name) {
  const fs::path dir = fs::temp_directory_path() / "korvel-bench-timelapse" / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

// Snapshots counted, not kept: the measure is the recording's.
class NoImageFiles : public ImageFiles {
 public:
  bool exists(const std::string&) const override { return false; }
  void write_bmp(const std::string&, const Bitmap&) override {}
  void save_picture(const std::string&, const Bitmap&, PictureFormat) override {}
  Bitmap read(const std::string&, PicturePart) override { return {}; }
};

// A started window whose time-lapse is recorded in a directory of its own.
struct Window {
  Window(int width, int height, const fs::path& dir)
      : desktop(width, height),
        form(Services{desktop, images, (dir / "korvel").string(),
                      UserDirectories{(dir / "config").string(), (dir / "state").string(), "", (dir / "pictures").string()},
                      text_files, audio, console}) {
    form.FormCreate();
    form.random().seed(7);
    form.set_client_size(width, height);
    form.FormResize();
    std::uint16_t wipe = 'E';
    form.FormKeyDown(wipe, 0);
  }
  // A stroke of three segments about the centre, somewhere new each time.
  void press_and_move(int k) {
    const int w = desktop.width, h = desktop.height;
    x = w / 8 + int(random() % unsigned(w * 3 / 4));
    y = h / 8 + int(random() % unsigned(h * 3 / 4));
    form.FormMouseDown(mbLeft, ssLeft, x, y);
    form.FormMouseMove(ssLeft, x + 40, y + 10 + k % 13);
    form.FormMouseMove(ssLeft, x + 90, y + 60);
  }
  void release() { form.FormMouseUp(mbLeft, 0, x + 90, y + 60); }
  void stroke(int k) {
    press_and_move(k);
    release();
  }

  testing::FakeDesktop desktop;
  NoImageFiles images;
  qt::QtTextFiles text_files;
  testing::FakeAudioOut audio;
  testing::FakeConsole console;
  TForm1 form;
  std::mt19937 random{11};
  int x = 0, y = 0;
};

std::uint64_t disk_use(const fs::path& dir) {
  std::uint64_t total = 0;
  for (const auto& entry : fs::directory_iterator(dir)) total += (entry.file_size() + 4095) / 4096 * 4096;
  return total;
}

// The interface thread's part of a release at 4K (the picture's copy), and
// the worker's whole job after it, with the recording (arg 1) and without.
void BM_TimelapseRelease4K(benchmark::State& state) {
  const bool recording = state.range(0) != 0;
  const fs::path dir = fresh_dir("release");
  qt::QtTextFiles text_files;
  Recording film(text_files, (dir / "timelapse").string());
  NoImageFiles images;
  SnapshotWriter writer;
  Bitmap picture(3840, 2160);
  std::mt19937 random(3);
  double worker_seconds = 0;
  for (auto _ : state) {
    state.PauseTiming();
    // A stroke's worth of change: a few short lines' tiles.
    for (int i = 0; i < 8; ++i) {
      const int x = int(random() % 3800), y = int(random() % 2100);
      for (int d = 0; d < 40; ++d) picture.set_colour(x + d, y + d / 2, TColor(random() & 0xFFFFFF));
    }
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    writer.start({dir.string(), 0, SnapshotFile::write, recording ? &film : nullptr,
                  recording ? TimelapseFrame::next : TimelapseFrame::none},
                 picture, images, {});
    state.PauseTiming();
    writer.take(Wait::until_done);
    worker_seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.ResumeTiming();
  }
  state.counters["worker_ms"] = benchmark::Counter(worker_seconds * 1000 / double(state.iterations()));
}
BENCHMARK(BM_TimelapseRelease4K)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// A whole release through the window at 4K, the recording on.
void BM_TimelapseWindowRelease4K(benchmark::State& state) {
  Window window(3840, 2160, fresh_dir("window"));
  int k = 0;
  for (auto _ : state) {
    state.PauseTiming();
    window.form.attend_instantane();
    window.desktop.run_posted();
    window.press_and_move(k++);
    state.ResumeTiming();
    window.release();
  }
  window.form.attend_instantane();
}
BENCHMARK(BM_TimelapseWindowRelease4K)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(60);

// N strokes drawn (untimed), then one export: its time, the file's size,
// and the recording's disk use.
void BM_TimelapseExport(benchmark::State& state) {
  const int strokes = int(state.range(0)), width = int(state.range(1)), height = int(state.range(2));
  const fs::path dir = fresh_dir("export");
  Window window(width, height, dir);
  for (int k = 0; k < strokes; ++k) window.stroke(k);
  window.form.attend_instantane();
  const fs::path film = dir / "film.webp";
  for (auto _ : state) {
    window.desktop.save_answers.push_back(film.string());
    std::uint16_t key = vk::F3;
    window.form.FormKeyDown(key, 0);
    window.form.wait_for_export();
  }
  state.counters["file_MB"] = double(fs::file_size(film)) / 1e6;
  state.counters["recording_MB"] = double(disk_use(window.form.rep_film)) / 1e6;
  state.counters["frames"] = double(strokes + 1);
}
BENCHMARK(BM_TimelapseExport)
    ->Args({50, 1920, 1080})
    ->Args({500, 1920, 1080})
    ->Args({50, 3840, 2160})
    ->Args({500, 3840, 2160})
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
