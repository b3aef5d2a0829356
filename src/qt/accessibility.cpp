#include "qt/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "platform/text.h"
#include "qt/edit_widget.h"
#include "qt/label_widget.h"
#include "qt/panel_widget.h"
#include "qt/picture_widget.h"
#include "qt/qt_convert.h"
#include "qt/updown_widget.h"

namespace korvel::qt {

namespace {

// A panel: a push button when it has a click, a pane around its controls,
// else a piece of text (a swatch that only shows a colour).
class PanelAccessible : public QAccessibleWidget {
 public:
  explicit PanelAccessible(PanelWidget* panel) : QAccessibleWidget(panel, role_of(*panel)) {}

  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (panel().clickable()) names.prepend(pressAction());
    return names;
  }
  void doAction(const QString& name) override {
    if (name == pressAction())
      panel().press();
    else
      QAccessibleWidget::doAction(name);
  }

  // The up-down arrows stay out of the tree: the number field beside them
  // is a spin box that steps up and down itself, so a screen reader meets
  // one control with its value rather than more stops that say nothing of
  // it. So does a label while it has no caption.
  int childCount() const override { return int(children_shown().size()); }
  QAccessibleInterface* child(int index) const override {
    const QList<QWidget*> children = children_shown();
    return index >= 0 && index < children.size() ? QAccessible::queryAccessibleInterface(children[index]) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child ? int(children_shown().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
  }

 private:
  QList<QWidget*> children_shown() const {
    QList<QWidget*> shown;
    for (QObject* o : widget()->children()) {
      auto* w = qobject_cast<QWidget*>(o);
      if (!w || w->isWindow() || qobject_cast<UpDownWidget*>(w)) continue;
      // A label without a caption shows nothing: it is no stop either.
      if (auto* label = qobject_cast<LabelWidget*>(w); label && label->model().caption().empty()) continue;
      shown.append(w);
    }
    return shown;
  }
  static QAccessible::Role role_of(const PanelWidget& panel) {
    if (panel.clickable()) return QAccessible::Button;
    return panel.model().children().empty() ? QAccessible::StaticText : QAccessible::Pane;
  }
  PanelWidget& panel() const { return *static_cast<PanelWidget*>(widget()); }
};

// The up-down buttons beside `edit` that step its number, if any.
UpDown* updown_of(const Edit& edit) {
  if (!edit.parent()) return nullptr;
  for (Control* c : edit.parent()->children())
    if (c->kind() == ControlKind::UpDown && static_cast<UpDown*>(c)->associate() == &edit) return static_cast<UpDown*>(c);
  return nullptr;
}

// An edit tied to up-down buttons: a spin box whose value is the number
// shown, stepped as the arrows step it.
class NumberFieldAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  NumberFieldAccessible(EditWidget* edit, UpDown& updown)
      : QAccessibleWidget(edit, QAccessible::SpinBox), m_updown(updown) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return edit().text();
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = edit().isReadOnly();
    s.editable = !edit().isReadOnly();
    return s;
  }

  QVariant currentValue() const override {
    const auto value = try_str_to_int(to_std(edit().text()));
    return value ? QVariant(*value) : QVariant();
  }
  void setCurrentValue(const QVariant& value) override {
    edit().context().run(&updown(), [&] { updown().set_position(value.toInt()); });
  }
  QVariant maximumValue() const override { return updown().max(); }
  QVariant minimumValue() const override { return updown().min(); }
  QVariant minimumStepSize() const override { return 1; }

  QStringList actionNames() const override {
    return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& name) override {
    if (name == increaseAction())
      edit().context().run(&updown(), [&] { updown().click_up(); });
    else if (name == decreaseAction())
      edit().context().run(&updown(), [&] { updown().click_down(); });
    else
      QAccessibleWidget::doAction(name);
  }

 private:
  EditWidget& edit() const { return *static_cast<EditWidget*>(widget()); }
  UpDown& updown() const { return m_updown; }
  UpDown& m_updown;
};

QAccessibleInterface* view_accessible(const QString&, QObject* object) {
  if (auto* panel = qobject_cast<PanelWidget*>(object)) return new PanelAccessible(panel);
  if (auto* edit = qobject_cast<EditWidget*>(object))
    if (UpDown* updown = updown_of(edit->model())) return new NumberFieldAccessible(edit, *updown);
  if (auto* picture = qobject_cast<PictureWidget*>(object)) return new QAccessibleWidget(picture, QAccessible::Canvas);
  return nullptr;
}

}  // namespace

void install_accessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(view_accessible);
    return true;
  }();
  (void)installed;
}

}  // namespace korvel::qt
