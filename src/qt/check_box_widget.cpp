#include "qt/check_box_widget.h"

#include "qt/control_style.h"
#include "qt/qt_convert.h"

namespace korvel::qt {

CheckBoxWidget::CheckBoxWidget(CheckBox& model, ViewContext& context, QWidget* parent)
    : QCheckBox(parent), m_model(model), m_context(context) {
  bind_model(*this, model);
  setAttribute(Qt::WA_NoMousePropagation);
  connect(this, &QCheckBox::clicked, this, [this] {
    m_context.run(&m_model, [this] { m_model.click(); });
    refresh();
  });
  observe(*this, model, [this] { refresh(); });
  refresh();
}

void CheckBoxWidget::refresh() {
  setText(to_qstring(m_model.caption()));
  setChecked(m_model.checked());
  apply_common(*this, m_model);
  apply_fitted_font(*this, m_model, [this] {
    return sizeHint().width() <= width() && fontMetrics().height() <= height();
  });
}

}  // namespace korvel::qt
