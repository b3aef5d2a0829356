// The random colouring in the real window: only "stop" gets through while
// the grid run holds the thread, and keys typed meanwhile are dropped.
#include <QLabel>

#include "app/choices.h"
#include "gui_support.h"

namespace korvel::qt::testing {
namespace {

TEST(RandomColouring, StopEndsAGridRunAndKeysTypedMeanwhileAreDropped) {
  StartedWindow w;
  TForm1& f = *w.form;
  f.RadioGroup_symetrie.set_item_index(int(Symetrie::unique));
  // Waiting when the run starts: a click on "stop", and E, which would wipe
  // the picture if it were handled.
  post_click(w.view->widget_for(f.Panel_stop));
  QCoreApplication::postEvent(w.view->widget_for(f.Edit2),
                              new QKeyEvent(QEvent::KeyPress, Qt::Key_E, Qt::NoModifier, "e"));
  QTest::mouseClick(w.view->widget_for(f.Panel6), Qt::LeftButton);
  EXPECT_TRUE(f.stop_demande);
  // One sample, then the end: no row was finished.
  EXPECT_EQ(f.Label_y.caption(), "---");
  EXPECT_NE(f.Label_x.caption(), "---");
  EXPECT_EQ(f.RadioGroup_peindre_dessiner.item_index(), int(ModePeinture::dessiner));
  // The hourglass is gone (other tests may leave shapes of their own).
  EXPECT_EQ(w.desktop.cursor(), crArrow);
  const QCursor* shape = QGuiApplication::overrideCursor();
  EXPECT_TRUE(!shape || shape->shape() != Qt::WaitCursor);
  QTest::qWait(20);
  // The first sample filled the black picture; E did not wipe it.
  EXPECT_NE(w.canvas().Pixels(5, 5), clBlack);
  EXPECT_EQ(f.Edit2.text(), "piège à focus");
}

TEST(RandomColouring, TheKButtonRunsToTheEndWithoutStop) {
  StartedWindow w;
  TForm1& f = *w.form;
  f.RadioGroup_symetrie.set_item_index(int(Symetrie::quatre_quarts));
  QTest::mouseClick(w.view->widget_for(f.Panel6), Qt::LeftButton);
  EXPECT_FALSE(f.stop_demande);
  EXPECT_EQ(f.Label_x.caption(), "100 %");
  EXPECT_EQ(f.Label_y.caption(), "100 %");
  EXPECT_EQ(w.widget<QLabel>(f.Label_y)->text(), QString("100 %"));
}

}  // namespace
}  // namespace korvel::qt::testing
