#pragma once
// The snapshot of a released stroke, written off the user-interface thread.
// The picture is copied at the release (into storage kept from one snapshot
// to the next) and encoded and written by a worker; one write is in flight
// at a time, and whoever reads the ring or starts the next write first takes
// the outcome of the one in flight, so a finished stroke's file is whole
// on disk before anything reads it.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/bitmap.h"
#include "platform/image_files.h"

namespace korvel {

class Recording;  // files/timelapse_recording.h

// Whether a job writes a snapshot file, and what the time-lapse does with
// the picture.
enum class SnapshotFile : std::uint8_t { write, none };
enum class TimelapseFrame : std::uint8_t { none, next, first };

struct SnapshotJob {
  std::string directory;  // exists: the window made it before the first write
  int first_slot = 0;
  SnapshotFile file = SnapshotFile::write;
  // The picture goes to the recording after the snapshot, on the worker.
  Recording* recording = nullptr;
  TimelapseFrame frame = TimelapseFrame::none;
};

// Where the snapshot went: `slot` is the slot written, after `skipped` slots
// that were blocked (a directory or a special file at the slot's name); or
// `error`, in words, when it was not written at all (slot -1).
struct SnapshotOutcome {
  int slot = -1;
  int skipped = 0;
  std::string error;
  // Why the picture could not be added to the time-lapse, in words.
  std::string recording_error;
};

enum class Wait : std::uint8_t { until_done, if_done };

class SnapshotWriter {
 public:
  SnapshotWriter() = default;
  SnapshotWriter(const SnapshotWriter&) = delete;
  SnapshotWriter& operator=(const SnapshotWriter&) = delete;
  // Waits for the write in flight (quitting never cuts a snapshot short),
  // then ends the worker.
  ~SnapshotWriter();

  // Copies `picture` and writes it to the first slot from job.first_slot on
  // that is not blocked. `on_done` runs on the worker when the write ends.
  // Takes the outcome of an earlier write first (dropping it): callers take
  // it themselves beforehand.
  void start(const SnapshotJob& job, const Bitmap& picture, ImageFiles& files, std::function<void()> on_done);
  // True from start until the outcome is taken.
  bool pending() const { return m_pending; }

  // The outcome of the write started last, once: nothing when none is in
  // flight, or (Wait::if_done) when it has not ended yet.
  std::optional<SnapshotOutcome> take(Wait wait);

 private:
  void work();
  SnapshotOutcome write(ImageFiles& files) const;
  std::string record() const;

  // One worker for the program's life: starting a thread at every release
  // would cost the interface thread more than the copy of the picture.
  std::thread m_worker;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  enum class State : std::uint8_t { idle, queued, done, stopping } m_state = State::idle;
  bool m_pending = false;  // interface thread only
  SnapshotJob m_job;
  ImageFiles* m_files = nullptr;
  std::function<void()> m_on_done;
  Bitmap m_picture;  // kept between snapshots: no fresh pages at each release
  SnapshotOutcome m_outcome;
};

// True when something other than a regular file or a link holds `path`:
// a snapshot can never replace it.
bool emplacement_bloque(const std::string& path);

}  // namespace korvel
