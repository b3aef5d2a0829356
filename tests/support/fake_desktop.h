#pragma once
// A scripted desktop: answers are queued before the call, every call is
// recorded, so tests read what the program asked and showed.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/image_files.h"

namespace korvel::testing {

class FakeDesktop : public Desktop {
 public:
  FakeDesktop(int width = 1920, int height = 1080) : width(width), height(height) {}

  int screen_width() const override { return width; }
  int screen_height() const override { return height; }
  TPoint cursor_pos() const override { return cursor_position; }
  void set_cursor_pos(TPoint p) override {
    cursor_position = p;
    cursor_moves.push_back(p);
  }
  TCursor cursor() const override { return cursor_shape; }
  void set_cursor(TCursor c) override { cursor_shape = c; }

  bool confirm(const std::string& text) override;
  void show_message(const std::string& text) override { messages.push_back(text); }
  void report_error(const std::string& text) override { errors.push_back(text); }
  bool choose_colour(TColor& colour, std::vector<std::string>& custom) override;
  std::optional<std::string> save_picture(const PictureDialogOptions& o) override;
  std::optional<std::string> open_picture(const PictureDialogOptions& o) override;
  void flush_keyboard() override { ++keyboard_flushes; }
  void repaint(Control&) override { ++repaints; }
  void let_stop_through() override;
  void terminate() override { ++terminations; }

  int width, height;
  TPoint cursor_position{};
  TCursor cursor_shape = crDefault;
  std::vector<TPoint> cursor_moves;

  // Queued answers; an empty queue answers No / Cancel.
  std::deque<bool> confirm_answers;
  std::deque<std::optional<TColor>> colour_answers;
  std::deque<std::optional<std::string>> save_answers, open_answers;

  std::vector<std::string> confirmations, messages, errors;
  std::vector<PictureDialogOptions> save_dialogs, open_dialogs;
  std::vector<TColor> colour_dialog_starts;
  int keyboard_flushes = 0, repaints = 0, terminations = 0, stop_polls = 0;
  // Run when let_stop_through is called: a test clicks "stop" from here.
  std::function<void()> on_stop_poll;
};

// Bitmap files kept in memory, by path.
class MemoryImageFiles : public ImageFiles {
 public:
  bool exists(const std::string& path) const override { return files.count(path) != 0; }
  void write_bmp(const std::string& path, const Bitmap& picture) override;
  void save_picture(const std::string& path, const Bitmap& picture) override;
  Bitmap read(const std::string& path) override;

  std::map<std::string, Bitmap> files;
  // Paths whose reading fails as a file that is not a bitmap would.
  std::map<std::string, bool> unreadable;
  bool fail_writes = false;
  std::vector<std::string> writes;
  // The pictures a person saved, by path, in the order saved.
  std::vector<std::string> saved_pictures;
};

}  // namespace korvel::testing
