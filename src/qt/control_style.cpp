#include "qt/control_style.h"

#include <QVariant>

#include "qt/qt_convert.h"

namespace korvel::qt {

namespace {
constexpr const char* kModelProperty = "korvelControl";
}

void bind_model(QWidget& widget, Control& model) {
  widget.setProperty(kModelProperty, QVariant::fromValue(static_cast<void*>(&model)));
  widget.setObjectName(to_qstring(model.name()));
}

Control* model_of(const QWidget* widget) {
  for (const QWidget* w = widget; w; w = w->parentWidget()) {
    const QVariant v = w->property(kModelProperty);
    if (v.isValid()) return static_cast<Control*>(v.value<void*>());
  }
  return nullptr;
}

void apply_bounds(QWidget& widget, const Control& model) {
  const QRect r(model.left(), model.top(), model.width(), model.height());
  if (widget.geometry() != r) widget.setGeometry(r);
  if (widget.isVisibleTo(widget.parentWidget()) != model.visible()) widget.setVisible(model.visible());
}

void apply_hint(QWidget& widget, const Control& model) {
  widget.setToolTip(model.show_hint() ? to_qstring(model.hint()) : QString());
  apply_accessible_texts(widget, model);
}

QString accessible_name_of(const Control& model) {
  for (const std::string* text : {&model.accessible_name(), &model.caption(), &model.hint()})
    if (!text->empty()) return to_qstring(*text).trimmed();
  return {};
}

void apply_accessible_texts(QWidget& widget, const Control& model) {
  const QString name = accessible_name_of(model);
  const QString hint = to_qstring(model.hint()).trimmed();
  const QString description = hint == name ? QString() : hint;
  // Set only on a change: each one is announced to the screen reader.
  if (widget.accessibleName() != name) widget.setAccessibleName(name);
  if (widget.accessibleDescription() != description) widget.setAccessibleDescription(description);
}

void apply_font(QWidget& widget, const Control& model) {
  const QFont f = sans_font(model.font());
  if (widget.font() != f) widget.setFont(f);
  QPalette p = widget.palette();
  const QColor text = to_qcolor(model.font().color);
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) p.setColor(role, text);
  widget.setPalette(p);
}

bool fit_font(QWidget& widget, QFont font, const FitTest& fits) {
  if (widget.font() != font) widget.setFont(font);
  while (!fits()) {
    if (font.pixelSize() <= kSmallestFontPx) return false;
    font.setPixelSize(font.pixelSize() - 1);
    widget.setFont(font);
  }
  return true;
}

bool apply_fitted_font(QWidget& widget, const Control& model, const FitTest& fits) {
  apply_font(widget, model);
  return fit_font(widget, sans_font(model.font()), fits);
}

void apply_background(QWidget& widget, const Control& model, QPalette::ColorRole role) {
  QPalette p = widget.palette();
  p.setColor(role, to_qcolor(model.color()));
  widget.setPalette(p);
  if (role == QPalette::Window) widget.setAutoFillBackground(!model.parent_color());
}

void apply_common(QWidget& widget, const Control& model) {
  apply_bounds(widget, model);
  apply_hint(widget, model);
  apply_font(widget, model);
  apply_background(widget, model, QPalette::Window);
}

}  // namespace korvel::qt
