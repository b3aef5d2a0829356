// Every caption, item and text of the tool panel measured against its
// control, in the font the widget really uses: nothing cut, scrolled,
// wrapped or hidden under a neighbour. CTest runs these tests twice: with the
// fonts installed, and with the narrow faces hidden from fontconfig, as on a
// machine that lacks them.
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTextDocument>
#include <QToolButton>
#include <QAbstractItemView>
#include <iostream>
#include <sstream>

#include "gui_support.h"
#include "qt/qt_convert.h"

namespace korvel::qt::testing {
namespace {

std::string describe(const QWidget* w, const QString& text, int needed, int room) {
  std::ostringstream out;
  out << w->objectName().toStdString() << " \"" << text.toStdString() << "\": " << needed << " px in " << room
      << " px (" << QFontInfo(w->font()).family().toStdString() << " " << QFontInfo(w->font()).pixelSize() << " px)";
  return out.str();
}

// A label's text must not run under any shown control beside it.
void check_label(const QLabel* label, std::vector<std::string>& cut) {
  const QFontMetrics m = label->fontMetrics();
  const QRect text(label->pos(), QSize(m.horizontalAdvance(label->text()), m.height()));
  if (text.width() == 0) return;
  const QWidget* parent = label->parentWidget();
  if (text.right() >= parent->width()) cut.push_back(describe(label, label->text(), text.right() + 1, parent->width()));
  for (const QWidget* other : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (other == label || !other->isVisibleTo(parent)) continue;
    QRect r = other->geometry();
    if (const auto* l = qobject_cast<const QLabel*>(other))
      r = QRect(l->pos(), QSize(l->fontMetrics().horizontalAdvance(l->text()), l->fontMetrics().height()));
    if (!r.isEmpty() && r.intersects(text))
      cut.push_back(describe(label, label->text(), text.width(), r.left() - text.left()) + " under " +
                    other->objectName().toStdString());
  }
}

// A group's caption ends inside its frame.
void check_group_title(const QGroupBox* group, std::vector<std::string>& cut) {
  if (group->title().isEmpty()) return;
  QStyleOptionGroupBox option;
  option.initFrom(group);
  option.text = group->title();
  option.lineWidth = 1;
  option.textAlignment = group->alignment();
  option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  const QRect label = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
  const int needed = group->fontMetrics().horizontalAdvance(group->title());
  if (label.right() >= group->width() - 1 || label.width() < needed)
    cut.push_back(describe(group, group->title(), label.right() + 1, group->width() - 1));
}

void check_line_edit(QLineEdit* edit, std::vector<std::string>& cut) {
  // QLineEdit draws its text two pixels inside its frame, with a one-pixel cursor.
  const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
  const int room = edit->width() - 2 * frame - 2 * 2 - 1;
  const int needed = edit->fontMetrics().horizontalAdvance(edit->text());
  if (needed > room) cut.push_back(describe(edit, edit->text(), needed, room));
  // Nothing scrolled out on the left.
  if (edit->cursorPositionAt(QPoint(frame + 2, edit->height() / 2)) != 0)
    cut.push_back(describe(edit, edit->text(), needed, room) + " scrolled");
}

void check_combo(QComboBox* combo, std::vector<std::string>& cut) {
  QStyleOptionComboBox option;
  option.initFrom(combo);
  option.editable = false;
  option.frame = true;
  const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
  const int needed = combo->fontMetrics().horizontalAdvance(combo->currentText());
  if (needed > field.width()) cut.push_back(describe(combo, combo->currentText(), needed, field.width()));
  // The list: fixed pitch, its rows whole, right under the box and as wide.
  QAbstractItemView* list = combo->view();
  combo->showPopup();
  QApplication::processEvents();
  const QRect popup = list->window()->geometry();
  const QPoint origin = combo->mapToGlobal(QPoint(0, 0));
  if (popup.left() != origin.x() || popup.width() != combo->width())
    cut.push_back(describe(combo, "list", popup.width(), combo->width()) + " at x " + std::to_string(popup.left()) +
                  " for " + std::to_string(origin.x()));
  // Each row's text, in the font it is drawn in, within the row's shown
  // part less the item margins on both sides.
  const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
  for (int i = 0; i < combo->count(); ++i) {
    const QModelIndex row = list->model()->index(i, 0);
    const QVariant role = row.data(Qt::FontRole);
    const QFont font = role.isValid() ? role.value<QFont>() : list->font();
    const int needed = QFontMetrics(font).horizontalAdvance(combo->itemText(i));
    const int room = (list->visualRect(row) & list->viewport()->rect()).width() - 2 * margin;
    if (needed > room) cut.push_back(describe(list, combo->itemText(i), needed, room));
    if (!QFontInfo(font).fixedPitch()) cut.push_back(describe(list, combo->itemText(i), needed, room) + " not fixed pitch");
  }
  combo->hidePopup();
}

void check_memo(const QPlainTextEdit* memo, std::vector<std::string>& cut) {
  const QTextDocument* doc = memo->document();
  if (doc->lineCount() != doc->blockCount())
    cut.push_back(describe(memo, "help", doc->lineCount(), doc->blockCount()) + " (rows for lines)");
  if (memo->verticalScrollBar()->maximum() != 0)
    cut.push_back(describe(memo, "help", memo->verticalScrollBar()->maximum(), 0) + " (scrolled)");
}

// Every shown control of the window, measured; the list of what is cut.
std::vector<std::string> cut_texts(const StartedWindow& w) {
  std::vector<std::string> cut;
  QApplication::processEvents();
  for (Control* control : w.form->controls()) {
    QWidget* widget = w.view->widget_for(*control);
    if (!widget || !widget->isVisible()) continue;
    const QFontMetrics m = widget->fontMetrics();
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      check_label(label, cut);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      check_line_edit(edit, cut);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      check_combo(combo, cut);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
      check_memo(memo, cut);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
      check_group_title(group, cut);
      for (const QRadioButton* b : group->findChildren<QRadioButton*>())
        if (b->sizeHint().width() > b->width() || b->fontMetrics().height() > b->height())
          cut.push_back(describe(b, b->text(), b->sizeHint().width(), b->width()));
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      if (button->sizeHint().width() > button->width())
        cut.push_back(describe(button, button->text(), button->sizeHint().width(), button->width()));
    } else if (control->kind() == ControlKind::Panel && !control->caption().empty()) {
      const QString caption = to_qstring(control->caption());
      if (m.horizontalAdvance(caption) > widget->width() - 2)
        cut.push_back(describe(widget, caption, m.horizontalAdvance(caption), widget->width() - 2));
    }
  }
  return cut;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += "\n  " + l;
  return out;
}

TEST(PanelTexts, EveryTextOfTheToolPanelShowsWhole) {
  StartedWindow w;
  const auto cut = cut_texts(w);
  EXPECT_TRUE(cut.empty()) << joined(cut);
}

TEST(PanelTexts, PetalCountCaptionBesideTheCentreChoiceMessage) {
  StartedWindow w;
  w.view->context().run([&] { w.form->Panel3Click(); });
  ASSERT_EQ(w.widget<QLabel>(w.form->Label1)->text(), "clik au centre");
  const auto cut = cut_texts(w);
  EXPECT_TRUE(cut.empty()) << joined(cut);
}

TEST(PanelTexts, HelpMemoShowsEveryLineWholeWithoutScrolling) {
  StartedWindow w;
  w.view->context().run([&] { w.form->Panel12Click(); });
  ASSERT_TRUE(w.view->widget_for(w.form->Memo1)->isVisible());
  const auto cut = cut_texts(w);
  EXPECT_TRUE(cut.empty()) << joined(cut);
}

TEST(PanelTexts, LargestNumbersAndLongestModeRowFitTheirControls) {
  StartedWindow w;
  w.view->context().run([&] { w.form->ComboBox1.set_item_index(15); });
  ASSERT_TRUE(w.widget<QComboBox>(w.form->ComboBox1)->currentText().startsWith("16 pmNotXor"));
  // The up-down buttons' highest positions: three digits in the narrow edits.
  for (UpDown* u : {&w.form->UpDown5, &w.form->UpDown2, &w.form->UpDown6, &w.form->UpDown1, &w.form->UpDown3,
                    &w.form->UpDown4})
    w.view->context().run([&] {
      for (int i = 0; i < 1000 && u->position() < u->max(); ++i) u->click_up();
    });
  ASSERT_EQ(w.widget<QLineEdit>(w.form->Edit6)->text(), "100");
  const auto cut = cut_texts(w);
  EXPECT_TRUE(cut.empty()) << joined(cut);
}

TEST(PanelTexts, TheFaceInUseIsTheOneThisMachineOffers) {
  // Under the configuration that hides the narrow faces, the panel must have
  // fallen back to another one: the other tests then measured the wider face.
  StartedWindow w;
  const QString family = QFontInfo(w.view->widget_for(w.form->Label3)->font()).family();
  const QByteArray config = qgetenv("FONTCONFIG_FILE");
  if (config.contains("without-narrow-faces")) {
    EXPECT_FALSE(family.startsWith("Liberation")) << family.toStdString();
  } else if (QFontDatabase::hasFamily("Liberation Sans")) {
    EXPECT_EQ(family, "Liberation Sans");
  }
  std::cout << "panel face: " << family.toStdString() << "\n";
}

}  // namespace
}  // namespace korvel::qt::testing
