// "Ouvrir" on a full-HD window, from the dialog's answer to the picture
// drawn: how long the window is held. A picture that fits the screen is the
// reference; a 5600x5600 PNG or JPEG and 900 MB of zeros named big.bmp (a
// sparse file) must not hold it much longer. The pictures are made once,
// in korvel-open-bench under the temporary directory. `peak_MiB` is the
// process's peak memory: run one benchmark at a time (--benchmark_filter),
// after a first run has made the pictures, to read it.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "app/main_window.h"
#include "platform/dispatch.h"
#include "qt/qt_image_files.h"
#include "support/fake_desktop.h"
#include "support/fake_sound.h"
#include "support/memory_text_files.h"
#include "view_bench_app.h"

namespace korvel::qt {
namespace {

// A picture with smooth shading and fine grain, as a photograph has.
QImage photograph(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  std::uint32_t noise = 1;
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const int grain = int(noise >> 29);
      row[x] = qRgb((x * 255 / width + grain) & 255, (y * 255 / height + grain) & 255, ((x + y) / 16 + grain) & 255);
    }
  }
  return image;
}

struct OpenWindow {
  QTemporaryDir directory;
  testing::FakeDesktop desktop{1920, 1080};
  QtImageFiles files;
  testing::MemoryTextFiles text_files;
  testing::FakeAudioOut audio;
  testing::FakeConsole console;
  std::unique_ptr<TForm1> form;

  OpenWindow() {
    bench::application();
    const std::string dir = directory.path().toStdString();
    form = std::make_unique<TForm1>(Services{desktop, files, dir + "/korvel", {}, text_files, audio, console});
    form->FormCreate();
    form->set_client_size(1920, 1080);
    form->FormResize();
  }
  void open(const std::string& file) {
    desktop.open_answers.push_back(file);
    dispatch(desktop, [&] { form->Panel5Click(); });
  }
};

// A picture of the bench, made the first time it is asked for.
std::string picture(const char* name, int width, int height, bool progressive = false) {
  const auto dir = std::filesystem::temp_directory_path() / "korvel-open-bench";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / name).string();
  if (!std::filesystem::exists(path)) {
    QImageWriter writer(QString::fromStdString(path));
    writer.setProgressiveScanWrite(progressive);
    writer.write(photograph(width, height));
  }
  return path;
}

void report_peak(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MiB"] = double(usage.ru_maxrss) / 1024;
}

void open(benchmark::State& state, const std::string& path) {
  OpenWindow w;
  for (auto _ : state) w.open(path);
  if (!w.desktop.errors.empty()) state.SkipWithError(w.desktop.errors.front().c_str());
  report_peak(state);
}

void BM_Open_ScreenSizedPng(benchmark::State& state) { open(state, picture("screen.png", 1920, 1080)); }
BENCHMARK(BM_Open_ScreenSizedPng)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Open_ScreenSizedBmp(benchmark::State& state) { open(state, picture("screen.bmp", 1920, 1080)); }
BENCHMARK(BM_Open_ScreenSizedBmp)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Open_Png5600(benchmark::State& state) { open(state, picture("5600.png", 5600, 5600)); }
BENCHMARK(BM_Open_Png5600)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Open_Jpeg5600(benchmark::State& state) { open(state, picture("5600.jpg", 5600, 5600)); }
BENCHMARK(BM_Open_Jpeg5600)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Open_ProgressiveJpeg5600(benchmark::State& state) {
  open(state, picture("5600-progressive.jpg", 5600, 5600, true));
}
BENCHMARK(BM_Open_ProgressiveJpeg5600)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Open_Bmp5600(benchmark::State& state) { open(state, picture("5600.bmp", 5600, 5600)); }
BENCHMARK(BM_Open_Bmp5600)->Unit(benchmark::kMillisecond)->UseRealTime();

// Refused: the window is held only until the refusal is shown.
void BM_Open_900MBOfZerosNamedBmp(benchmark::State& state) {
  OpenWindow w;
  const std::string file = w.directory.filePath("big.bmp").toStdString();
  { std::ofstream(file, std::ios::binary); }
  std::filesystem::resize_file(file, 900'000'000);
  for (auto _ : state) w.open(file);
  state.counters["refusals"] = double(w.desktop.errors.size());
  report_peak(state);
}
BENCHMARK(BM_Open_900MBOfZerosNamedBmp)->Unit(benchmark::kMillisecond)->UseRealTime();

// A 900 MB file (sparse) that begins with the header of a 5600x5600
// picture and goes on as zeros: refused, having held the window and memory
// no longer than a walk through small reads takes.
void open_900mb_after(benchmark::State& state, const char* name, const std::vector<std::uint8_t>& head) {
  OpenWindow w;
  const std::string file = w.directory.filePath(name).toStdString();
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(head.data()), std::streamsize(head.size()));
  std::filesystem::resize_file(file, 900'000'000);
  for (auto _ : state) w.open(file);
  state.counters["refusals"] = double(w.desktop.errors.size());
  report_peak(state);
}

std::vector<std::uint8_t> file_start(const std::string& path, std::size_t count) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> bytes(count);
  in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(count));
  bytes.resize(std::size_t(in.gcount()));
  return bytes;
}

void BM_Open_900MBAfterAJpegHeader(benchmark::State& state) {
  // The 5600x5600 JPEG up to its first scan's coded data.
  std::vector<std::uint8_t> head = file_start(picture("5600.jpg", 5600, 5600), 4096);
  for (std::size_t at = 2; at + 4 < head.size(); at += 2 + (head[at + 2] << 8 | head[at + 3]))
    if (head[at + 1] == 0xDA) {
      head.resize(at + 2 + (head[at + 2] << 8 | head[at + 3]));
      break;
    }
  open_900mb_after(state, "jpeg-header.jpg", head);
}
BENCHMARK(BM_Open_900MBAfterAJpegHeader)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Open_900MBAfterAPngHeader(benchmark::State& state) {
  // The 5600x5600 PNG's signature and header, then an IDAT of 900 MB.
  std::vector<std::uint8_t> head = file_start(picture("5600.png", 5600, 5600), 33);
  head.insert(head.end(), {0x35, 0xA4, 0xE5, 0x18, 'I', 'D', 'A', 'T'});
  open_900mb_after(state, "png-header.png", head);
}
BENCHMARK(BM_Open_900MBAfterAPngHeader)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace korvel::qt
