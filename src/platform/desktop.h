#pragma once
// What the behaviour asks of the desktop: screen, cursor, modal boxes and
// dialogs, the error report. The view implements it with Qt; tests use a
// scripted fake.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/colour.h"
#include "platform/geometry.h"

namespace korvel {

class Control;

enum TCursor : std::uint8_t { crDefault, crArrow, crCross, crHourGlass };

struct PictureDialogOptions {
  std::string title;
  std::string initial_dir;
  std::string default_ext;  // without the dot
  std::string filter;       // "description|pattern", as the platform writes it
  std::string file_name;
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  virtual int screen_width() const = 0;
  virtual int screen_height() const = 0;
  // The mouse cursor in screen coordinates.
  virtual TPoint cursor_pos() const = 0;
  // Moves the pointer there, where the platform lets a program move it;
  // elsewhere (Wayland) nothing happens.
  virtual void set_cursor_pos(TPoint p) = 0;
  // Screen.Cursor: the shape shown over the whole application.
  virtual TCursor cursor() const = 0;
  virtual void set_cursor(TCursor c) = 0;

  // A confirmation box with Yes and No; true on Yes.
  virtual bool confirm(const std::string& text) = 0;
  // A message box with one OK button.
  virtual void show_message(const std::string& text) = 0;
  // The error report for a handler that failed.
  virtual void report_error(const std::string& text) = 0;

  // The colour dialog, opening on `start` and offering the 16 custom
  // colours, which the user may edit there (edits are kept, confirmed or
  // not). The colour confirmed, or nothing when the dialog was cancelled or
  // closed by its window's close button.
  virtual std::optional<TColor> choose_colour(TColor start, CustomColours& custom) = 0;
  // The picture dialogs; the chosen full path, or nothing when cancelled.
  virtual std::optional<std::string> save_picture(const PictureDialogOptions& o) = 0;
  virtual std::optional<std::string> open_picture(const PictureDialogOptions& o) = 0;

  // A long run (the random colouring, a tone burst) holds the user-interface
  // thread from begin_run to end_run (see LongRun). Meanwhile only the
  // "stop" button is reached: other mouse input waits for the end of the
  // run, keys, timer ticks and other actions are dropped. Runs may nest;
  // the outermost one holds.
  virtual void begin_run() = 0;
  virtual void end_run() = 0;
  // Drops the keyboard input waiting in the queue, unhandled.
  virtual void flush_keyboard() = 0;
  // Repaints a control at once, during a long handler.
  virtual void repaint(Control& c) = 0;
  // Handles the input waiting now as the run's hold says: the clicks on the
  // "stop" button go through, and nothing else. Called between the steps of
  // a long run.
  virtual void let_stop_through() = 0;
  // Ends the message loop.
  virtual void terminate() = 0;
  // Runs `task` on the user-interface thread after the handler under way,
  // through the error report like any handler. Callable from any thread.
  virtual void post(std::function<void()> task) = 0;

  // A line of progress over the window that holds nothing back (the
  // time-lapse's export); a desktop without one shows nothing.
  virtual void show_progress(const std::string& /*text*/) {}
  // Ends it: `text` is shown a few seconds, or nothing when empty.
  virtual void end_progress(const std::string& /*text*/) {}
};

// A long run, from its construction to its end (an exception included).
class LongRun {
 public:
  explicit LongRun(Desktop& desktop) : m_desktop(desktop) { m_desktop.begin_run(); }
  ~LongRun() { m_desktop.end_run(); }
  LongRun(const LongRun&) = delete;
  LongRun& operator=(const LongRun&) = delete;

 private:
  Desktop& m_desktop;
};

}  // namespace korvel
