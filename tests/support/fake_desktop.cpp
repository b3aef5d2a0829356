#include "support/fake_desktop.h"

#include "platform/controls.h"
#include "platform/dispatch.h"
#include "platform/text.h"

namespace korvel::testing {

bool FakeDesktop::confirm(const std::string& text) {
  confirmations.push_back(text);
  if (confirm_answers.empty()) return false;
  const bool answer = confirm_answers.front();
  confirm_answers.pop_front();
  return answer;
}

std::optional<TColor> FakeDesktop::choose_colour(TColor start, CustomColours& custom) {
  colour_dialog_starts.push_back(start);
  colour_dialog_customs.push_back(custom);
  if (colour_answers.empty()) return std::nullopt;
  const ColourAnswer answer = colour_answers.front();
  colour_answers.pop_front();
  // The boxes edited in the dialog stay edited, however it ends.
  for (const auto& [box, c] : answer.custom_edits) custom.at(std::size_t(box)) = c;
  if (answer.end != DialogEnd::Confirmed) return std::nullopt;
  return answer.colour;
}

void FakeDesktop::repaint(Control& c) {
  ++repaints;
  repaint_log.push_back(c.name() + "=" + c.caption());
}

std::optional<std::string> FakeDesktop::save_picture(const PictureDialogOptions& o) {
  save_dialogs.push_back(o);
  if (save_answers.empty()) return std::nullopt;
  auto answer = save_answers.front();
  save_answers.pop_front();
  return answer;
}

std::optional<std::string> FakeDesktop::open_picture(const PictureDialogOptions& o) {
  open_dialogs.push_back(o);
  if (open_answers.empty()) return std::nullopt;
  auto answer = open_answers.front();
  open_answers.pop_front();
  return answer;
}

void FakeDesktop::let_stop_through() {
  ++stop_polls;
  if (runs_begun == runs_ended) ++polls_outside_runs;
  if (on_stop_poll) on_stop_poll();
}

void FakeDesktop::post(std::function<void()> task) {
  const std::lock_guard lock(m_posted_mutex);
  m_posted.push_back(std::move(task));
}

int FakeDesktop::run_posted() {
  std::vector<std::function<void()>> tasks;
  {
    const std::lock_guard lock(m_posted_mutex);
    tasks.swap(m_posted);
  }
  for (auto& task : tasks) dispatch(*this, task);
  return int(tasks.size());
}

void MemoryImageFiles::write_bmp(const std::string& path, const Bitmap& picture) {
  if (fail_writes) throw EInOutError("Impossible d'écrire " + path);
  files[path] = picture;
  writes.push_back(path);
}

void MemoryImageFiles::save_picture(const std::string& path, const Bitmap& picture, PictureFormat format) {
  if (fail_writes) throw EInOutError("Impossible d'écrire " + path);
  files[path] = picture;
  saved_pictures.push_back(path);
  saved_formats.push_back(format);
}

Bitmap MemoryImageFiles::read(const std::string& path, PicturePart part) {
  if (unreadable.count(path)) throw EInOutError("Format de bitmap non valide");
  auto it = files.find(path);
  if (it == files.end()) throw EInOutError("Fichier introuvable " + path);
  parts_read.push_back(part);
  return it->second;
}

}  // namespace korvel::testing
