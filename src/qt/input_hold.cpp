#include "qt/input_hold.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWindow>

#include "qt/view_context.h"

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

KeptInput::Held::Held(QObject* to, const QEvent& event) : receiver(to), type(event.type()) {
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

void KeptInput::Held::send() const {
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

void KeptInput::keep(QObject* receiver, const QEvent& event) {
  // Moves are coalesced as the platform does: only the latest position of
  // a run of moves over one receiver is worth delivering.
  if (event.type() == QEvent::MouseMove && !m_events.empty() && m_events.back()->receiver == receiver &&
      m_events.back()->type == QEvent::MouseMove)
    m_events.pop_back();
  m_events.push_back(std::make_shared<Held>(receiver, event));
}

void KeptInput::append(KeptInput&& later) {
  m_events.insert(m_events.end(), later.m_events.begin(), later.m_events.end());
  later.m_events.clear();
}

void KeptInput::deliver() {
  auto events = std::move(m_events);
  m_events.clear();
  // Each is made afresh when its turn comes in the event loop: Qt's events
  // share their point with the device's live state, which the input that
  // follows overwrites.
  for (auto& held : events)
    QMetaObject::invokeMethod(QCoreApplication::instance(), [held] { held->send(); }, Qt::QueuedConnection);
}

InputHold::InputHold(ViewContext& context, StopButton stop)
    : m_context(context), m_stop_widget(stop.widget), m_stop_control(stop.control) {
  // The last filter installed is the first asked: before the key preview
  // and every other filter of the view.
  QCoreApplication::instance()->installEventFilter(this);
  m_context.set_hold(this);
}

InputHold::~InputHold() {
  m_context.set_hold(nullptr);
  QCoreApplication::instance()->removeEventFilter(this);
}

void InputHold::poll() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

bool InputHold::admits(const Control* control) const { return control && control == m_stop_control; }

KeptInput InputHold::take_kept() {
  KeptInput kept;
  kept.append(std::move(m_kept));
  return kept;
}

bool InputHold::is_stop(const QWidget* widget) const {
  return m_stop_widget && widget && (widget == m_stop_widget || m_stop_widget->isAncestorOf(widget));
}

bool InputHold::goes_through(QObject* watched, const QEvent& event) {
  if (is_stop(qobject_cast<QWidget*>(watched))) return true;
  // The platform hands pointer input to the top-level window first, which
  // then finds the widget: the decision is made there.
  QWidget* top = m_stop_widget ? m_stop_widget->window() : nullptr;
  if (!top || watched != static_cast<QObject*>(top->windowHandle())) return false;
  const auto& pointer = static_cast<const QSinglePointEvent&>(event);
  const bool over = is_stop(top->childAt(pointer.position().toPoint()));
  switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (over) m_press_let_through = true;
      return over;
    case QEvent::MouseButtonRelease:
      // A release goes where its press went: a press that was kept gets
      // its release kept too, wherever the button comes up.
      if (!m_press_let_through) return false;
      m_press_let_through = pointer.buttons() != Qt::NoButton;
      return true;
    default:
      // A move, or a wheel's turn: over "stop" with no button down (its
      // look follows the pointer), or within a press that went there.
      return m_press_let_through || (over && pointer.buttons() == Qt::NoButton);
  }
}

bool InputHold::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type t = event->type();
  if (is_key_input(t)) return true;
  if (!is_mouse_input(t) || goes_through(watched, *event)) return false;
  m_kept.keep(watched, *event);
  return true;
}

}  // namespace korvel::qt
