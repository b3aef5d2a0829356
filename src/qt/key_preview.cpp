#include "qt/key_preview.h"

#include <QCoreApplication>
#include <string>

#include "qt/control_style.h"
#include "qt/key_codes.h"
#include "ui/key_sequence.h"

namespace korvel::qt {

KeyPreview::KeyPreview(QWidget& window, ViewContext& context) : m_window(window), m_context(context) {
  QCoreApplication::instance()->installEventFilter(this);
}

KeyPreview::~KeyPreview() { QCoreApplication::instance()->removeEventFilter(this); }

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
  // The copy sent on below, and its way up through the parents, are the
  // control's own.
  if (event->type() != QEvent::KeyPress || m_resending) return false;
  auto* receiver = qobject_cast<QWidget*>(watched);
  // Keys in dialogs and pop-ups are theirs alone.
  if (!receiver || receiver->window() != &m_window) return false;
  auto& key_event = *static_cast<QKeyEvent*>(event);
  QPointer<QWidget> target(receiver);
  const std::optional<QString> rest = preview(key_event, *receiver);
  // The original stops here; what is left of it goes on as a copy, so that
  // Qt's passing of an ignored key to each parent never previews it twice.
  key_event.accept();
  if (!rest || !target) return true;
  QKeyEvent copy(key_event.type(), key_event.key(), key_event.modifiers(), key_event.nativeScanCode(),
                 key_event.nativeVirtualKey(), key_event.nativeModifiers(), *rest, key_event.isAutoRepeat(),
                 ushort(key_event.count()), key_event.device());
  m_resending = true;
  QCoreApplication::sendEvent(target, &copy);
  m_resending = false;
  return true;
}

std::optional<QString> KeyPreview::preview(QKeyEvent& event, QWidget& receiver) {
  const KeyStroke stroke{virtual_key(event), key_shift_state(event), event.text().toStdU32String()};
  std::optional<std::u32string> rest;
  m_context.run([&] { rest = preview_key(m_context.form(), model_of(&receiver), stroke); });
  if (!rest) return std::nullopt;
  return QString::fromStdU32String(*rest);
}

}  // namespace korvel::qt
