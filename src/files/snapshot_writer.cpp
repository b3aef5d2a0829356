#include "files/snapshot_writer.h"

#include <filesystem>
#include <system_error>

#include "files/snapshot_history.h"
#include "files/timelapse_recording.h"
#include "platform/text.h"

namespace korvel {

namespace fs = std::filesystem;

bool emplacement_bloque(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::symlink_status(path, error);
  if (error || !fs::exists(status)) return false;
  return !fs::is_regular_file(status) && !fs::is_symlink(status);
}

SnapshotWriter::~SnapshotWriter() {
  take(Wait::until_done);
  if (!m_worker.joinable()) return;
  {
    const std::lock_guard lock(m_mutex);
    m_state = State::stopping;
  }
  m_changed.notify_all();
  m_worker.join();
}

void SnapshotWriter::start(const SnapshotJob& job, const Bitmap& picture, ImageFiles& files,
                           std::function<void()> on_done) {
  take(Wait::until_done);
  // The worker is idle: what it reads can be set without the lock.
  m_job = job;
  m_picture = picture;  // same size as last time: the storage is reused
  m_files = &files;
  m_on_done = std::move(on_done);
  if (!m_worker.joinable()) m_worker = std::thread([this] { work(); });
  {
    const std::lock_guard lock(m_mutex);
    m_state = State::queued;
  }
  m_pending = true;
  m_changed.notify_all();
}

std::optional<SnapshotOutcome> SnapshotWriter::take(Wait wait) {
  if (!m_pending) return std::nullopt;
  std::unique_lock lock(m_mutex);
  if (wait == Wait::if_done && m_state != State::done) return std::nullopt;
  m_changed.wait(lock, [&] { return m_state == State::done; });
  m_state = State::idle;
  m_pending = false;
  return std::move(m_outcome);
}

void SnapshotWriter::work() {
  for (;;) {
    {
      std::unique_lock lock(m_mutex);
      m_changed.wait(lock, [&] { return m_state == State::queued || m_state == State::stopping; });
      if (m_state == State::stopping) return;
    }
    SnapshotOutcome outcome;
    if (m_job.file == SnapshotFile::write) outcome = write(*m_files);
    outcome.recording_error = record();
    std::function<void()> on_done = m_on_done;
    {
      const std::lock_guard lock(m_mutex);
      m_outcome = std::move(outcome);
      m_state = State::done;
    }
    m_changed.notify_all();
    if (on_done) on_done();
  }
}

// The frame is made from the copy already taken for the snapshot.
std::string SnapshotWriter::record() const {
  if (!m_job.recording || m_job.frame == TimelapseFrame::none) return {};
  try {
    if (m_job.frame == TimelapseFrame::first)
      m_job.recording->begin_afresh(m_picture);
    else
      m_job.recording->add(m_picture);
  } catch (const std::bad_alloc&) {
    return "La mémoire manque pour le film de la création";
  } catch (const std::exception& e) {
    return e.what();
  }
  return {};
}

SnapshotOutcome SnapshotWriter::write(ImageFiles& files) const {
  SnapshotOutcome outcome;
  for (int k = 0; k < kSnapshotSlots; ++k) {
    const int slot = (m_job.first_slot + k) % kSnapshotSlots;
    const std::string name = nom_instantane(m_job.directory, slot);
    if (emplacement_bloque(name)) continue;
    try {
      files.write_bmp(name, m_picture);
      outcome.slot = slot;
      outcome.skipped = k;
    } catch (const std::exception& e) {
      outcome.error = e.what();
    }
    return outcome;
  }
  outcome.error = "Impossible d'écrire l'instantané dans " + m_job.directory +
                  " : chacun des dix emplacements est occupé par un dossier ou un fichier spécial";
  return outcome;
}

}  // namespace korvel
