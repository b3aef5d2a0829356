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

#include <algorithm>
#include <ctime>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "app/choices.h"
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
  void begin_run() override {}
  void end_run() override {}
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
// the spiral. On a grid of 20-pixel cells (about 5,000 closed areas in full
// HD) drawn in the pen colour, as a user draws before painting; the grid is
// offset by 10 so that the centre, where the points crowd, lies inside a
// cell. A point on a line (the call's colour) paints nothing; the others
// fill their cell. On a scene of random rosettes, areas of every size and
// many colours meet.
enum class Fond { vide, grille, scene };

// 300 strokes of a 24-petal rosette with pens 1 to 6 wide in eight colours,
// at places drawn from a fixed seed: the same scene every run.
void scene_aleatoire(TForm1& f) {
  std::mt19937 rng(2026);
  const TColor couleurs[] = {clRed, clGreen, clSilver, clOlive, clMaroon, clWhite, clPurple, TColor(0x808000)};
  const int w = f.Image1.canvas().width(), h = f.Image1.canvas().height();
  for (int i = 0; i < 300; ++i) {
    f.Edit3.set_text(std::to_string(1 + rng() % 6));
    const TPoint a{int(rng() % unsigned(w)), int(rng() % unsigned(h))};
    const TPoint b{a.x + int(rng() % 201) - 100, a.y + int(rng() % 201) - 100};
    f.trace_symetrique(a, b, pmCopy, couleurs[rng() % 8]);
  }
  f.Edit3.set_text("1");
}

struct Presse {
  Fond fond = Fond::vide;
  TPenMode mode = pmXor;
  ModePeinture peinture = ModePeinture::peind_tant_que;
  int clones = 1;
};

// Prepares the window for the press; returns the point pressed.
TPoint preparer_presse(Banc& banc, const Presse& p) {
  TForm1& f = *banc.form;
  f.mode_crayon = p.mode;
  f.coul_crayon = clRed;  // neither the picture's colour nor the paint's
  Canvas& canvas = f.Image1.canvas();
  canvas.Pen.Color = f.coul_crayon;
  canvas.Pen.Width = 1;
  if (p.fond == Fond::grille) {
    for (int x = 10; x < canvas.width(); x += 20) {
      canvas.MoveTo(x, 0);
      canvas.LineTo(x, canvas.height());
    }
    for (int y = 10; y < canvas.height(); y += 20) {
      canvas.MoveTo(0, y);
      canvas.LineTo(canvas.width(), y);
    }
  } else if (p.fond == Fond::scene) {
    scene_aleatoire(f);
  }
  f.Edit6.set_text(std::to_string(p.clones));
  f.CheckBox_spirale.set_checked(true);
  f.RadioGroup_peindre_dessiner.set_item_index(int(p.peinture));
  f.coul_peinture = clAqua;
  return {f.centre_x + 440, f.centre_y + 160};
}

void paint_press(benchmark::State& state, const Presse& p) {
  Banc banc(state);
  TForm1& f = *banc.form;
  const TPoint press = preparer_presse(banc, p);
  Canvas& canvas = f.Image1.canvas();
  const TColor fond = canvas.Pixels(5, 5);
  for (auto _ : state) {
    f.FormMouseDown(mbLeft, 0, press.x, press.y);
    benchmark::DoNotOptimize(canvas.bitmap().data());
  }
  if (p.fond == Fond::vide && p.mode == pmXor && canvas.Pixels(5, 5) != fond)
    state.SkipWithError("480 XOR fills: an odd number took");
  state.counters["fills"] = 480;
}

void BM_Replication_d_PaintPressSpiral480Grid(benchmark::State& state) {
  paint_press(state, {Fond::grille, pmCopy});
}

// The same press on a blank picture in pmXor: each of the 480 fills turns
// the whole picture from black to the paint colour or back. (In pmCopy only
// the first fill would change anything, and the others return at once.)
void BM_Replication_e_PaintPressSpiral480BlankXor(benchmark::State& state) { paint_press(state, {Fond::vide, pmXor}); }

void BM_Replication_h_PaintPressSpiral480GridXor(benchmark::State& state) {
  paint_press(state, {Fond::grille, pmXor});
}
void BM_Replication_i_PaintPressSpiral480SceneXor(benchmark::State& state) {
  paint_press(state, {Fond::scene, pmXor});
}
void BM_Replication_j_PaintPressSpiral480SceneNot(benchmark::State& state) {
  paint_press(state, {Fond::scene, pmNot});
}

// On a blank picture, one press in each of the 16 modes in turn, in one fill
// style, with no clone or with 20: the time is the processor time of the
// slowest mode's press (the picture stays one colour, but the canvas no
// longer knows it after the first press).
double process_seconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void blank_every_mode(benchmark::State& state, ModePeinture peinture, int clones) {
  Banc banc(state);
  TForm1& f = *banc.form;
  const TPoint press = preparer_presse(banc, {Fond::vide, pmXor, peinture, clones});
  Canvas& canvas = f.Image1.canvas();
  for (auto _ : state) {
    double slowest = 0;
    for (int mode = 0; mode < 16; ++mode) {
      f.mode_crayon = TPenMode(mode);
      const double start = process_seconds();
      f.FormMouseDown(mbLeft, 0, press.x, press.y);
      benchmark::DoNotOptimize(canvas.bitmap().data());
      slowest = std::max(slowest, process_seconds() - start);
    }
    state.SetIterationTime(slowest);
  }
}
void BM_Replication_k_PaintPressSpiral480BlankEveryModeSurface(benchmark::State& state) {
  blank_every_mode(state, ModePeinture::peind_tant_que, 1);
}
void BM_Replication_l_PaintPressSpiral480BlankEveryModeBorder(benchmark::State& state) {
  blank_every_mode(state, ModePeinture::peind_jusqua, 1);
}
void BM_Replication_m_PaintPressSpiral480BlankEveryModeSurfaceClones20(benchmark::State& state) {
  blank_every_mode(state, ModePeinture::peind_tant_que, 20);
}
void BM_Replication_n_PaintPressSpiral480BlankEveryModeBorderClones20(benchmark::State& state) {
  blank_every_mode(state, ModePeinture::peind_jusqua, 20);
}

// Reference for the presses on drawn pictures: one fill of the whole
// picture, from one colour to another.
void BM_Replication_ref_FloodFillWholePicture(benchmark::State& state) {
  Canvas canvas(int(state.range(0)), int(state.range(1)));
  TColor colour = clBlack;
  for (auto _ : state) {
    const TColor next = colour ^ 0x404040;
    canvas.Brush.Color = next;
    canvas.FloodFill(canvas.width() / 2, canvas.height() / 2, colour, fsSurface);
    colour = next;
    benchmark::DoNotOptimize(canvas.bitmap().data());
  }
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
      {"BM_Replication_h_PaintPressSpiral480GridXor", BM_Replication_h_PaintPressSpiral480GridXor,
       benchmark::kMillisecond, false},
      {"BM_Replication_i_PaintPressSpiral480SceneXor", BM_Replication_i_PaintPressSpiral480SceneXor,
       benchmark::kMillisecond, false},
      {"BM_Replication_j_PaintPressSpiral480SceneNot", BM_Replication_j_PaintPressSpiral480SceneNot,
       benchmark::kMillisecond, false},
      {"BM_Replication_ref_MemcpyPicture", BM_Replication_ref_MemcpyPicture, benchmark::kMicrosecond, false},
      {"BM_Replication_ref_FloodFillWholePicture", BM_Replication_ref_FloodFillWholePicture, benchmark::kMillisecond,
       false},
  };
  // Timed by hand: the slowest of the 16 modes.
  const Cas every_mode[] = {
      {"BM_Replication_k_PaintPressSpiral480BlankEveryModeSurface",
       BM_Replication_k_PaintPressSpiral480BlankEveryModeSurface, benchmark::kMillisecond, false},
      {"BM_Replication_l_PaintPressSpiral480BlankEveryModeBorder",
       BM_Replication_l_PaintPressSpiral480BlankEveryModeBorder, benchmark::kMillisecond, false},
      {"BM_Replication_m_PaintPressSpiral480BlankEveryModeSurfaceClones20",
       BM_Replication_m_PaintPressSpiral480BlankEveryModeSurfaceClones20, benchmark::kMillisecond, false},
      {"BM_Replication_n_PaintPressSpiral480BlankEveryModeBorderClones20",
       BM_Replication_n_PaintPressSpiral480BlankEveryModeBorderClones20, benchmark::kMillisecond, false},
  };
  for (const Cas& c : every_mode)
    for (const auto& [suffix, w, h] : {std::tuple{"", 1920, 1080}, std::tuple{"_4K", 3840, 2160}})
      benchmark::RegisterBenchmark((std::string(c.name) + suffix).c_str(), c.run)
          ->Args({w, h, 0})
          ->Unit(c.unit)
          ->UseManualTime();
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
