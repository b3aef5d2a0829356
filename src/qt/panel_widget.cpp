#include "qt/panel_widget.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include "qt/control_style.h"
#include "qt/mouse_forwarding.h"
#include "qt/qt_convert.h"

namespace korvel::qt {

PanelWidget::PanelWidget(Panel& model, ViewContext& context, QWidget* parent)
    : QWidget(parent), m_model(model), m_context(context) {
  bind_model(*this, model);
  setMouseTracking(true);
  // The panel's own mouse events stay here: a press on a button panel is no
  // press on the tool panel below it.
  setAttribute(Qt::WA_NoMousePropagation);
  observe(*this, model, [this] { refresh(); });
  refresh();
}

void PanelWidget::refresh() {
  apply_common(*this, m_model);
  // The caption inside the one-pixel bevel.
  const QString caption = to_qstring(m_model.caption());
  apply_fitted_font(*this, m_model, [this, &caption] {
    return caption.isEmpty() || fontMetrics().horizontalAdvance(caption) <= width() - 4;
  });
  setAutoFillBackground(false);  // paintEvent fills it
  update();
}

void PanelWidget::press() {
  if (clickable()) m_context.run(&m_model, [&] { m_model.click(); });
}

void PanelWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  p.fillRect(r, to_qcolor(m_model.color()));
  // A one-pixel raised bevel; sunk while a clickable panel is held down.
  const bool sunk = m_pressed && clickable() && r.contains(mapFromGlobal(QCursor::pos()));
  const QColor light(255, 255, 255), dark(160, 160, 160);
  p.setPen(sunk ? dark : light);
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(sunk ? light : dark);
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
  if (!m_model.caption().empty()) {
    p.setFont(font());
    p.setPen(to_qcolor(m_model.font().color));
    p.drawText(sunk ? r.translated(1, 1) : r, Qt::AlignCenter, to_qstring(m_model.caption()));
  }
}

void PanelWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    m_pressed = true;
    m_dragging = false;
    m_press_global = event->globalPosition().toPoint();
    m_press_origin = QPoint(m_model.left(), m_model.top());
    update();
  }
  forward_mouse(m_context, *event, m_model, &m_model);
}

void PanelWidget::mouseMoveEvent(QMouseEvent* event) {
  if (m_pressed && m_draggable) {
    const QPoint delta = event->globalPosition().toPoint() - m_press_global;
    if (!m_dragging && delta.manhattanLength() >= QApplication::startDragDistance()) m_dragging = true;
    if (m_dragging) {
      // The user's own move: the model follows the mouse.
      const QPoint to = m_press_origin + delta;
      m_context.run(&m_model, [&] { m_model.set_bounds(to.x(), to.y(), m_model.width(), m_model.height()); });
      return;
    }
  }
  if (m_pressed && clickable()) update();  // the bevel follows the mouse in and out
  forward_mouse(m_context, *event, m_model, &m_model);
}

void PanelWidget::mouseReleaseEvent(QMouseEvent* event) {
  // The click comes before the release's own handler, as on the platform
  // the form was made for.
  if (event->button() == Qt::LeftButton && m_pressed) {
    m_pressed = false;
    const bool dragged = m_dragging;
    m_dragging = false;
    update();
    if (!dragged && rect().contains(event->position().toPoint()) && clickable())
      m_context.run(&m_model, [&] { m_model.click(); });
  }
  forward_mouse(m_context, *event, m_model, &m_model);
}

}  // namespace korvel::qt
