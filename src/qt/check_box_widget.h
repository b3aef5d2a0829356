#pragma once
// A check box. A user's click toggles the model, which runs its click
// handler; the box shows the model's state.
#include <QCheckBox>

#include "platform/controls.h"
#include "qt/view_context.h"

namespace korvel::qt {

class CheckBoxWidget : public QCheckBox {
  Q_OBJECT
 public:
  CheckBoxWidget(CheckBox& model, ViewContext& context, QWidget* parent);
  void refresh();

 private:
  CheckBox& m_model;
  ViewContext& m_context;
};

}  // namespace korvel::qt
