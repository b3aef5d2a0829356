#pragma once
// Keeps the window's focused control and the keyboard focus in step: a
// control the behaviour focuses gets the keyboard focus, and a widget the
// user focuses is reported to the form (which runs OnEnter, TForm1::move_focus).
// When the focused control is hidden, the focus goes to the window itself,
// as on the platform the form was made for.
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

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void focus_moved(QWidget* now);
  void focus_requested();

  QWidget& m_window;
  ViewContext& m_context;
  std::function<QWidget*(Control&)> m_widget_of;
};

}  // namespace korvel::qt
