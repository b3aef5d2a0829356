#include "qt/timer_binding.h"

namespace korvel::qt {

TimerBinding::TimerBinding(Timer& model, ViewContext& context, QObject* parent)
    : QObject(parent), m_model(model), m_context(context) {
  m_timer.setTimerType(Qt::PreciseTimer);
  connect(&m_timer, &QTimer::timeout, this, [this] {
    // A long handler that lets only chosen input through holds the ticks.
    if (m_context.input_held) return;
    m_context.run([this] { m_model.tick(); });
  });
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
