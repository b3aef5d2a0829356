#include "qt/label_widget.h"

#include "qt/control_style.h"
#include "qt/qt_convert.h"

namespace korvel::qt {

LabelWidget::LabelWidget(Label& model, QWidget* parent) : QLabel(parent), m_model(model) {
  bind_model(*this, model);
  setTextFormat(Qt::PlainText);
  setMargin(0);
  setIndent(0);
  // Mouse input over a label belongs to the label, not to the panel below.
  setAttribute(Qt::WA_NoMousePropagation);
  observe(*this, model, [this] { refresh(); });
  refresh();
}

void LabelWidget::refresh() {
  setText(to_qstring(m_model.caption()));
  apply_hint(*this, m_model);
  apply_font(*this, m_model);
  apply_background(*this, m_model, QPalette::Window);
  // Sized to the caption, at the model's position.
  adjustSize();
  move(m_model.left(), m_model.top());
  setVisible(m_model.visible());
}

}  // namespace korvel::qt
