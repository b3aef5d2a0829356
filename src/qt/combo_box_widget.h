#pragma once
// A drop-down list without free text. A row the user picks is selected in
// the model as the user's choice (which runs its click handler).
#include <QComboBox>

#include "platform/controls.h"
#include "qt/view_context.h"

namespace korvel::qt {

class ComboBoxWidget : public QComboBox {
  Q_OBJECT
 public:
  ComboBoxWidget(ComboBox& model, ViewContext& context, QWidget* parent);
  void refresh();

 private:
  ComboBox& m_model;
  ViewContext& m_context;
};

}  // namespace korvel::qt
