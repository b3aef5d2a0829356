#include "qt/label_widget.h"

#include <QFontMetrics>
#include <algorithm>

#include "qt/control_style.h"
#include "qt/qt_convert.h"

namespace korvel::qt {

LabelWidget::LabelWidget(Label& model, QWidget* parent, Fitting fitting)
    : QLabel(parent), m_model(model), m_fitting(fitting == Fitting::now) {
  bind_model(*this, model);
  setTextFormat(Qt::PlainText);
  setMargin(0);
  setIndent(0);
  // Mouse input over a label belongs to the label, not to the panel below.
  setAttribute(Qt::WA_NoMousePropagation);
  observe(*this, model, [this] { refresh(); });
  refresh();
}

void LabelWidget::start_fitting() {
  m_fitting = true;
  refresh();
}

void LabelWidget::refresh() {
  apply_hint(*this, m_model);
  apply_background(*this, m_model, QPalette::Window);
  if (!m_fitting) return;
  const QRect before = isVisibleTo(parentWidget()) ? geometry() : QRect();
  fit();
  setVisible(m_model.visible());
  // A label that appears, goes or changes its width changes the room of
  // those on its left.
  const QRect after = isVisibleTo(parentWidget()) ? geometry() : QRect();
  if (!parentWidget() || after == before) return;
  for (LabelWidget* other : parentWidget()->findChildren<LabelWidget*>(Qt::FindDirectChildrenOnly))
    if (other != this && other->m_fitting && other->m_model.left() < m_model.left()) other->fit();
}

void LabelWidget::fit() {
  // Sized to the caption, at the model's position, in a font small enough
  // for the caption to end before the next control on its line; a caption
  // too long even then loses its middle.
  const QString caption = to_qstring(m_model.caption());
  apply_font(*this, m_model);
  const int room = room_on_the_right();
  const bool whole =
      fit_font(*this, sans_font(m_model.font()), [&] { return fontMetrics().horizontalAdvance(caption) <= room; });
  setText(whole ? caption : fontMetrics().elidedText(caption, Qt::ElideMiddle, room));
  adjustSize();
  move(m_model.left(), m_model.top());
}

int LabelWidget::room_on_the_right() const {
  const QWidget* parent = parentWidget();
  if (!parent) return QWIDGETSIZE_MAX;
  const int left = m_model.left();
  const int top = m_model.top();
  const int bottom = top + QFontMetrics(sans_font(m_model.font())).height();
  int room = parent->width() - left;
  for (const QWidget* other : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (other == this || !other->isVisibleTo(parent)) continue;
    const QRect r = other->geometry();
    // An empty label takes no room.
    if (const auto* label = qobject_cast<const QLabel*>(other); label && label->text().isEmpty()) continue;
    if (r.left() > left && r.top() < bottom && r.bottom() >= top) room = std::min(room, r.left() - left);
  }
  return std::max(room, 0);
}

}  // namespace korvel::qt
