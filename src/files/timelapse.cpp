// The time-lapse of the window: frames handed to the snapshot writer's
// thread, and F3's export.
#include <ctime>

#include "app/main_window.h"
#include "files/save_open.h"
#include "files/snapshot_writer.h"
#include "files/timelapse_export.h"
#include "files/timelapse_recording.h"

namespace korvel {

void TForm1::record_frame(TimelapseFrame frame) {
  // A state directory that could not be made was told of once already.
  if (!m_recording || dossier_instantanes == SnapshotFolder::unavailable) return;
  attend_instantane();
  m_snapshot_writer->start({rep_instantanes, 0, SnapshotFile::none, m_recording.get(), frame},
                           Image1.canvas().bitmap(), image_files(), on_snapshot_written());
}

namespace {

// A dated name that names no file in `directory` yet.
std::string free_dated_name(ImageFiles& files, const std::string& directory) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const std::string name = timelapse_file_name(local.tm_year, local.tm_mon, local.tm_mday, local.tm_hour, local.tm_min);
  std::string candidate = name;
  // Each candidate names a file that exists: bounded by the directory's entries.
  for (int counter = 1; files.exists(directory + "/" + candidate); ++counter)
    candidate = nom_numerote(sans_extension(name), counter, extension_de(name));
  return candidate;
}

}  // namespace

void TForm1::export_timelapse() {
  if (!m_recording) return;
  if (m_export->running()) {
    desktop().show_message("Le film de la création est encore en cours d'enregistrement.");
    return;
  }
  attend_instantane();  // the last stroke's frame is recorded
  PictureDialogOptions dialog;
  dialog.title = "Enregistrer le film de la création";
  dialog.initial_dir = m_services.user_dirs.pictures.empty() ? rep_images : m_services.user_dirs.pictures;
  dialog.default_ext = "webp";
  dialog.filter = "film WebP (*.webp)|*.webp";
  dialog.file_name = free_dated_name(image_files(), dialog.initial_dir);
  std::optional<std::string> path = desktop().save_picture(dialog);
  if (!path) return;
  if (extension_de(*path).empty()) *path += ".webp";
  desktop().show_progress("Film de la création : préparation");
  m_export->start(
      *m_recording, Image1.canvas().bitmap(), *path,
      [this](int done, int total) {
        desktop().post([this, done, total] {
          desktop().show_progress("Film de la création : image " + IntToStr(done) + " sur " + IntToStr(total));
        });
      },
      [this, path = *path](std::optional<std::string> error) {
        desktop().post([this, path, error] { end_export(path, error); });
      });
}

void TForm1::end_export(const std::string& path, const std::optional<std::string>& error) {
  if (m_export->running()) return;  // a newer export shows its own end
  desktop().end_progress(error ? std::string() : "Film de la création enregistré : " + path);
  if (error) desktop().report_error(*error);
}

void TForm1::wait_for_export() { m_export->wait(); }

}  // namespace korvel
