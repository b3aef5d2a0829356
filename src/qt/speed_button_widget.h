#pragma once
// A speed button: a small push button that never takes the keyboard focus.
#include <QToolButton>

#include "platform/controls.h"
#include "qt/view_context.h"

namespace korvel::qt {

class SpeedButtonWidget : public QToolButton {
  Q_OBJECT
 public:
  SpeedButtonWidget(SpeedButton& model, ViewContext& context, QWidget* parent);
  void refresh();

 private:
  SpeedButton& m_model;
  ViewContext& m_context;
};

}  // namespace korvel::qt
