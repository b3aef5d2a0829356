// What a person sees of a mouse move: from the move reaching the window to
// the changed places painted into the window's backing store, through the
// real window on Qt's offscreen platform. A stroke is started with a press,
// then the mouse goes back and forth over the 20 pixels of the replication
// benchmark's segment; each iteration is one move, the core's work and the
// blit of what it changed. In full HD and, with "_4K", on a 4K screen;
// beside the budget of one frame at 120 Hz. "_Guides" shows the guides (F2)
// over the picture: the same moves repaint them where they changed it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>
#include <chrono>
#include <string>
#include <utility>

#include "qt/main_view.h"
#include "qt/picture_widget.h"
#include "view_bench_app.h"

namespace korvel::qt {
namespace {

// Counts the paint events of the picture, to check that each move shows.
class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// A started window filling a screen of the given width, its picture's
// paints counted.
struct Ecran : bench::BenchWindow {
  PaintCounter counter;

  explicit Ecran(int width) : BenchWindow(width) { view->picture().installEventFilter(&counter); }
  ~Ecran() { view->picture().removeEventFilter(&counter); }

  // A mouse event at picture point p, delivered to the window as the window
  // system does.
  void send(QEvent::Type type, TPoint p, Qt::MouseButton button) {
    const QPoint at = view->picture().mapTo(view.get(), QPoint(p.x, p.y));
    QMouseEvent e(type, QPointF(at), QPointF(view->mapToGlobal(at)), button,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->windowHandle(), &e);
  }
};

void move_to_screen(benchmark::State& state, Ecran& ecran) {
  TForm1& f = *ecran.form;
  const TPoint p1{f.centre_x + 140, f.centre_y - 140}, p2{f.centre_x + 160, f.centre_y - 140};
  ecran.send(QEvent::MouseButtonPress, p1, Qt::LeftButton);
  QApplication::processEvents();
  const int before = ecran.counter.paints;
  bool there = true;
  for (auto _ : state) {
    ecran.send(QEvent::MouseMove, there ? p2 : p1, Qt::NoButton);
    QApplication::processEvents();
    there = !there;
  }
  ecran.send(QEvent::MouseButtonRelease, there ? p2 : p1, Qt::LeftButton);
  f.attend_instantane();
  if (ecran.counter.paints - before < int(state.iterations())) state.SkipWithError("a move was not painted");
}

// range(1): the guides shown.
void show_guides(benchmark::State& state, Ecran& ecran) {
  if (!state.range(1)) return;
  ecran.form->guides_visibles = true;
  ecran.view->picture().show_changes();
  QApplication::processEvents();
}

void BM_View_MoveToScreen_Defaults(benchmark::State& state) {
  Ecran ecran(int(state.range(0)));
  show_guides(state, ecran);
  move_to_screen(state, ecran);
}

// The heavy stroke of the replication benchmark: the form's spiral (24
// petals x 20 turns), "ombre 1" 12 wide, 5 clones.
void heavy_stroke(TForm1& f) {
  f.CheckBox_spirale.set_checked(true);
  f.Edit4.set_text("20");
  f.Edit5.set_text("975");
  f.CheckBox_ombre_1.set_checked(true);
  f.Edit7.set_text("12");
  f.Edit3.set_text("12");
  f.Edit6.set_text("5");
}

void BM_View_MoveToScreen_Spiral480Ombre12Clones5(benchmark::State& state) {
  Ecran ecran(int(state.range(0)));
  heavy_stroke(*ecran.form);
  show_guides(state, ecran);
  move_to_screen(state, ecran);
}

// The guides' cost as a share: the same moves with the guides hidden and
// shown in turn, by blocks of 64 (showing or hiding them repaints the whole
// window, untimed), so that both see the machine alike when a busy
// neighbour slows it. Counters: the time per move of each, and
// "guides_ratio", shown over hidden. range(1): the heavy stroke.
void BM_View_MoveToScreen_GuidesRatio(benchmark::State& state) {
  Ecran ecran(int(state.range(0)));
  TForm1& f = *ecran.form;
  if (state.range(1)) heavy_stroke(f);
  const TPoint ends[2] = {{f.centre_x + 140, f.centre_y - 140}, {f.centre_x + 160, f.centre_y - 140}};
  ecran.send(QEvent::MouseButtonPress, ends[0], Qt::LeftButton);
  QApplication::processEvents();
  double spent[2] = {0, 0};
  std::int64_t moves[2] = {0, 0};
  bool there = true;
  std::int64_t done = 0;
  for (auto _ : state) {
    const int shown = int(done / 64 % 2);
    if (done++ % 64 == 0) {
      f.guides_visibles = shown;
      ecran.view->picture().show_changes();
      QApplication::processEvents();
    }
    const auto start = std::chrono::steady_clock::now();
    ecran.send(QEvent::MouseMove, ends[there ? 1 : 0], Qt::NoButton);
    QApplication::processEvents();
    spent[shown] += std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    ++moves[shown];
    there = !there;
  }
  ecran.send(QEvent::MouseButtonRelease, ends[there ? 1 : 0], Qt::LeftButton);
  f.attend_instantane();
  if (!moves[0] || !moves[1]) return;  // the first, short run that sizes the next
  state.counters["hidden_us"] = spent[0] / double(moves[0]);
  state.counters["shown_us"] = spent[1] / double(moves[1]);
  state.counters["guides_ratio"] = (spent[1] / double(moves[1])) / (spent[0] / double(moves[0]));
}
BENCHMARK(BM_View_MoveToScreen_GuidesRatio)->ArgsProduct({{1920, 3840}, {0, 1}})->Unit(benchmark::kMicrosecond);

void BM_View_ref_Frame120Hz(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(1.0 / 120);
}
BENCHMARK(BM_View_ref_Frame120Hz)->UseManualTime()->Unit(benchmark::kMillisecond);

void register_cases() {
  for (const auto& [suffix, width] : {std::pair{"", 1920}, std::pair{"_4K", 3840}})
    for (const auto& [guides_suffix, guides] : {std::pair{"", 0}, std::pair{"_Guides", 1}}) {
      const std::string end = std::string(suffix) + guides_suffix;
      benchmark::RegisterBenchmark(("BM_View_MoveToScreen_Defaults" + end).c_str(), BM_View_MoveToScreen_Defaults)
          ->Args({width, guides})
          ->Unit(benchmark::kMicrosecond)
          ->MeasureProcessCPUTime();
      benchmark::RegisterBenchmark(("BM_View_MoveToScreen_Spiral480Ombre12Clones5" + end).c_str(),
                                   BM_View_MoveToScreen_Spiral480Ombre12Clones5)
          ->Args({width, guides})
          ->Unit(benchmark::kMicrosecond)
          ->MeasureProcessCPUTime();
    }
}
const int registered = (register_cases(), 0);

}  // namespace
}  // namespace korvel::qt
