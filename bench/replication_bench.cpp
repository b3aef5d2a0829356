// Cost of one replicated segment (trace_symetrique) on a full-HD picture, at
// the default settings and at heavy ones, and of a painting press with the
// spiral on; beside a plain copy of the picture's bytes as the reference.
//
//   korvel_bench --benchmark_filter=Replication --benchmark_repetitions=5
//                --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "app/main_window.h"
#include "support/fake_sound.h"
#include "support/memory_text_files.h"

namespace korvel {
namespace {

// A desktop that answers nothing and records nothing.
class BenchDesktop : public Desktop {
 public:
  int screen_width() const override { return 1920; }
  int screen_height() const override { return 1080; }
  TPoint cursor_pos() const override { return {}; }
  void set_cursor_pos(TPoint) override {}
  TCursor cursor() const override { return m_cursor; }
  void set_cursor(TCursor c) override { m_cursor = c; }
  bool confirm(const std::string&) override { return false; }
  void show_message(const std::string&) override {}
  void report_error(const std::string&) override {}
  std::optional<TColor> choose_colour(TColor, CustomColours&) override { return std::nullopt; }
  std::optional<std::string> save_picture(const PictureDialogOptions&) override { return std::nullopt; }
  std::optional<std::string> open_picture(const PictureDialogOptions&) override { return std::nullopt; }
  void flush_keyboard() override {}
  void repaint(Control&) override {}
  void let_stop_through() override {}
  void terminate() override {}
  // Dropped: the snapshot's outcome is taken anyway by the next release.
  void post(std::function<void()>) override {}

 private:
  TCursor m_cursor = crDefault;
};

class BenchFiles : public ImageFiles {
 public:
  bool exists(const std::string&) const override { return false; }
  void write_bmp(const std::string&, const Bitmap&) override {}
  void save_picture(const std::string&, const Bitmap&, PictureFormat) override {}
  Bitmap read(const std::string&, PicturePart) override { return {}; }
};

// A started 1920x1080 window: rosace, 24 petals, width 1, pmCopy, drawing.
struct Banc {
  BenchDesktop desktop;
  BenchFiles files;
  testing::MemoryTextFiles text_files;
  testing::FakeAudioOut audio;
  testing::FakeConsole console;
  std::unique_ptr<TForm1> form;

  Banc() {
    form = std::make_unique<TForm1>(Services{desktop, files, "/tmp/korvel-bench/korvel", {}, text_files, audio, console});
    form->FormCreate();
    form->random().seed(1);
    form->set_client_size(1920, 1080);
    form->FormResize();
    form->Edit3.set_text("1");
  }
  // The spiral of the form's defaults: 24 petals x 20 turns, factor 975.
  void spirale_ombre_1() {
    form->CheckBox_spirale.set_checked(true);
    form->Edit4.set_text("20");
    form->Edit5.set_text("975");
    form->CheckBox_ombre_1.set_checked(true);
    form->Edit7.set_text("12");
    form->Edit3.set_text("12");
  }
};

void segment(benchmark::State& state, Banc& banc) {
  const TPoint p1{1100, 400}, p2{1120, 400};  // 20 pixels, 160 from the centre
  for (auto _ : state) {
    banc.form->trace_symetrique(p1, p2, pmCopy, RGB(200, 120, 40));
    benchmark::DoNotOptimize(banc.form->Image1.canvas().bitmap().data());
  }
}

void BM_Replication_a_Defaults(benchmark::State& state) {
  Banc banc;
  segment(state, banc);
}
BENCHMARK(BM_Replication_a_Defaults)->Unit(benchmark::kMicrosecond);

void BM_Replication_b_Spiral480Ombre1Width12(benchmark::State& state) {
  Banc banc;
  banc.spirale_ombre_1();
  segment(state, banc);
}
BENCHMARK(BM_Replication_b_Spiral480Ombre1Width12)->Unit(benchmark::kMicrosecond);

void BM_Replication_c_Spiral480Ombre1Width12Clones5(benchmark::State& state) {
  Banc banc;
  banc.spirale_ombre_1();
  banc.form->Edit6.set_text("5");
  segment(state, banc);
}
BENCHMARK(BM_Replication_c_Spiral480Ombre1Width12Clones5)->Unit(benchmark::kMicrosecond);

// 96 petals x 20 turns: 1,920 copies, each with 5 clones of 12 shadow lines.
void BM_Replication_f_Spiral1920Ombre12Clones5(benchmark::State& state) {
  Banc banc;
  banc.spirale_ombre_1();
  banc.form->Edit1.set_text("96");
  banc.form->Edit6.set_text("5");
  segment(state, banc);
}
BENCHMARK(BM_Replication_f_Spiral1920Ombre12Clones5)->Unit(benchmark::kMicrosecond);

// The heaviest: 1,920 copies, 21 clones of 48 shadow lines each.
void BM_Replication_g_Spiral1920Ombre48Clones20(benchmark::State& state) {
  Banc banc;
  banc.spirale_ombre_1();
  banc.form->Edit1.set_text("96");
  banc.form->Edit6.set_text("20");
  banc.form->Edit7.set_text("48");
  segment(state, banc);
}
BENCHMARK(BM_Replication_g_Spiral1920Ombre48Clones20)->Unit(benchmark::kMillisecond);

// Reference: the budget of one frame at 60 Hz, which a mouse move must fit.
void BM_Replication_ref_Frame60Hz(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(1.0 / 60);
}
BENCHMARK(BM_Replication_ref_Frame60Hz)->UseManualTime()->Unit(benchmark::kMillisecond);

// "peind tant que" with the spiral: 480 fills per press, at the points of
// the spiral over a grid of 20-pixel cells (about 5,000 closed areas) drawn
// in the pen colour, as a user draws before painting. The grid is offset by
// 10 so that the centre, where the points crowd, lies inside a cell. A point
// on a line (the call's colour) paints nothing; the others fill their cell.
void paint_press(benchmark::State& state, bool grille, TPenMode mode) {
  Banc banc;
  TForm1& f = *banc.form;
  f.mode_crayon = mode;
  f.coul_crayon = clRed;  // neither the picture's colour nor the paint's
  Canvas& canvas = f.Image1.canvas();
  canvas.Pen.Color = f.coul_crayon;
  canvas.Pen.Width = 1;
  if (grille) {
    for (int x = 10; x < canvas.width(); x += 20) {
      canvas.MoveTo(x, 0);
      canvas.LineTo(x, canvas.height());
    }
    for (int y = 10; y < canvas.height(); y += 20) {
      canvas.MoveTo(0, y);
      canvas.LineTo(canvas.width(), y);
    }
  }
  f.CheckBox_spirale.set_checked(true);
  f.RadioGroup_peindre_dessiner.set_item_index(1);
  f.coul_peinture = clAqua;
  const TColor fond = canvas.Pixels(5, 5);
  for (auto _ : state) {
    f.FormMouseDown(mbLeft, 0, 1400, 700);
    benchmark::DoNotOptimize(canvas.bitmap().data());
  }
  if (!grille && canvas.Pixels(5, 5) != fond) state.SkipWithError("480 XOR fills: an odd number took");
  state.counters["fills"] = 480;
}

void BM_Replication_d_PaintPressSpiral480Grid(benchmark::State& state) { paint_press(state, true, pmCopy); }
BENCHMARK(BM_Replication_d_PaintPressSpiral480Grid)->Unit(benchmark::kMicrosecond);

// The same press on a blank picture in pmXor: each of the 480 fills turns
// the whole picture from black to the paint colour or back. (In pmCopy only
// the first fill would change anything, and the others return at once.)
void BM_Replication_e_PaintPressSpiral480BlankXor(benchmark::State& state) {
  paint_press(state, false, pmXor);
}
BENCHMARK(BM_Replication_e_PaintPressSpiral480BlankXor)->Unit(benchmark::kMillisecond);

// Reference: one plain copy of the picture's 8.3 MB.
void BM_Replication_ref_MemcpyPicture(benchmark::State& state) {
  const Bitmap picture(1920, 1080);
  std::vector<std::uint32_t> copy(std::size_t(picture.width()) * std::size_t(picture.height()));
  for (auto _ : state) {
    std::memcpy(copy.data(), picture.data(), copy.size() * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(copy.size() * sizeof(std::uint32_t)));
}
BENCHMARK(BM_Replication_ref_MemcpyPicture)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvel
