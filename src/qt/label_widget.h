#pragma once
// A label: its caption, sized to its text, in its model's font and colour.
#include <QLabel>

#include "platform/controls.h"

namespace korvel::qt {

class LabelWidget : public QLabel {
  Q_OBJECT
 public:
  // A label made while the controls on its right are still to come is
  // fitted to its room only once they are there (start_fitting): fitted at
  // once, it would be measured again for each of them.
  enum class Fitting { now, when_started };
  LabelWidget(Label& model, QWidget* parent, Fitting fitting = Fitting::now);
  void refresh();
  void start_fitting();
  const Label& model() const { return m_model; }

 private:
  // Font, text and size for the caption and the room it has.
  void fit();
  // Pixels from the label's left to the nearest shown control right of it
  // on its line, or to the parent's edge.
  int room_on_the_right() const;

  Label& m_model;
  bool m_fitting = true;
};

}  // namespace korvel::qt
