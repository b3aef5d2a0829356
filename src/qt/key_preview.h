#pragma once
// Key preview: every key pressed in the window is handed to the behaviour's
// key sequence (ui/key_sequence.h) before the focused control, which gets
// what is left of it.
#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <optional>

#include "qt/view_context.h"

namespace korvel::qt {

class KeyPreview : public QObject {
  Q_OBJECT
 public:
  // Watches the key presses of `window` and its children, from the
  // application, for its lifetime.
  KeyPreview(QWidget& window, ViewContext& context);
  ~KeyPreview() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Runs the key sequence; the text left for the control, or nothing when
  // the key is consumed.
  std::optional<QString> preview(QKeyEvent& event, QWidget& receiver);

  QWidget& m_window;
  ViewContext& m_context;
  bool m_resending = false;
};

}  // namespace korvel::qt
