#include "qt/input_gate.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWindow>

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

DeferredInput::Held::Held(QObject* to, const QEvent& event) : receiver(to), type(event.type()) {
  const auto& p = static_cast<const QSinglePointEvent&>(event);
  position = p.position();
  scene_position = p.scenePosition();
  global_position = p.globalPosition();
  button = p.button();
  buttons = p.buttons();
  modifiers = p.modifiers();
  device = p.pointingDevice();
  timestamp = p.timestamp();
  if (type == QEvent::Wheel) {
    const auto& w = static_cast<const QWheelEvent&>(event);
    pixel_delta = w.pixelDelta();
    angle_delta = w.angleDelta();
    phase = w.phase();
    inverted = w.inverted();
  }
}

void DeferredInput::Held::send() const {
  if (!receiver) return;
  if (type == QEvent::Wheel) {
    QWheelEvent e(position, global_position, pixel_delta, angle_delta, buttons, modifiers, phase, inverted,
                  Qt::MouseEventNotSynthesized, device);
    e.setTimestamp(timestamp);
    QCoreApplication::sendEvent(receiver, &e);
    return;
  }
  QMouseEvent e(type, position, scene_position, global_position, button, buttons, modifiers, device);
  e.setTimestamp(timestamp);
  QCoreApplication::sendEvent(receiver, &e);
}

void DeferredInput::keep(QObject* receiver, const QEvent& event) {
  // Moves are coalesced as the platform does: only the latest position of
  // a run of moves over one receiver is worth delivering.
  if (event.type() == QEvent::MouseMove && !m_events.empty() && m_events.back()->receiver == receiver &&
      m_events.back()->type == QEvent::MouseMove)
    m_events.pop_back();
  m_events.push_back(std::make_shared<Held>(receiver, event));
}

void DeferredInput::deliver() {
  auto events = std::move(m_events);
  m_events.clear();
  // Each is made afresh when its turn comes in the event loop: Qt's events
  // share their point with the device's live state, which the input that
  // follows overwrites.
  for (auto& held : events)
    QMetaObject::invokeMethod(QCoreApplication::instance(), [held] { held->send(); }, Qt::QueuedConnection);
}

InputGate::InputGate(QWidget* open_to, DeferredInput& deferred) : m_open_to(open_to), m_deferred(deferred) {
  QCoreApplication::instance()->installEventFilter(this);
}

InputGate::~InputGate() { QCoreApplication::instance()->removeEventFilter(this); }

void InputGate::process_pending() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

bool InputGate::is_open_to(const QWidget* widget) const {
  return m_open_to && widget && (widget == m_open_to || m_open_to->isAncestorOf(widget));
}

bool InputGate::goes_through(QObject* watched, const QEvent& event) {
  if (is_open_to(qobject_cast<QWidget*>(watched))) return true;
  // The platform hands pointer input to the top-level window first, which
  // then finds the widget: what is over the open widget goes on, and so
  // does the rest of a press that went there (the release elsewhere ends it).
  QWidget* top = m_open_to ? m_open_to->window() : nullptr;
  if (!top || watched != static_cast<QObject*>(top->windowHandle())) return false;
  const auto& pointer = static_cast<const QSinglePointEvent&>(event);
  const bool over = is_open_to(top->childAt(pointer.position().toPoint()));
  if (event.type() == QEvent::MouseButtonPress || event.type() == QEvent::MouseButtonDblClick) {
    if (over) m_deferred.press_let_through = true;
    return over;
  }
  if (event.type() == QEvent::MouseButtonRelease && m_deferred.press_let_through) {
    m_deferred.press_let_through = pointer.buttons() != Qt::NoButton;
    return true;
  }
  return over || m_deferred.press_let_through;
}

bool InputGate::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type t = event->type();
  if (is_key_input(t)) return true;
  if (!is_mouse_input(t)) return false;
  if (goes_through(watched, *event)) return false;
  m_deferred.keep(watched, *event);
  return true;
}

}  // namespace korvel::qt
