// The random colouring through the real window on Qt's offscreen platform:
// the whole grid run with its immediate label repaints and its polls for
// "stop", beside one progress label changed and repainted alone. The run's
// samples times the label's cost, over the run's time, is the share of the
// feedback.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "app/choices.h"
#include "view_bench_app.h"

namespace korvel::qt {
namespace {

// A started window of 1920x1080 with ten strokes of a 24-petal rosette.
struct Fenetre : bench::BenchWindow {
  Fenetre() : BenchWindow(1920) {
    form->Edit1.set_text("24");
    form->RadioGroup_symetrie.set_item_index(int(Symetrie::rosace));
    for (int i = 0; i < 10; ++i) {
      const TPoint a{960 + 40 * i, 540 - 10 * i}, b{960 + 40 * (i + 1), 540 + 15 * i - 60};
      form->trace_symetrique(a, b, pmCopy, form->coul_crayon);
    }
  }
};

void BM_View_GridRunUnique(benchmark::State& state) {
  Fenetre w;
  const Bitmap drawn = w.form->Image1.canvas().bitmap();
  w.form->RadioGroup_symetrie.set_item_index(int(Symetrie::unique));
  for (auto _ : state) {
    state.PauseTiming();
    w.form->Image1.canvas().Draw(0, 0, drawn);
    state.ResumeTiming();
    w.form->coloriage_aleatoire();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_View_GridRunUnique)->Unit(benchmark::kMillisecond)->UseRealTime();

// One sample's feedback: the progress label changed and repainted at once.
void BM_View_ProgressLabelRepaint(benchmark::State& state) {
  Fenetre w;
  int i = 0;
  for (auto _ : state) {
    w.form->Label_x.set_caption(IntToStr(i++ % 100) + " %");
    w.desktop.repaint(w.form->Label_x);
  }
}
BENCHMARK(BM_View_ProgressLabelRepaint)->Unit(benchmark::kMicrosecond)->UseRealTime();

// One sample's poll for "stop", with nothing waiting.
void BM_View_StopPoll(benchmark::State& state) {
  Fenetre w;
  for (auto _ : state) w.desktop.let_stop_through();
}
BENCHMARK(BM_View_StopPoll)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
}  // namespace korvel::qt
