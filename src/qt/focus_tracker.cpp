#include "qt/focus_tracker.h"

#include <QApplication>

#include "qt/control_style.h"

namespace korvel::qt {

FocusTracker::FocusTracker(QWidget& window, ViewContext& context, std::function<QWidget*(Control&)> widget_of)
    : m_window(window), m_context(context), m_widget_of(std::move(widget_of)) {
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { focus_moved(now); });
  m_context.form().on_focus_changed = [this] { focus_requested(); };
}

FocusTracker::~FocusTracker() { m_context.form().on_focus_changed = nullptr; }

void FocusTracker::focus_moved(QWidget* now) {
  // The focus leaving for a dialog, or coming back from one, moves nothing
  // within the window.
  if (!now || now->window() != &m_window) return;
  Control* model = model_of(now);
  if (!model || model == m_context.form().focused_control) return;
  m_context.run([&] { m_context.form().move_focus(model); });
}

void FocusTracker::focus_requested() {
  Control* model = m_context.form().focused_control;
  QWidget* widget = model ? m_widget_of(*model) : &m_window;
  if (widget) widget->setFocus(Qt::OtherFocusReason);
}

}  // namespace korvel::qt
