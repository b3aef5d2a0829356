#pragma once
// The desktop of the behaviour on Qt: the screen the window is on, the
// mouse cursor, the modal boxes and dialogs, and the control of waiting input
// during long handlers.
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QScreen>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/desktop.h"
#include "qt/input_hold.h"

namespace korvel::qt {

class ViewContext;

// What the desktop needs of the view once it exists.
struct DesktopView {
  QWidget* window = nullptr;
  ViewContext* context = nullptr;
  // Repaints a control's widget at once, as its model is now.
  std::function<void(Control&)> repaint_now;
  // The one button that gets through the hold of a long run.
  StopButton stop;
};

class QtDesktop : public Desktop {
 public:
  // `start_screen`: the screen the program starts on, until the window exists.
  explicit QtDesktop(QScreen* start_screen = nullptr);

  void attach(DesktopView view);
  void detach();

  int screen_width() const override;
  int screen_height() const override;
  TPoint cursor_pos() const override;
  void set_cursor_pos(TPoint p) override;
  TCursor cursor() const override { return m_cursor; }
  void set_cursor(TCursor c) override;

  bool confirm(const std::string& text) override;
  void show_message(const std::string& text) override;
  void report_error(const std::string& text) override;
  std::optional<TColor> choose_colour(TColor start, CustomColours& custom) override;
  std::optional<std::string> save_picture(const PictureDialogOptions& o) override;
  std::optional<std::string> open_picture(const PictureDialogOptions& o) override;

  void begin_run() override;
  void end_run() override;
  void flush_keyboard() override;
  void repaint(Control& c) override;
  void let_stop_through() override;
  void terminate() override;
  void post(std::function<void()> task) override;
  void show_progress(const std::string& text) override;
  void end_progress(const std::string& text) override;

  // Mouse input kept during the long runs that have ended, delivered when
  // the outermost handler has ended.
  void deliver_kept_input() { m_kept.deliver(); }
  bool terminated() const { return m_terminated; }

 private:
  QScreen* screen() const;
  QWidget* dialog_parent() const;
  void poll();

  QPointer<QScreen> m_start_screen;
  DesktopView m_view;
  TCursor m_cursor = crDefault;
  bool m_override_cursor = false;
  bool m_terminated = false;
  // The hold of the long run under way, and how deep runs are nested in it.
  std::unique_ptr<InputHold> m_hold;
  int m_runs = 0;
  KeptInput m_kept;
  // The line of progress, made at its first use, over the window.
  QPointer<QLabel> m_progress;
  QTimer m_progress_timer;
  // Where posted tasks wait: a task still waiting when the desktop goes
  // (and the window it would reach with it) is dropped, never run.
  QObject m_posted;
};

}  // namespace korvel::qt
