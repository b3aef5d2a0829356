#include "qt/scroll_box_widget.h"

#include "qt/control_style.h"

namespace korvel::qt {

ScrollBoxWidget::ScrollBoxWidget(ScrollBox& model, QWidget* parent) : QWidget(parent), m_model(model) {
  bind_model(*this, model);
  setMouseTracking(true);
  observe(*this, model, [this] { refresh(); });
  refresh();
}

void ScrollBoxWidget::refresh() {
  apply_bounds(*this, m_model);
  apply_background(*this, m_model, QPalette::Window);
}

}  // namespace korvel::qt
