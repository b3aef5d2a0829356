#include "qt/timer_binding.h"

namespace korvel::qt {

TimerBinding::TimerBinding(Timer& model, ViewContext& context, QObject* parent)
    : QObject(parent), m_model(model), m_context(context) {
  m_timer.setTimerType(Qt::PreciseTimer);
  // A long run's hold drops the ticks: the timer ticks again after it.
  connect(&m_timer, &QTimer::timeout, this, [this] { m_context.run([this] { m_model.tick(); }); });
  m_model.observer = [this] { restart(); };
  restart();
}

TimerBinding::~TimerBinding() { m_model.observer = nullptr; }

void TimerBinding::restart() {
  if (m_model.enabled() && m_model.interval() > 0)
    m_timer.start(m_model.interval());
  else
    m_timer.stop();
}

}  // namespace korvel::qt
