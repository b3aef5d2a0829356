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
    post_click(w.view->widget_for(f.Panel2));
    post_click(w.view->widget_for(f.Panel_stop));
    QCoreApplication::postEvent(w.view->widget_for(f.Edit2),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
    const int ticks_before = ticks;
    for (int i = 0; i < 50 && order.back() != "stop"; ++i) {
      QTest::qSleep(2);
      w.desktop.let_stop_through();
    }
    EXPECT_EQ(ticks, ticks_before);
    w.desktop.flush_keyboard();
    order.push_back("end");
  };
  QTest::mouseClick(w.view->widget_for(f.Panel6), Qt::LeftButton);
  EXPECT_EQ(order, (std::vector<std::string>{"run", "stop", "end"}));
  QApplication::processEvents();
  EXPECT_EQ(order.back(), "new");
  EXPECT_EQ(f.Edit2.text(), "piège à focus");
  // Held ticks come again once the run has ended, however loaded the machine.
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks > 0; }, 5000));
}

}  // namespace
}  // namespace korvel::qt::testing
