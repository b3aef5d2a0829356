// Timer models run by Qt timers.
#include "gui_support.h"
#include "qt/timer_binding.h"

namespace korvel::qt::testing {
namespace {

TEST(TimerBinding, FollowsTheModelAndTicksIt) {
  StartedWindow w;
  Timer model("T");
  int ticks = 0;
  model.OnTimer = [&] { ++ticks; };
  TimerBinding binding(model, w.view->context());
  EXPECT_TRUE(binding.timer().isActive());
  EXPECT_EQ(binding.timer().interval(), 1000);
  model.set_interval(3);
  EXPECT_EQ(binding.timer().interval(), 3);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 5000));
  model.set_enabled(false);
  EXPECT_FALSE(binding.timer().isActive());
  // A failing tick is reported and the timer goes on.
  bool failed = false;
  model.OnTimer = [&] {
    ++ticks;
    if (failed) return;
    failed = true;
    throw EConvertError("tick");
  };
  BoxAnswerer ok(QMessageBox::Ok);
  model.set_enabled(true);
  const int before = ticks;
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= before + 3; }, 5000));
  EXPECT_EQ(ok.texts, std::vector<std::string>{"tick"});
}

}  // namespace
}  // namespace korvel::qt::testing
