#include "qt/updown_widget.h"

#include "qt/control_style.h"

namespace korvel::qt {

namespace {

QToolButton* arrow_button(Qt::ArrowType arrow, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setArrowType(arrow);
  b->setAutoRepeat(true);
  // Clicking the arrows leaves the keyboard focus where it was.
  b->setFocusPolicy(Qt::NoFocus);
  b->setIconSize(QSize(7, 7));
  return b;
}

}  // namespace

UpDownWidget::UpDownWidget(UpDown& model, ViewContext& context, QWidget* parent)
    : QWidget(parent),
      m_model(model),
      m_context(context),
      m_up(arrow_button(Qt::UpArrow, this)),
      m_down(arrow_button(Qt::DownArrow, this)) {
  bind_model(*this, model);
  setAttribute(Qt::WA_NoMousePropagation);
  connect(m_up, &QToolButton::clicked, this, [this] { m_context.run(&m_model, [this] { m_model.click_up(); }); });
  connect(m_down, &QToolButton::clicked, this, [this] { m_context.run(&m_model, [this] { m_model.click_down(); }); });
  observe(*this, model, [this] { refresh(); });
  refresh();
}

void UpDownWidget::refresh() {
  apply_bounds(*this, m_model);
  apply_hint(*this, m_model);
}

void UpDownWidget::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  m_up->setGeometry(0, 0, width(), half);
  m_down->setGeometry(0, half, width(), height() - half);
}

}  // namespace korvel::qt
