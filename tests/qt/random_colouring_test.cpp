// The random colouring in the real window: only "stop" gets through while
// the grid run holds the thread, and keys typed meanwhile are dropped.
#include <QLabel>

#include "app/choices.h"
#include "gui_support.h"

namespace korvel::qt::testing {
namespace {

// "stop" clicked in the window while the grid run holds the thread, and E
// typed, which would wipe the picture if it were handled. Both come from
// the run's first poll for input. The run is started with the K button, or
// with the K key while the pointer already rests on "stop".
TEST(RandomColouring, StopEndsAGridRunAndKeysTypedMeanwhileAreDropped) {
  for (const bool started_by_key : {false, true}) {
    SCOPED_TRACE(started_by_key ? "K key, pointer on stop" : "K button");
    StartedWindow w;
    TForm1& f = *w.form;
    f.RadioGroup_symetrie.set_item_index(int(Symetrie::unique));
    QWidget* stop = w.view->widget_for(f.Panel_stop);
    if (started_by_key) move_pointer(stop, QPoint(10, 10));
    QTimer::singleShot(0, [&] {
      type_key(*w.view, Qt::Key_E, "e");
      if (started_by_key)
        click(stop, QPoint(10, 10));
      else
        click(stop);
    });
    if (started_by_key)
      type_key(*w.view, Qt::Key_K, "k");
    else
      click(w.view->widget_for(f.Panel6));
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
}

TEST(RandomColouring, TheKButtonRunsToTheEndWithoutStop) {
  StartedWindow w;
  TForm1& f = *w.form;
  f.RadioGroup_symetrie.set_item_index(int(Symetrie::quatre_quarts));
  click(w.view->widget_for(f.Panel6));
  EXPECT_FALSE(f.stop_demande);
  EXPECT_EQ(f.Label_x.caption(), "100 %");
  EXPECT_EQ(f.Label_y.caption(), "100 %");
  EXPECT_EQ(w.widget<QLabel>(f.Label_y)->text(), QString("100 %"));
}

}  // namespace
}  // namespace korvel::qt::testing
