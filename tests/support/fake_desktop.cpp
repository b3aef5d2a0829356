#include "support/fake_desktop.h"

#include "platform/text.h"

namespace korvel::testing {

bool FakeDesktop::confirm(const std::string& text) {
  confirmations.push_back(text);
  if (confirm_answers.empty()) return false;
  const bool answer = confirm_answers.front();
  confirm_answers.pop_front();
  return answer;
}

bool FakeDesktop::choose_colour(TColor& colour, std::vector<std::string>&) {
  colour_dialog_starts.push_back(colour);
  if (colour_answers.empty() || !colour_answers.front()) {
    if (!colour_answers.empty()) colour_answers.pop_front();
    return false;
  }
  colour = *colour_answers.front();
  colour_answers.pop_front();
  return true;
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
  if (on_stop_poll) on_stop_poll();
}

void MemoryImageFiles::write_bmp(const std::string& path, const Bitmap& picture) {
  if (fail_writes) throw EInOutError("Impossible d'écrire " + path);
  files[path] = picture;
  writes.push_back(path);
}

void MemoryImageFiles::save_picture(const std::string& path, const Bitmap& picture) {
  if (fail_writes) throw EInOutError("Impossible d'écrire " + path);
  files[path] = picture;
  saved_pictures.push_back(path);
}

Bitmap MemoryImageFiles::read(const std::string& path) {
  if (unreadable.count(path)) throw EInOutError("Format de bitmap non valide");
  auto it = files.find(path);
  if (it == files.end()) throw EInOutError("Fichier introuvable " + path);
  return it->second;
}

}  // namespace korvel::testing
