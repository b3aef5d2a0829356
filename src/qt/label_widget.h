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
  // Font, text and size for the caption and the room it has.
  void fit();
  // Pixels from the label's left to the nearest shown control right of it
  // on its line, or to the parent's edge.
  int room_on_the_right() const;

  Label& m_model;
};

}  // namespace korvel::qt
