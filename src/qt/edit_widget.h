#pragma once
// A one-line edit. The user's typing becomes the model's text (which runs
// its change handler); the model's text is shown as it changes.
#include <QLineEdit>

#include "platform/controls.h"
#include "qt/view_context.h"

namespace korvel::qt {

class EditWidget : public QLineEdit {
  Q_OBJECT
 public:
  EditWidget(Edit& model, ViewContext& context, QWidget* parent);
  void refresh();
  Edit& model() const { return m_model; }
  ViewContext& context() const { return m_context; }

 private:
  // Whether the whole text shows at once in the current font.
  bool text_fits() const;

  Edit& m_model;
  ViewContext& m_context;
};

}  // namespace korvel::qt
