#include "qt/edit_widget.h"

#include "qt/control_style.h"
#include "qt/qt_convert.h"

namespace korvel::qt {

EditWidget::EditWidget(Edit& model, ViewContext& context, QWidget* parent)
    : QLineEdit(parent), m_model(model), m_context(context) {
  bind_model(*this, model);
  setTextMargins(0, 0, 0, 0);
  setAttribute(Qt::WA_NoMousePropagation);
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
    m_context.run([&] { m_model.set_text(to_std(text)); });
  });
  observe(*this, model, [this] { refresh(); });
  refresh();
}

void EditWidget::refresh() {
  const QString text = to_qstring(m_model.text());
  // Rewriting the same text would move the user's cursor.
  if (this->text() != text) setText(text);
  setReadOnly(m_model.read_only());
  apply_bounds(*this, m_model);
  apply_hint(*this, m_model);
  apply_font(*this, m_model);
  apply_background(*this, m_model, QPalette::Base);
}

}  // namespace korvel::qt
