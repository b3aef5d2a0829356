#pragma once
// A Qt timer running a Timer model: started at the model's interval,
// restarted whenever the model restarts, each timeout one tick of the model.
#include <QObject>
#include <QTimer>

#include "platform/controls.h"
#include "qt/view_context.h"

namespace korvel::qt {

class TimerBinding : public QObject {
  Q_OBJECT
 public:
  TimerBinding(Timer& model, ViewContext& context, QObject* parent = nullptr);
  ~TimerBinding() override;
  const QTimer& timer() const { return m_timer; }

 private:
  void restart();

  Timer& m_model;
  ViewContext& m_context;
  QTimer m_timer;
};

}  // namespace korvel::qt
