// Cost of one replicated segment (trace_symetrique) on a full-HD and a 4K
// picture (the screen's size), at the default settings and at heavy ones,
// and of a painting press with the spiral on; beside the budget of one frame
// at 120 Hz and a plain copy of the picture's bytes as the references. The
// 4K runs end in "_4K".
//
//   korvel_bench --benchmark_filter=Replication --benchmark_repetitions=5
//                --benchmark_report_aggregates_only=true
//
// Lines are drawn by the canvas's default number of threads, and the heavy
// strokes once more by two ("_2Threads"); the processor time is that of the
// whole process, and the real time shows what threads gain on a quiet
// machine.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/main_window.h"
#include "support/fake_sound.h"
#include "support/memory_text_files.h"

namespace korvel {
namespace {

// A desktop that answers nothing and records nothing.
class BenchDesktop : public Desktop {
 public:
  BenchDesktop(int width, int height) : m_width(width), m_height(height) {}
  int screen_width() const override { return m_width; }
  int screen_height() const override { return m_height; }
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
  int m_width, m_height;
  TCursor m_cursor = crDefault;
};

class BenchFiles : public ImageFiles {
 public:
  bool exists(const std::string&) const override { return false; }
  void write_bmp(const std::string&, const Bitmap&) override {}
  void save_picture(const std::string&, const Bitmap&, PictureFormat) override {}
  Bitmap read(const std::string&, PicturePart) override { return {}; }
};

// A started full-screen window: rosace, 24 petals, width 1, pmCopy, drawing.
struct Banc {
  BenchDesktop desktop;
  BenchFiles files;
  testing::MemoryTextFiles text_files;
  testing::FakeAudioOut audio;
  testing::FakeConsole console;
  std::unique_ptr<TForm1> form;

  // For a case's arguments: width, height, and the threads that draw the
  // lines (0: the canvas's default).
  explicit Banc(const benchmark::State& state) : Banc(int(state.range(0)), int(state.range(1))) {
    if (state.range(2) > 0) form->Image1.canvas().set_line_threads(LineThreads::of(int(state.range(2))));
  }
  Banc(int width, int height) : desktop(width, height) {
    form = std::make_unique<TForm1>(Services{desktop, files, "/tmp/korvel-bench/korvel", {}, text_files, audio, console});
    form->FormCreate();
    form->random().seed(1);
    form->set_client_size(width, height);
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
  // 20 pixels, 140 right of the centre and 140 above it.
  const TPoint c{banc.form->centre_x, banc.form->centre_y};
  const TPoint p1{c.x + 140, c.y - 140}, p2{c.x + 160, c.y - 140};
  for (auto _ : state) {
    banc.form->trace_symetrique(p1, p2, pmCopy, RGB(200, 120, 40));
    benchmark::DoNotOptimize(banc.form->Image1.canvas().bitmap().data());
  }
}

void BM_Replication_a_Defaults(benchmark::State& state) {
  Banc banc(state);
  segment(state, banc);
}

void BM_Replication_b_Spiral480Ombre1Width12(benchmark::State& state) {
  Banc banc(state);
  banc.spirale_ombre_1();
  segment(state, banc);
}

void BM_Replication_c_Spiral480Ombre1Width12Clones5(benchmark::State& state) {
  Banc banc(state);
  banc.spirale_ombre_1();
  banc.form->Edit6.set_text("5");
  segment(state, banc);
}

// 96 petals x 20 turns: 1,920 copies, each with 5 clones of 12 shadow lines.
void BM_Replication_f_Spiral1920Ombre12Clones5(benchmark::State& state) {
  Banc banc(state);
  banc.spirale_ombre_1();
  banc.form->Edit1.set_text("96");
  banc.form->Edit6.set_text("5");
  segment(state, banc);
}

// The heaviest: 1,920 copies, 21 clones of 48 shadow lines each.
void BM_Replication_g_Spiral1920Ombre48Clones20(benchmark::State& state) {
  Banc banc(state);
  banc.spirale_ombre_1();
  banc.form->Edit1.set_text("96");
  banc.form->Edit6.set_text("20");
  banc.form->Edit7.set_text("48");
  segment(state, banc);
}

// Reference: the budget of one frame at 120 Hz, which a mouse move must fit.
void BM_Replication_ref_Frame120Hz(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(1.0 / 120);
}
BENCHMARK(BM_Replication_ref_Frame120Hz)->UseManualTime()->Unit(benchmark::kMillisecond);

// "peind tant que" with the spiral: 480 fills per press, at the points of
// the spiral over a grid of 20-pixel cells (about 5,000 closed areas in full
// HD) drawn in the pen colour, as a user draws before painting. The grid is
// offset by 10 so that the centre, where the points crowd, lies inside a
// cell. A point on a line (the call's colour) paints nothing; the others
// fill their cell.
void paint_press(benchmark::State& state, bool grille, TPenMode mode) {
  Banc banc(state);
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
  const TPoint press{f.centre_x + 440, f.centre_y + 160};
  for (auto _ : state) {
    f.FormMouseDown(mbLeft, 0, press.x, press.y);
    benchmark::DoNotOptimize(canvas.bitmap().data());
  }
  if (!grille && canvas.Pixels(5, 5) != fond) state.SkipWithError("480 XOR fills: an odd number took");
  state.counters["fills"] = 480;
}

void BM_Replication_d_PaintPressSpiral480Grid(benchmark::State& state) { paint_press(state, true, pmCopy); }

// The same press on a blank picture in pmXor: each of the 480 fills turns
// the whole picture from black to the paint colour or back. (In pmCopy only
// the first fill would change anything, and the others return at once.)
void BM_Replication_e_PaintPressSpiral480BlankXor(benchmark::State& state) {
  paint_press(state, false, pmXor);
}

// Reference: one plain copy of the picture's bytes (8.3 MB in full HD).
void BM_Replication_ref_MemcpyPicture(benchmark::State& state) {
  const Bitmap picture(int(state.range(0)), int(state.range(1)));
  std::vector<std::uint32_t> copy(std::size_t(picture.width()) * std::size_t(picture.height()));
  for (auto _ : state) {
    std::memcpy(copy.data(), picture.data(), copy.size() * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(copy.size() * sizeof(std::uint32_t)));
}

// Each case in full HD under its name and in 4K with "_4K" added, with the
// lines drawn by the canvas's default threads; the heavy strokes once more
// by two threads, with "_2Threads" added.
void register_cases() {
  struct Cas {
    const char* name;
    void (*run)(benchmark::State&);
    benchmark::TimeUnit unit;
    bool two_threads_too;
  };
  const Cas cases[] = {
      {"BM_Replication_a_Defaults", BM_Replication_a_Defaults, benchmark::kMicrosecond, false},
      {"BM_Replication_b_Spiral480Ombre1Width12", BM_Replication_b_Spiral480Ombre1Width12, benchmark::kMicrosecond,
       false},
      {"BM_Replication_c_Spiral480Ombre1Width12Clones5", BM_Replication_c_Spiral480Ombre1Width12Clones5,
       benchmark::kMicrosecond, true},
      {"BM_Replication_f_Spiral1920Ombre12Clones5", BM_Replication_f_Spiral1920Ombre12Clones5,
       benchmark::kMicrosecond, true},
      {"BM_Replication_g_Spiral1920Ombre48Clones20", BM_Replication_g_Spiral1920Ombre48Clones20,
       benchmark::kMillisecond, true},
      {"BM_Replication_d_PaintPressSpiral480Grid", BM_Replication_d_PaintPressSpiral480Grid, benchmark::kMicrosecond,
       false},
      {"BM_Replication_e_PaintPressSpiral480BlankXor", BM_Replication_e_PaintPressSpiral480BlankXor,
       benchmark::kMillisecond, false},
      {"BM_Replication_ref_MemcpyPicture", BM_Replication_ref_MemcpyPicture, benchmark::kMicrosecond, false},
  };
  for (const Cas& c : cases)
    for (const auto& [suffix, w, h] : {std::tuple{"", 1920, 1080}, std::tuple{"_4K", 3840, 2160}}) {
      const std::string name = std::string(c.name) + suffix;
      benchmark::RegisterBenchmark(name.c_str(), c.run)->Args({w, h, 0})->Unit(c.unit)->MeasureProcessCPUTime();
      if (c.two_threads_too)
        benchmark::RegisterBenchmark((name + "_2Threads").c_str(), c.run)->Args({w, h, 2})->Unit(c.unit)->MeasureProcessCPUTime();
    }
}
const int registered = (register_cases(), 0);

}  // namespace
}  // namespace korvel
