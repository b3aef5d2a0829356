// Keys typed into the real window: the window's handlers see them first.
#include <QLineEdit>

#include "gui_support.h"
#include "qt/key_codes.h"

namespace korvel::qt::testing {
namespace {

TEST(KeyPreview, WithThePanelShownTypedTextReachesTheFocusTrap) {
  StartedWindow w;
  TForm1& f = *w.form;
  auto* trap = w.widget<QLineEdit>(f.Edit2);
  ASSERT_EQ(QApplication::focusWidget(), trap);  // FormActivate put it there
  ASSERT_EQ(f.focused_control, &f.Edit2);
  trap->end(false);
  type_key(*w.view, Qt::Key_2, "2");
  type_key(*w.view, Qt::Key_Eacute, "é");
  EXPECT_EQ(f.Edit2.text(), "piège à focus2é");
  EXPECT_EQ(trap->text(), "piège à focus2é");
  EXPECT_EQ(f.mode_crayon, pmCopy);
}

TEST(KeyPreview, WithThePanelHiddenCharactersChooseThePenModeAndAreConsumed) {
  StartedWindow w;
  TForm1& f = *w.form;
  type_key(*w.view, Qt::Key_Space, " ");
  ASSERT_FALSE(f.Panel1.visible());
  EXPECT_EQ(f.Edit2.text(), "");
  type_key(*w.view, Qt::Key_Eacute, "é");
  EXPECT_EQ(f.mode_crayon, pmMerge);
  EXPECT_EQ(w.canvas().Pen.Mode, pmMerge);
  type_key(*w.view, Qt::Key_H, "h");
  EXPECT_EQ(f.mode_crayon, pmNotXor);
  type_key(*w.view, Qt::Key_2, "2");
  EXPECT_EQ(f.mode_crayon, pmMerge);
  EXPECT_EQ(f.ComboBox1.item_index(), 1);
  EXPECT_EQ(f.Edit2.text(), "");
  EXPECT_EQ(w.widget<QLineEdit>(f.Edit2)->text(), "");
  // Space again brings the panel back.
  type_key(*w.view, Qt::Key_Space, " ");
  EXPECT_TRUE(f.Panel1.visible());
  EXPECT_TRUE(w.view->widget_for(f.Panel1)->isVisible());
}

TEST(KeyPreview, KeyCommandsRunAndTheKeyStillReachesTheControl) {
  StartedWindow w;
  TForm1& f = *w.form;
  w.canvas().Brush.Color = clWhite;
  w.canvas().FillRect(0, 0, 100, 100);
  w.widget<QLineEdit>(f.Edit2)->end(false);
  type_key(*w.view, Qt::Key_E, "e");
  EXPECT_EQ(w.canvas().Pixels(50, 50), clBlack);
  EXPECT_EQ(f.Edit2.text(), "piège à focuse");
  type_key(*w.view, Qt::Key_F1, QString());
  EXPECT_TRUE(w.view->widget_for(f.Panel8)->isVisible());
  // Escape with the help shown only hides it.
  type_key(*w.view, Qt::Key_Escape, QString(QChar(27)));
  EXPECT_FALSE(f.Panel8.visible());
  EXPECT_FALSE(f.terminated);
}

TEST(KeyPreview, CtrlAloneEntersCentreChoice) {
  StartedWindow w;
  type_key(*w.view, Qt::Key_Control, QString(), Qt::ControlModifier);
  EXPECT_TRUE(w.form->choix_centre);
  EXPECT_EQ(w.desktop.cursor(), crCross);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
  const QPoint centre(300, 200);
  click(&w.view->picture(), centre);
  EXPECT_EQ(w.form->centre_x, 300);
  EXPECT_EQ(w.form->centre_y, 200);
  EXPECT_FALSE(w.form->choix_centre);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(KeyPreview, CtrlWithAPunctuationKeyEntersCentreChoice) {
  StartedWindow w;
  type_key(*w.view, Qt::Key_Comma, ",", Qt::ControlModifier);
  EXPECT_TRUE(w.form->choix_centre);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
}

TEST(KeyPreview, SpaceNeverEntersTheUpDownEdits) {
  StartedWindow w;
  TForm1& f = *w.form;
  auto* count = w.widget<QLineEdit>(f.Edit5);  // the one writable up-down edit
  count->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(f.focused_control, &f.Edit5);
  count->end(false);
  // Space toggles the panel (hidden, then shown again) and is swallowed.
  type_key(*w.view, Qt::Key_Space, " ");
  type_key(*w.view, Qt::Key_Space, " ");
  EXPECT_EQ(f.Edit5.text(), "975");
  count->setFocus();
  QApplication::processEvents();
  type_key(*w.view, Qt::Key_1, "1");
  EXPECT_EQ(f.Edit5.text(), "9751");
}

TEST(KeyCodes, KeysTranslateToVirtualKeyCodes) {
  const auto code = [](int key, Qt::KeyboardModifiers m = Qt::NoModifier, const QString& text = {}) {
    return int(virtual_key(QKeyEvent(QEvent::KeyPress, key, m, text)));
  };
  EXPECT_EQ(code(Qt::Key_E, Qt::NoModifier, "e"), 'E');
  EXPECT_EQ(code(Qt::Key_E, Qt::ShiftModifier, "E"), 'E');
  EXPECT_EQ(code(Qt::Key_7), '7');
  EXPECT_EQ(code(Qt::Key_7, Qt::KeypadModifier), 103);
  EXPECT_EQ(code(Qt::Key_Escape), 27);
  EXPECT_EQ(code(Qt::Key_Space), 32);
  EXPECT_EQ(code(Qt::Key_Left), 37);
  EXPECT_EQ(code(Qt::Key_Down), 40);
  EXPECT_EQ(code(Qt::Key_F1), 112);
  EXPECT_EQ(code(Qt::Key_F12), 123);
  EXPECT_EQ(code(Qt::Key_Control), 17);
  EXPECT_EQ(code(Qt::Key_Shift), 16);
  EXPECT_EQ(code(Qt::Key_Alt), 18);
  // Keys with no number of their own still reach the key handlers.
  EXPECT_EQ(code(Qt::Key_Eacute, Qt::NoModifier, "é"), vk::NoCode);
  EXPECT_EQ(code(Qt::Key_Comma, Qt::NoModifier, ","), vk::NoCode);
  EXPECT_EQ(code(Qt::Key_twosuperior, Qt::NoModifier, "²"), vk::NoCode);
  EXPECT_EQ(code(Qt::Key_Plus, Qt::KeypadModifier, "+"), 107);
  EXPECT_EQ(code(Qt::Key_Slash, Qt::KeypadModifier, "/"), 111);
  EXPECT_EQ(code(Qt::Key_Minus, Qt::NoModifier, "-"), vk::NoCode);

  const QKeyEvent ctrl(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
  EXPECT_EQ(key_shift_state(ctrl), ssCtrl);
  const QKeyEvent shifted(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier | Qt::AltModifier);
  EXPECT_EQ(key_shift_state(shifted), ssShift | ssAlt);
}

}  // namespace
}  // namespace korvel::qt::testing
