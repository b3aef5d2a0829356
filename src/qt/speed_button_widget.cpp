#include "qt/speed_button_widget.h"

#include "qt/control_style.h"
#include "qt/qt_convert.h"

namespace korvel::qt {

SpeedButtonWidget::SpeedButtonWidget(SpeedButton& model, ViewContext& context, QWidget* parent)
    : QToolButton(parent), m_model(model), m_context(context) {
  bind_model(*this, model);
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_NoMousePropagation);
  connect(this, &QToolButton::clicked, this, [this] { m_context.run(&m_model, [this] { m_model.click(); }); });
  observe(*this, model, [this] { refresh(); });
  refresh();
}

void SpeedButtonWidget::refresh() {
  setText(to_qstring(m_model.caption()));
  apply_bounds(*this, m_model);
  apply_hint(*this, m_model);
  apply_fitted_font(*this, m_model, [this] { return sizeHint().width() <= width() || text().isEmpty(); });
}

}  // namespace korvel::qt
