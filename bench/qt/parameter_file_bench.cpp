// Writing the seven settings to korvel.prm on disk: one pass (what a
// confirmed quit does) beside the seven rewrites of one ecrire_param call a
// line. Every write is a flushed temporary file and a rename.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <string>

#include "files/parameter_file.h"
#include "qt/qt_text_files.h"

namespace korvel {
namespace {

// A desktop for ecrire_param's message, never shown with lines 1..7.
struct NoDesktop : Desktop {
  int screen_width() const override { return 0; }
  int screen_height() const override { return 0; }
  TPoint cursor_pos() const override { return {}; }
  void set_cursor_pos(TPoint) override {}
  TCursor cursor() const override { return crDefault; }
  void set_cursor(TCursor) override {}
  bool confirm(const std::string&) override { return false; }
  void show_message(const std::string&) override {}
  void report_error(const std::string&) override {}
  std::optional<TColor> choose_colour(TColor, CustomColours&) override { return std::nullopt; }
  std::optional<std::string> save_picture(const PictureDialogOptions&) override { return {}; }
  std::optional<std::string> open_picture(const PictureDialogOptions&) override { return {}; }
  void begin_run() override {}
  void end_run() override {}
  void flush_keyboard() override {}
  void repaint(Control&) override {}
  void let_stop_through() override {}
  void terminate() override {}
  void post(std::function<void()>) override {}
};

const std::string kValeurs[7] = {"10", "0", "3", "false", "4227327", "/home/user/Images", "image.bmp"};

void BM_params_one_pass(benchmark::State& state) {
  QTemporaryDir dir;
  qt::QtTextFiles files;
  const std::string path = dir.filePath("korvel.prm").toStdString();
  for (auto _ : state) ecrit_lignes(files, path, kValeurs);
}
BENCHMARK(BM_params_one_pass)->Unit(benchmark::kMicrosecond);

void BM_params_seven_rewrites(benchmark::State& state) {
  QTemporaryDir dir;
  qt::QtTextFiles files;
  NoDesktop desktop;
  const std::string path = dir.filePath("korvel.prm").toStdString();
  for (auto _ : state)
    for (int k = 1; k <= 7; ++k) ecrire_param(files, desktop, kValeurs[k - 1], path, k);
}
BENCHMARK(BM_params_seven_rewrites)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvel
