#pragma once
// The scroll box holding the picture: a plain box in its colour that clips
// the picture to the area left by the docked tool panel. Mouse input on its
// bare area goes on to the window.
#include <QWidget>

#include "app/main_window.h"

namespace korvel::qt {

class ScrollBoxWidget : public QWidget {
  Q_OBJECT
 public:
  ScrollBoxWidget(ScrollBox& model, QWidget* parent);
  void refresh();

 private:
  ScrollBox& m_model;
};

}  // namespace korvel::qt
