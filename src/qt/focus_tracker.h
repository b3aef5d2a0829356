#pragma once
// Keeps the window's focused control and the keyboard focus in step: a
// control the behaviour focuses gets the keyboard focus, a widget the user
// focuses becomes the focused control, and the focus entering a radio group
// runs its OnEnter.
#include <QObject>
#include <QWidget>
#include <functional>

#include "qt/view_context.h"

namespace korvel::qt {

class FocusTracker : public QObject {
  Q_OBJECT
 public:
  FocusTracker(QWidget& window, ViewContext& context, std::function<QWidget*(Control&)> widget_of);
  ~FocusTracker() override;

 private:
  void focus_moved(QWidget* now);
  void focus_requested();
  // Makes `model` the focused control; true if it was another one.
  bool enter(Control* model);

  QWidget& m_window;
  ViewContext& m_context;
  std::function<QWidget*(Control&)> m_widget_of;
  Control* m_active = nullptr;
};

}  // namespace korvel::qt
