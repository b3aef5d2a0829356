// The random colouring of a full-HD picture holding a drawn 24-petal rosette
// (row run with "rosace", grid run with "unique"), beside one flood fill of
// the whole picture; and one move of the elliptical stroke's preview beside
// the 364 dots it draws, put on the canvas directly.
//
//   korvel_bench --benchmark_filter='Colouring|Ellipse'
#include <benchmark/benchmark.h>

#include <memory>

#include "app/choices.h"
#include "app/main_window.h"
#include "support/form_fixture.h"

namespace korvel {
namespace {

// A started 1920x1080 window on the tests' fake desktop, width 1, pmCopy,
// drawing.
struct Fenetre {
  testing::StartedForm started{1920, 1080};
  testing::FakeDesktop& desktop = started.desktop;
  std::unique_ptr<TForm1>& form = started.form;

  Fenetre() { form->Edit3.set_text("1"); }
  // Ten strokes of a 24-petal rosette about the centre, in the pen colour.
  void rosette() {
    form->RadioGroup_symetrie.set_item_index(int(Symetrie::rosace));
    form->Edit1.set_text("24");
    for (int i = 0; i < 10; ++i) {
      const TPoint a{960 + 40 * i, 540 - 10 * i}, b{960 + 40 * (i + 1), 540 + 15 * i - 60};
      form->trace_symetrique(a, b, pmCopy, form->coul_crayon);
    }
  }
};

void run(benchmark::State& state, Symetrie symetrie) {
  Fenetre w;
  w.rosette();
  const Bitmap drawn = w.form->Image1.canvas().bitmap();
  w.form->RadioGroup_symetrie.set_item_index(int(symetrie));
  w.desktop.cursor_position = {700, 400};
  std::size_t repaints = 0;
  for (auto _ : state) {
    state.PauseTiming();
    w.form->Image1.canvas().Draw(0, 0, drawn);
    w.desktop.repaint_log.clear();
    state.ResumeTiming();
    w.form->coloriage_aleatoire();
    benchmark::DoNotOptimize(w.form->Image1.canvas().bitmap().data());
    repaints = w.desktop.repaint_log.size();
  }
  // One label repaint a sample, and a few more.
  state.counters["repaints"] = double(repaints);
}

void BM_Colouring_a_RowRunRosace24(benchmark::State& state) { run(state, Symetrie::rosace); }
BENCHMARK(BM_Colouring_a_RowRunRosace24)->Unit(benchmark::kMillisecond);

void BM_Colouring_b_GridRunUnique(benchmark::State& state) { run(state, Symetrie::unique); }
BENCHMARK(BM_Colouring_b_GridRunUnique)->Unit(benchmark::kMillisecond);

// Reference: one fill of the whole black picture.
void BM_Colouring_ref_FloodFillWholePicture(benchmark::State& state) {
  Canvas canvas(1920, 1080);
  TColor colour = clBlack;
  for (auto _ : state) {
    const TColor next = colour ^ 0x404040;
    canvas.Brush.Color = next;
    canvas.FloodFill(960, 540, colour, fsSurface);
    colour = next;
    benchmark::DoNotOptimize(canvas.bitmap().data());
  }
}
BENCHMARK(BM_Colouring_ref_FloodFillWholePicture)->Unit(benchmark::kMillisecond);

// A preview move with three points placed: two 182-dot XOR arcs of width 3.
void BM_Ellipse_PreviewMove(benchmark::State& state) {
  Fenetre w;
  TForm1& f = *w.form;
  f.RadioGroup_type_trace.set_item_index(int(TypeTrace::delie_elliptique));
  const TPoint clicks[] = {{500, 500}, {800, 450}, {900, 700}};
  for (const TPoint& p : clicks) {
    f.FormMouseMove(0, p.x, p.y);
    f.FormMouseDown(mbLeft, ssLeft, p.x, p.y);
  }
  int i = 0;
  for (auto _ : state) {
    ++i;
    f.FormMouseMove(0, 1200 + (i & 1) * 3, 300 + (i & 2));
    benchmark::DoNotOptimize(f.Image1.canvas().bitmap().data());
  }
}
BENCHMARK(BM_Ellipse_PreviewMove)->Unit(benchmark::kMicrosecond);

// Reference: the same 364 dots of width 3 in XOR, without the arc's points.
void BM_Ellipse_ref_364Dots(benchmark::State& state) {
  Canvas canvas(1920, 1080);
  canvas.Pen.Width = 3;
  canvas.Pen.Mode = pmXor;
  canvas.Pen.Color = 0x008000;
  for (auto _ : state) {
    for (int k = 0; k < 364; ++k) {
      canvas.MoveTo(900 + k, 300 + k / 2);
      canvas.LineTo(900 + k, 300 + k / 2);
    }
    benchmark::DoNotOptimize(canvas.bitmap().data());
  }
}
BENCHMARK(BM_Ellipse_ref_364Dots)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvel
