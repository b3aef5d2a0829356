#include "qt/input_gate.h"

#include <QCoreApplication>

namespace korvel::qt {

namespace {

bool is_key_input(QEvent::Type t) {
  return t == QEvent::KeyPress || t == QEvent::KeyRelease || t == QEvent::ShortcutOverride ||
         t == QEvent::Shortcut || t == QEvent::InputMethod;
}

bool is_mouse_input(QEvent::Type t) {
  return t == QEvent::MouseButtonPress || t == QEvent::MouseButtonRelease || t == QEvent::MouseButtonDblClick ||
         t == QEvent::MouseMove || t == QEvent::Wheel;
}

}  // namespace

void DeferredInput::keep(QObject* receiver, const QEvent& event) {
  // Moves are coalesced as the platform does: only the latest position of
  // a run of moves over one receiver is worth delivering.
  if (event.type() == QEvent::MouseMove && !m_events.empty() && m_events.back().first == receiver &&
      m_events.back().second->type() == QEvent::MouseMove) {
    m_events.back().second.reset(event.clone());
    return;
  }
  m_events.emplace_back(receiver, std::unique_ptr<QEvent>(event.clone()));
}

void DeferredInput::deliver() {
  auto events = std::move(m_events);
  m_events.clear();
  for (auto& [receiver, event] : events)
    if (receiver) QCoreApplication::postEvent(receiver, event.release());
}

InputGate::InputGate(QWidget* open_to, DeferredInput& deferred) : m_open_to(open_to), m_deferred(deferred) {
  QCoreApplication::instance()->installEventFilter(this);
}

InputGate::~InputGate() { QCoreApplication::instance()->removeEventFilter(this); }

void InputGate::process_pending() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

bool InputGate::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type t = event->type();
  if (is_key_input(t)) return true;
  if (!is_mouse_input(t)) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (m_open_to && widget && (widget == m_open_to || m_open_to->isAncestorOf(widget))) return false;
  m_deferred.keep(watched, *event);
  return true;
}

}  // namespace korvel::qt
