#pragma once
// A panel: a raised, coloured box with its caption centred, used as a
// button, a swatch or a container. Its clicks, presses and moves over the
// bare panel go to the model's events.
#include <QPoint>
#include <QWidget>

#include "platform/controls.h"
#include "qt/view_context.h"

namespace korvel::qt {

class PanelWidget : public QWidget {
  Q_OBJECT
 public:
  PanelWidget(Panel& model, ViewContext& context, QWidget* parent);
  Panel& model() const { return m_model; }
  void refresh();
  // A press by other means than the mouse (a screen reader's action): the
  // model's click, as a click with the mouse runs it.
  void press();
  bool clickable() const { return bool(m_model.OnClick); }
  // The user can move the panel with the mouse (plain dragging).
  void set_draggable(bool on) { m_draggable = on; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  Panel& m_model;
  ViewContext& m_context;
  bool m_pressed = false;  // left button went down here
  bool m_draggable = false;
  bool m_dragging = false;
  QPoint m_press_global;
  QPoint m_press_origin;  // the panel's top-left when the press began
};

}  // namespace korvel::qt
