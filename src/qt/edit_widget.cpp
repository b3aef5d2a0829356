#include "qt/edit_widget.h"

#include <QStyle>
#include <QStyleOptionFrame>

#include "qt/control_style.h"
#include "qt/qt_convert.h"

namespace korvel::qt {

EditWidget::EditWidget(Edit& model, ViewContext& context, QWidget* parent)
    : QLineEdit(parent), m_model(model), m_context(context) {
  bind_model(*this, model);
  setTextMargins(0, 0, 0, 0);
  setAttribute(Qt::WA_NoMousePropagation);
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
    m_context.run(&m_model, [&] { m_model.set_text(to_std(text)); });
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
  apply_fitted_font(*this, m_model, [this] { return text_fits(); });
  apply_background(*this, m_model, QPalette::Base);
}

bool EditWidget::text_fits() const {
  // The room QLineEdit draws its text in: the contents inside the frame and
  // the text margins, less its fixed two-pixel margin on each side and the
  // cursor.
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect room = style()->subElementRect(QStyle::SE_LineEditContents, &option, this).marginsRemoved(textMargins());
  const QFontMetrics metrics = fontMetrics();
  return metrics.horizontalAdvance(text()) <= room.width() - 2 * 2 - 1 && metrics.height() <= room.height();
}

}  // namespace korvel::qt
