#include "qt/focus_tracker.h"

#include <QApplication>

#include "qt/control_style.h"

namespace korvel::qt {

FocusTracker::FocusTracker(QWidget& window, ViewContext& context, std::function<QWidget*(Control&)> widget_of)
    : m_window(window), m_context(context), m_widget_of(std::move(widget_of)) {
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { focus_moved(now); });
  m_context.form().on_focus_changed = [this] { focus_requested(); };
  QCoreApplication::instance()->installEventFilter(this);
}

FocusTracker::~FocusTracker() {
  QCoreApplication::instance()->removeEventFilter(this);
  m_context.form().on_focus_changed = nullptr;
}

bool FocusTracker::eventFilter(QObject* watched, QEvent* event) {
  // Qt leaves the focus on a hidden widget when no visible one follows it:
  // the keys typed meanwhile, and the release of the space that shows the
  // panel again, would reach that control and undo choices made since.
  if (event->type() != QEvent::Hide) return false;
  auto* hidden = qobject_cast<QWidget*>(watched);
  QWidget* focus = QApplication::focusWidget();
  if (hidden && focus && hidden->window() == &m_window && hidden != &m_window &&
      (hidden == focus || hidden->isAncestorOf(focus)))
    m_window.setFocus(Qt::OtherFocusReason);
  return false;
}

void FocusTracker::focus_moved(QWidget* now) {
  // The focus leaving for a dialog, or coming back from one, moves nothing
  // within the window.
  if (!now || now->window() != &m_window) return;
  Control* model = now == &m_window ? nullptr : model_of(now);
  if ((!model && now != &m_window) || model == m_context.form().focused_control) return;
  m_context.notice([&] { m_context.form().move_focus(model); });
}

void FocusTracker::focus_requested() {
  Control* model = m_context.form().focused_control;
  QWidget* widget = model ? m_widget_of(*model) : &m_window;
  if (widget) widget->setFocus(Qt::OtherFocusReason);
}

}  // namespace korvel::qt
