// The hold of a long run, driven through the window as the platform delivers
// input: the rest of a press on "stop" goes there, a press kept on the picture
// keeps its release, a press outliving its run is not the next run's, and a
// screen reader's actions meet the same hold as clicks.
#include <QAccessible>
#include <QAccessibleActionInterface>

#include "gui_support.h"
#include "qt/input_hold.h"

namespace korvel::qt::testing {
namespace {

struct HeldInput : ::testing::Test {
  StartedWindow w;
  TForm1& f = *w.form;
  std::vector<std::string> heard;

  void SetUp() override {
    f.Image1.OnMouseDown = [this](TMouseButton, TShiftState, int, int) { heard.push_back("down"); };
    f.Image1.OnMouseUp = [this](TMouseButton, TShiftState, int, int) { heard.push_back("up"); };
    f.Panel_stop.OnClick = [this] { heard.push_back("stop"); };
    f.Panel_quit.OnClick = [this] { heard.push_back("quit"); };
  }
  QWidget* stop() const { return w.view->widget_for(f.Panel_stop); }
  QWidget* picture() const { return w.view->widget_for(f.Image1); }
  QPoint stop_centre() const { return stop()->rect().center(); }
  // A long run started by a click, as the random colouring is: each step is
  // input made before one of its polls. Then what it kept is delivered.
  void long_run(const std::vector<std::function<void()>>& steps) {
    w.view->context().run(&f.Panel6, [&] {
      const LongRun run(w.desktop);
      for (const auto& step : steps) {
        step();
        w.desktop.let_stop_through();
      }
      heard.push_back("end");
    });
    QApplication::processEvents();
  }
};

// The "rest of a press" on "stop", and what is kept whole for the end of the
// run, in one run each.
TEST_F(HeldInput, ThePressDecidesWhereItsRestGoes) {
  const QPoint on_picture(40, 40);
  struct Case {
    const char* name;
    std::function<void(HeldInput&)> input;
    std::vector<std::string> heard;
  };
  const Case cases[] = {
      {"a click on stop", [](HeldInput& t) { click(t.stop()); }, {"stop", "end"}},
      {"a press on stop released over the picture",
       [&](HeldInput& t) {
         press(t.stop(), t.stop_centre());
         move_pointer(t.picture(), on_picture);
         release(t.picture(), on_picture);
       },
       {"end"}},
      {"a press on the picture released over stop",
       [&](HeldInput& t) {
         press(t.picture(), on_picture);
         move_pointer(t.stop(), t.stop_centre());
         release(t.stop(), t.stop_centre());
       },
       {"end", "down", "up"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    heard.clear();
    long_run({[&] { c.input(*this); }});
    EXPECT_EQ(heard, c.heard);
  }
}

// A press on "stop" whose button comes up only after its run has ended: held
// down, or the second press of a double click. A click on the picture in
// the next run waits for its end, press and release together.
TEST_F(HeldInput, APressOutlivingItsRunIsNotTheNextRuns) {
  const QPoint on_picture(40, 40);
  const std::vector<std::function<void()>> outliving[] = {
      {[&] { press(stop(), stop_centre()); }},
      {[&] {
        click(stop());
        press(stop(), stop_centre());
      }},
  };
  for (const auto& first_run : outliving) {
    heard.clear();
    long_run(first_run);
    release(stop(), stop_centre());
    heard.clear();
    long_run({[&] { click(picture(), on_picture); }, [] {}});
    EXPECT_EQ(heard, (std::vector<std::string>{"end", "down", "up"}));
  }
}

// A screen reader's press reaches "stop" during a run and nothing else; its
// other actions are dropped, as keys are.
TEST_F(HeldInput, AScreenReadersActionsMeetTheHold) {
  const auto press_action = [](QWidget* widget) {
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(widget);
    ASSERT_TRUE(button && button->actionInterface());
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  };
  QAccessibleInterface* field = QAccessible::queryAccessibleInterface(w.view->widget_for(f.Edit1));
  ASSERT_TRUE(field && field->valueInterface() && field->actionInterface());
  const std::string width = f.Edit1.text();
  long_run({[&] {
    press_action(w.view->widget_for(f.Panel_quit));
    press_action(stop());
    field->valueInterface()->setCurrentValue(field->valueInterface()->currentValue().toInt() + 3);
    field->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
  }});
  EXPECT_EQ(heard, (std::vector<std::string>{"stop", "end"}));
  EXPECT_EQ(f.Edit1.text(), width);
  // Once the run has ended, they act again.
  press_action(w.view->widget_for(f.Panel_quit));
  field->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
  EXPECT_EQ(heard, (std::vector<std::string>{"stop", "end", "quit"}));
  EXPECT_NE(f.Edit1.text(), width);
}

}  // namespace
}  // namespace korvel::qt::testing
