#include "qt/main_view.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <algorithm>

#include "qt/accessibility.h"
#include "qt/check_box_widget.h"
#include "qt/combo_box_widget.h"
#include "qt/control_style.h"
#include "qt/edit_widget.h"
#include "qt/focus_tracker.h"
#include "qt/key_preview.h"
#include "qt/label_widget.h"
#include "qt/memo_widget.h"
#include "qt/mouse_forwarding.h"
#include "qt/panel_widget.h"
#include "qt/picture_widget.h"
#include "qt/qt_convert.h"
#include "qt/qt_desktop.h"
#include "qt/radio_group_widget.h"
#include "qt/scroll_box_widget.h"
#include "qt/speed_button_widget.h"
#include "qt/timer_binding.h"
#include "qt/updown_widget.h"

namespace korvel::qt {

MainView::MainView(TForm1& form, QtDesktop* desktop) : m_form(form), m_desktop(desktop), m_context(form) {
  setWindowTitle(to_qstring(form.Caption));
  setWindowFlag(Qt::FramelessWindowHint, form.Borderless);
  setMouseTracking(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, to_qcolor(form.Color));
  setPalette(p);
  setAutoFillBackground(true);
  setFont(sans_font(TFont{}));

  install_accessibility();
  {
    // A text field lays out its empty text in the application's font before
    // it takes its own: with the panel's face as that font meanwhile, no
    // other face is loaded for nothing. Dialogs keep the system's font.
    const QFont system_font = QApplication::font();
    QApplication::setFont(font());
    build_widgets();
    QApplication::setFont(system_font);
  }
  m_context.after_event = [this] {
    if (m_picture) m_picture->show_changes();
  };
  m_timers.push_back(std::make_unique<TimerBinding>(form.Timer1, m_context));
  m_timers.push_back(std::make_unique<TimerBinding>(form.Timer2, m_context));
  if (form.KeyPreview) m_key_preview = std::make_unique<KeyPreview>(*this, m_context);
  m_focus = std::make_unique<FocusTracker>(*this, m_context, [this](Control& c) { return widget_for(c); });
  if (m_desktop) {
    m_context.after_outermost = [this] { m_desktop->deliver_kept_input(); };
    m_desktop->attach(DesktopView{this, &m_context, [this](Control& c) { repaint_now(c); },
                                  StopButton{widget_for(form.Panel_stop), &form.Panel_stop}});
  }
}

MainView::~MainView() {
  if (m_desktop) m_desktop->detach();
  m_focus.reset();
  m_key_preview.reset();
  m_timers.clear();
  // The control widgets go while the context they use still exists.
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) delete child;
}

void MainView::build_widgets() {
  // Creation order is stacking order, bottom first: the scroll box and the
  // picture, the tool panel and its controls, the floating help panel.
  for (Control* control : m_form.controls()) {
    QWidget* parent = control->parent() ? widget_for(*control->parent()) : this;
    if (!parent) parent = this;
    if (QWidget* w = make_widget(*control, parent)) m_widgets[control] = w;
  }
  // Labels are drawn on their panel, below its windowed controls.
  // They measure their room against the controls made after them, the
  // rightmost first: each then fits once, its room on the right settled.
  std::vector<LabelWidget*> labels;
  for (auto& [control, widget] : m_widgets)
    if (control->kind() == ControlKind::Label) {
      widget->lower();
      labels.push_back(static_cast<LabelWidget*>(widget));
    }
  std::sort(labels.begin(), labels.end(),
            [](const LabelWidget* a, const LabelWidget* b) { return a->model().left() > b->model().left(); });
  for (LabelWidget* label : labels) label->start_fitting();
  if (QWidget* help = widget_for(m_form.Panel8)) help->raise();
  // Screen readers: every control named, the help's text area as the help.
  for (auto& [control, widget] : m_widgets) {
    apply_accessible_texts(*widget, *control);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(widget))
      area->viewport()->setAccessibleName(widget->accessibleName());
  }
}

QWidget* MainView::make_widget(Control& control, QWidget* parent) {
  switch (control.kind()) {
    case ControlKind::ScrollBox:
      return new ScrollBoxWidget(static_cast<ScrollBox&>(control), parent);
    case ControlKind::Image:
      m_picture = new PictureWidget(static_cast<TImage&>(control), m_context, parent);
      return m_picture;
    case ControlKind::Panel: {
      auto* panel = new PanelWidget(static_cast<Panel&>(control), m_context, parent);
      panel->set_draggable(static_cast<Panel&>(control).drag_automatic);
      return panel;
    }
    case ControlKind::Label:
      return new LabelWidget(static_cast<Label&>(control), parent, LabelWidget::Fitting::when_started);
    case ControlKind::Edit:
      return new EditWidget(static_cast<Edit&>(control), m_context, parent);
    case ControlKind::UpDown:
      return new UpDownWidget(static_cast<UpDown&>(control), m_context, parent);
    case ControlKind::RadioGroup:
      return new RadioGroupWidget(static_cast<RadioGroup&>(control), m_context, parent);
    case ControlKind::CheckBox:
      return new CheckBoxWidget(static_cast<CheckBox&>(control), m_context, parent);
    case ControlKind::ComboBox:
      return new ComboBoxWidget(static_cast<ComboBox&>(control), m_context, parent);
    case ControlKind::Memo:
      return new MemoWidget(static_cast<Memo&>(control), parent);
    case ControlKind::SpeedButton:
      return new SpeedButtonWidget(static_cast<SpeedButton&>(control), m_context, parent);
  }
  return nullptr;
}

void MainView::show_on(QScreen* screen) {
  if (!m_form.Maximized) {
    show();
  } else if (!m_form.Borderless) {
    showMaximized();
  } else {
    // Covers the whole screen also where no window manager honours the
    // full-screen request.
    if (screen) setGeometry(screen->geometry());
    showFullScreen();
  }
}

QWidget* MainView::widget_for(const Control& control) const {
  const auto it = m_widgets.find(&control);
  return it == m_widgets.end() ? nullptr : it->second;
}

void MainView::repaint_now(Control& control) {
  if (&control == &m_form.Image1 && m_picture) {
    m_picture->paint_changes_now();
  } else if (QWidget* w = widget_for(control)) {
    w->repaint();
  }
}

bool MainView::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    const bool handled = QWidget::event(event);
    m_context.notice([this] { m_form.window_activated(); });
    return handled;
  }
  return QWidget::event(event);
}

void MainView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  m_context.notice([this] { m_form.window_resized(width(), height()); });
}

void MainView::mousePressEvent(QMouseEvent* event) { forward_mouse(m_context, *event, m_form, nullptr); }

void MainView::mouseDoubleClickEvent(QMouseEvent* event) { forward_mouse(m_context, *event, m_form, nullptr); }

void MainView::mouseMoveEvent(QMouseEvent* event) { forward_mouse(m_context, *event, m_form, nullptr); }

void MainView::mouseReleaseEvent(QMouseEvent* event) { forward_mouse(m_context, *event, m_form, nullptr); }

}  // namespace korvel::qt
