#pragma once
// The time-lapse as a lossless animated WebP: the recorded frames, 1/10 s
// each, and the picture on screen last, held 3 s. Made and written by a
// worker of its own, so the window goes on meanwhile.
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "files/timelapse_recording.h"
#include "platform/bitmap.h"

namespace korvel {

inline constexpr int kFrameMilliseconds = 100;
inline constexpr int kLastFrameMilliseconds = 3000;

// Called after each frame with the count done and the count in all; false
// stops the export.
using ExportProgress = std::function<bool(int done, int total)>;

// The animation's bytes: the frames in order, then `picture` unless it is
// the last frame's picture, so that the animation ends on it exactly.
// Nothing when `progress` stopped it; EInOutError, in words, when the
// encoder fails.
std::optional<std::string> encode_timelapse(const RecordedFrames& recorded, const Bitmap& picture,
                                            const ExportProgress& progress);

// A dated name for the file, "korvel-2026-12-09-15h55.webp", from the local
// time given as a broken-down time (tm_year since 1900, tm_mon from 0).
std::string timelapse_file_name(int tm_year, int tm_mon, int tm_mday, int tm_hour, int tm_min);

class TimelapseExport {
 public:
  TimelapseExport() = default;
  TimelapseExport(const TimelapseExport&) = delete;
  TimelapseExport& operator=(const TimelapseExport&) = delete;
  // Stops an export under way: its file is not written.
  ~TimelapseExport();

  // Reads the recording's frames, encodes them with `picture` last and
  // replaces `path` with the animation, whole or not at all. `on_progress`
  // and `on_end` run on the worker; `on_end` gets the error in words, or
  // nothing on success.
  void start(Recording& recording, Bitmap picture, std::string path, std::function<void(int, int)> on_progress,
             std::function<void(std::optional<std::string> error)> on_end);
  // True from start until on_end has run.
  bool running() const { return m_running; }
  // Waits until the export under way has ended.
  void wait();

 private:
  std::thread m_worker;
  std::atomic<bool> m_running = false;
  std::atomic<bool> m_stop = false;
};

}  // namespace korvel
