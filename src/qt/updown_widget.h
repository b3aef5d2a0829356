#pragma once
// Up-down buttons: an upper and a lower arrow, each click one step of the
// model (which shows the new position in its edit). Held down, they repeat.
#include <QToolButton>
#include <QWidget>

#include "platform/controls.h"
#include "qt/view_context.h"

namespace korvel::qt {

class UpDownWidget : public QWidget {
  Q_OBJECT
 public:
  UpDownWidget(UpDown& model, ViewContext& context, QWidget* parent);
  void refresh();
  QToolButton* up_button() const { return m_up; }
  QToolButton* down_button() const { return m_down; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  UpDown& m_model;
  ViewContext& m_context;
  QToolButton* m_up;
  QToolButton* m_down;
};

}  // namespace korvel::qt
