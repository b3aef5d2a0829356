#include "files/snapshot_history.h"

#include "app/main_window.h"
#include "files/data_directory.h"

namespace korvel {

std::string nom_instantane(const std::string& directory, int slot) {
  return directory + "/~" + IntToStr(slot + 100) + ".bmp";
}

int slot_after_write(int indice_fic) { return (indice_fic + 1) % kSnapshotSlots; }

int max_after_write(int max_fic) { return max_fic + 1 >= kSnapshotSlots ? kSnapshotSlots - 1 : max_fic + 1; }

int slot_before(int indice_fic, int max_fic) { return indice_fic - 1 < 0 ? max_fic : indice_fic - 1; }

int slot_after(int indice_fic, int max_fic) { return indice_fic + 1 > max_fic ? 0 : indice_fic + 1; }

namespace {

std::string ring_text(int indice, int max) { return IntToStr(indice) + "/" + IntToStr(max); }

}  // namespace

void TForm1::wb() {
  Label8.set_caption(ring_text(indice_fic, max_fic));
  const int slot = slot_after_write(indice_fic);
  const std::string name = nom_instantane(rep_instantanes, slot);
  // The counters move only once the file is on disk, so the walk never
  // visits a slot that this write did not fill. A failed write is reported
  // and the stroke's release goes on.
  try {
    if (!prepare_dossier_instantanes()) return;
    image_files().write_bmp(name, Image1.canvas().bitmap());
  } catch (const std::exception& e) {
    desktop().report_error(e.what());
    return;
  }
  indice_fic = slot;
  nom_fic = name;
  Label6.set_caption("save " + nom_fic);
  max_fic = max_after_write(max_fic);
  Label9.set_caption(" -> " + ring_text(indice_fic, max_fic));
}

bool TForm1::prepare_dossier_instantanes() {
  if (rep_instantanes == rep_prog || dossier_instantanes == SnapshotFolder::ready) return true;
  if (dossier_instantanes == SnapshotFolder::unavailable) return false;
  try {
    prepare_data_directory(text_files(), rep_instantanes, rep_prog);
  } catch (const EInOutError& e) {
    dossier_instantanes = SnapshotFolder::unavailable;
    desktop().show_message(std::string(e.what()) + ". Les traits ne seront pas gardés pour revenir en arrière.");
    return false;
  }
  dossier_instantanes = SnapshotFolder::ready;
  return true;
}

void TForm1::affiche_fic_precedent() { montre_fic(slot_before(indice_fic, max_fic), "!! -> "); }

void TForm1::affiche_fic_suivant() { montre_fic(slot_after(indice_fic, max_fic), " -> "); }

// A step of the walk: shows `slot`; neither writes a file nor changes max_fic.
void TForm1::montre_fic(int slot, const char* fleche) {
  Label8.set_caption(ring_text(indice_fic, max_fic));
  indice_fic = slot;
  nom_fic = nom_instantane(rep_instantanes, indice_fic);
  lire_bmp(nom_fic);
  Label9.set_caption(fleche + ring_text(indice_fic, max_fic));
}

void TForm1::lire_bmp(const std::string& path) {
  if (!image_files().exists(path)) return;
  const Bitmap bitmap = image_files().read(path);
  Image1.canvas().Draw(0, 0, bitmap);
}

void TForm1::Panel11Click() { affiche_fic_precedent(); }

void TForm1::Panel13Click() { affiche_fic_suivant(); }

}  // namespace korvel
