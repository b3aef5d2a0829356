#pragma once
// A scripted desktop: answers are queued before the call, every call is
// recorded, so tests read what the program asked and showed.
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/desktop.h"
#include "platform/image_files.h"

namespace korvel::testing {

// How a colour dialog is closed.
enum class DialogEnd { Confirmed, Cancelled, ClosedByWindowButton };

// One queued answer of the colour dialog: how it ends, the colour picked
// when confirmed, and custom boxes the user edits before closing it.
struct ColourAnswer {
  DialogEnd end = DialogEnd::Cancelled;
  TColor colour = clBlack;
  std::vector<std::pair<int, TColor>> custom_edits;

  static ColourAnswer pick(TColor c) { return {DialogEnd::Confirmed, c, {}}; }
  static ColourAnswer cancel() { return {DialogEnd::Cancelled, clBlack, {}}; }
  static ColourAnswer close() { return {DialogEnd::ClosedByWindowButton, clBlack, {}}; }
  ColourAnswer&& editing(int box, TColor c) && {
    custom_edits.emplace_back(box, c);
    return std::move(*this);
  }
};

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
  std::optional<TColor> choose_colour(TColor start, CustomColours& custom) override;
  std::optional<std::string> save_picture(const PictureDialogOptions& o) override;
  std::optional<std::string> open_picture(const PictureDialogOptions& o) override;
  void begin_run() override { ++runs_begun; }
  void end_run() override { ++runs_ended; }
  void flush_keyboard() override {
    ++keyboard_flushes;
    if (runs_begun == runs_ended) ++polls_outside_runs;
  }
  void repaint(Control& c) override;
  void let_stop_through() override;
  void terminate() override { ++terminations; }
  void post(std::function<void()> task) override;
  // Runs the tasks posted so far, as the event loop would; their count.
  int run_posted();
  void show_progress(const std::string& text) override { progress.push_back(text); }
  void end_progress(const std::string& text) override { progress_ends.push_back(text); }
  std::vector<std::string> progress, progress_ends;

  int width, height;
  TPoint cursor_position{};
  TCursor cursor_shape = crDefault;
  std::vector<TPoint> cursor_moves;

  // Queued answers; an empty queue answers No / Cancel.
  std::deque<bool> confirm_answers;
  std::deque<ColourAnswer> colour_answers;
  std::deque<std::optional<std::string>> save_answers, open_answers;

  std::vector<std::string> confirmations, messages, errors;
  std::vector<PictureDialogOptions> save_dialogs, open_dialogs;
  // Each colour dialog: the colour it opened on, the custom colours offered.
  std::vector<TColor> colour_dialog_starts;
  std::vector<CustomColours> colour_dialog_customs;
  // Each immediate repaint: "name=caption", in order.
  std::vector<std::string> repaint_log;
  int keyboard_flushes = 0, repaints = 0, terminations = 0, stop_polls = 0;
  // Long runs begun and ended; input polled while none was under way.
  int runs_begun = 0, runs_ended = 0, polls_outside_runs = 0;
  // Run when let_stop_through is called: a test clicks "stop" from here.
  std::function<void()> on_stop_poll;

 private:
  std::mutex m_posted_mutex;
  std::vector<std::function<void()>> m_posted;
};

// Bitmap files kept in memory, by path.
class MemoryImageFiles : public ImageFiles {
 public:
  bool exists(const std::string& path) const override { return files.count(path) != 0; }
  void write_bmp(const std::string& path, const Bitmap& picture) override;
  void save_picture(const std::string& path, const Bitmap& picture, PictureFormat format) override;
  Bitmap read(const std::string& path, PicturePart part) override;

  std::map<std::string, Bitmap> files;
  // Paths whose reading fails as a file that is not a bitmap would.
  std::map<std::string, bool> unreadable;
  bool fail_writes = false;
  std::vector<std::string> writes;
  // The part asked for at each read.
  std::vector<PicturePart> parts_read;
  // The pictures a person saved, by path, in the order saved, and their formats.
  std::vector<std::string> saved_pictures;
  std::vector<PictureFormat> saved_formats;
};

}  // namespace korvel::testing
