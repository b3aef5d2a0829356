#pragma once
// A label: its caption, sized to its text, in its model's font and colour.
#include <QLabel>

#include "platform/controls.h"

namespace korvel::qt {

class LabelWidget : public QLabel {
  Q_OBJECT
 public:
  LabelWidget(Label& model, QWidget* parent);
  void refresh();

 private:
  Label& m_model;
};

}  // namespace korvel::qt
