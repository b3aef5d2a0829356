#pragma once
// The main window: the form's window (frameless and full screen, as its
// creation makes it), with one widget per control model, the picture, the
// timers, the key preview and the focus kept in step. Mouse input on the
// bare window goes to the form's own mouse handlers; activations and sizes
// are reported to the form, which decides what they run.
#include <QWidget>
#include <memory>
#include <unordered_map>
#include <vector>

#include "app/main_window.h"
#include "qt/view_context.h"

namespace korvel::qt {

class FocusTracker;
class KeyPreview;
class PictureWidget;
class QtDesktop;
class TimerBinding;

class MainView : public QWidget {
  Q_OBJECT
 public:
  // `desktop`, when given, is the one the form runs on: it is told about
  // the window so that its boxes, repaints and input control act on it.
  explicit MainView(TForm1& form, QtDesktop* desktop = nullptr);
  ~MainView() override;

  // Shows the window as the form's state says: a maximised borderless form
  // covers the whole of `screen`.
  void show_on(QScreen* screen);

  // The widget showing `control`; nullptr if it has none.
  QWidget* widget_for(const Control& control) const;
  PictureWidget& picture() const { return *m_picture; }
  ViewContext& context() { return m_context; }

 protected:
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void build_widgets();
  QWidget* make_widget(Control& control, QWidget* parent);
  void repaint_now(Control& control);

  TForm1& m_form;
  QtDesktop* m_desktop;
  ViewContext m_context;
  std::unordered_map<const Control*, QWidget*> m_widgets;
  PictureWidget* m_picture = nullptr;
  std::vector<std::unique_ptr<TimerBinding>> m_timers;
  std::unique_ptr<KeyPreview> m_key_preview;
  std::unique_ptr<FocusTracker> m_focus;
};

}  // namespace korvel::qt
