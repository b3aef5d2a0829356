#pragma once
// Key preview: every key pressed in the window goes to the window's key
// handlers before the focused control: FormKeyDown with the key code, then,
// for each character typed, FormKeyPress and the focused edit's own
// OnKeyPress. A character they set to 0 never reaches the control.
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
  // Runs the window's key handlers; the text left for the control, or
  // nothing when the key is consumed.
  std::optional<QString> preview(QKeyEvent& event, QWidget& receiver);

  QWidget& m_window;
  ViewContext& m_context;
  bool m_resending = false;
};

}  // namespace korvel::qt
