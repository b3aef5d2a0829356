// A long handler that lets only the "stop" button through: other clicks wait
// until it has ended, keys are dropped, timer ticks are held.
#include <QLineEdit>

#include "gui_support.h"

namespace korvel::qt::testing {
namespace {

TEST(LongHandler, OnlyStopGetsThroughAndOtherClicksWaitForTheEnd) {
  StartedWindow w;
  TForm1& f = *w.form;
  std::vector<std::string> order;
  f.Panel_stop.OnClick = [&] { order.push_back("stop"); };
  f.Panel2.OnClick = [&] { order.push_back("new"); };
  int ticks = 0;
  f.Timer2.OnTimer = [&] { ++ticks; };
  f.Timer2.set_interval(1);
  // The long run: polls until "stop" arrives, then drops the keys typed.
  f.Panel6.OnClick = [&] {
    order.push_back("run");
    // Made in the window from the run's first poll for input.
    QTimer::singleShot(0, [&] {
      click(w.view->widget_for(f.Panel2));
      click(w.view->widget_for(f.Panel_stop));
      type_key(*w.view, Qt::Key_A, "a");
    });
    const LongRun run(w.desktop);
    const int ticks_before = ticks;
    for (int i = 0; i < 50 && order.back() != "stop"; ++i) {
      QTest::qSleep(2);
      w.desktop.let_stop_through();
    }
    EXPECT_EQ(ticks, ticks_before);
    w.desktop.flush_keyboard();
    order.push_back("end");
  };
  click(w.view->widget_for(f.Panel6));
  QApplication::processEvents();
  // The other click waited for the end of the run.
  EXPECT_EQ(order, (std::vector<std::string>{"run", "stop", "end", "new"}));
  EXPECT_EQ(f.Edit2.text(), "piège à focus");
  // Held ticks come again once the run has ended, however loaded the machine.
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks > 0; }, 5000));
}

}  // namespace
}  // namespace korvel::qt::testing
