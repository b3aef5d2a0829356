// The real window walked through its history from the keyboard, and its
// tool panel hidden, shown and slid away as a person would see it.
#include <QFileInfo>
#include <QRadioButton>

#include "app/choices.h"

#include "gui_support.h"

namespace korvel::qt::testing {
namespace {

void stroke_at(StartedWindow& w, int dy) {
  const int cx = w.form->centre_x, cy = w.form->centre_y;
  drag(&w.view->picture(), {QPoint(cx + 60, cy + dy), QPoint(cx + 90, cy + dy), QPoint(cx + 120, cy + dy)});
}

TEST(HistoryKeys, F8F9AndTheArrowsWalkTheSnapshotsOnScreen) {
  StartedWindow w;
  stroke_at(w, 0);
  const Bitmap after_first = w.canvas().bitmap();
  stroke_at(w, 40);
  const Bitmap after_second = w.canvas().bitmap();
  ASSERT_NE(after_first, after_second);

  type_key(*w.view, Qt::Key_F8, QString());
  // The step waited for the second stroke's snapshot, written in the background.
  EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(w.form->rep_instantanes + "/~100.bmp")));
  EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(w.form->rep_instantanes + "/~101.bmp")));
  EXPECT_EQ(w.canvas().bitmap(), after_first);
  const QImage shown = w.view->picture().grab().toImage();
  const int x = w.form->centre_x + 90, y = w.form->centre_y + 40;
  EXPECT_EQ(shown.pixel(x, y) & 0xFFFFFF, w.canvas().bitmap().row(y)[x]);
  type_key(*w.view, Qt::Key_F9, QString());
  EXPECT_EQ(w.canvas().bitmap(), after_second);
  type_key(*w.view, Qt::Key_Left, QString());
  EXPECT_EQ(w.canvas().bitmap(), after_first);
  type_key(*w.view, Qt::Key_Right, QString());
  EXPECT_EQ(w.canvas().bitmap(), after_second);
}

TEST(PanelShowing, TheRightClickHidesAndShowsTheToolPanel) {
  StartedWindow w;
  QWidget* panel = w.view->widget_for(w.form->Panel1);
  const QPoint at(100, 100);
  click(&w.view->picture(), at, Qt::RightButton);
  EXPECT_FALSE(panel->isVisible());
  click(&w.view->picture(), at, Qt::RightButton);
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(panel->y(), w.form->top_menu);
}

TEST(PanelShowing, AnArmedPanelSlidesDownOnScreenAndComesBackUnderTheMouse) {
  StartedWindow w;
  TForm1& f = *w.form;
  QTest::mouseClick(w.widget(f.CheckBox_panel_disparait_auto), Qt::LeftButton, Qt::NoModifier, QPoint(5, 8));
  ASSERT_TRUE(f.CheckBox_panel_disparait_auto.checked());
  stroke_at(w, 0);
  ASSERT_TRUE(f.menu_a_cacher);
  f.Timer1.tick();
  for (int i = 0; i < 50; ++i) f.Timer2.tick();
  QApplication::processEvents();
  QWidget* panel = w.view->widget_for(f.Panel1);
  // The view's own timers may add a tick of their own on a slow machine.
  EXPECT_GE(f.Panel1.top(), f.top_menu + 50);
  EXPECT_EQ(panel->y(), f.Panel1.top());
  // The mouse on the bare panel puts it back at once.
  move_pointer(panel, QPoint(5, 60));
  QApplication::processEvents();
  EXPECT_EQ(panel->y(), f.top_menu);
}

// "lignes" chosen on the panel, which space then hides. P (paint) and K
// (random colouring) each make the trace type "crayon" through the core's
// cascades; showing the panel again must keep it, on screen and in strokes.
TEST(PanelShowing, ChoicesMadeWhileThePanelIsHiddenSurviveItsShowing) {
  for (const auto& [key, text] : {std::pair{Qt::Key_P, "p"}, {Qt::Key_K, "k"}}) {
    SCOPED_TRACE(text);
    StartedWindow w;
    TForm1& f = *w.form;
    const auto trace = w.widget(f.RadioGroup_type_trace)->findChildren<QRadioButton*>();
    click(trace[int(TypeTrace::lignes)]);
    ASSERT_EQ(f.RadioGroup_type_trace.item_index(), int(TypeTrace::lignes));
    type_key(*w.view, Qt::Key_Space, " ");
    ASSERT_FALSE(f.Panel1.visible());
    type_key(*w.view, key, text);
    ASSERT_EQ(f.RadioGroup_type_trace.item_index(), int(TypeTrace::crayon));
    type_key(*w.view, Qt::Key_Space, " ");
    ASSERT_TRUE(f.Panel1.visible());
    EXPECT_EQ(f.RadioGroup_type_trace.item_index(), int(TypeTrace::crayon));
    EXPECT_TRUE(trace[int(TypeTrace::crayon)]->isChecked());
    EXPECT_FALSE(trace[int(TypeTrace::lignes)]->isChecked());
  }
}

TEST(QuitKeys, EscapeAndF12AskTheQuestion) {
  StartedWindow w;
  for (Qt::Key key : {Qt::Key_Escape, Qt::Key_F12}) {
    BoxAnswerer no(QMessageBox::No);
    type_key(*w.view, key, key == Qt::Key_Escape ? QString(QChar(27)) : QString());
    EXPECT_EQ(no.texts, std::vector<std::string>{"Quitter ?"});
  }
  EXPECT_FALSE(w.form->terminated);
}

}  // namespace
}  // namespace korvel::qt::testing
