#include "qt/key_preview.h"

#include <QCoreApplication>
#include <string>

#include "qt/control_style.h"
#include "qt/key_codes.h"

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
  TForm1& form = m_context.form();
  Control* model = model_of(&receiver);
  Edit* edit = model && model->kind() == ControlKind::Edit ? static_cast<Edit*>(model) : nullptr;

  bool key_consumed = false;
  if (std::uint16_t key = virtual_key(event)) {
    const TShiftState shift = key_shift_state(event);
    m_context.run([&] { form.FormKeyDown(key, shift); });
    if (key && edit && edit->OnKeyDown) m_context.run([&] { edit->OnKeyDown(key, shift); });
    key_consumed = key == 0;
  }

  const QString text = event.text();
  if (text.isEmpty()) return key_consumed ? std::nullopt : std::optional<QString>(text);
  std::u32string passed;
  for (char32_t c : text.toStdU32String()) {
    char32_t k = c;
    m_context.run([&] { form.FormKeyPress(k); });
    if (k && edit && edit->OnKeyPress) m_context.run([&] { edit->OnKeyPress(k); });
    if (k) passed.push_back(k);
  }
  // A key with text whose characters were all consumed reaches nothing.
  if (key_consumed || passed.empty()) return std::nullopt;
  return QString::fromStdU32String(passed);
}

}  // namespace korvel::qt
