#include "files/snapshot_history.h"

#include "app/main_window.h"
#include "files/data_directory.h"
#include "files/snapshot_writer.h"

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

// The picture is copied here and written by a worker, so the release
// returns at once. The ring moves on at once too, as if the write had
// succeeded; the write's outcome settles it before anything reads the ring
// or writes again (attend_instantane), and a failure puts it back.
void TForm1::wb() {
  attend_instantane();
  Label8.set_caption(ring_text(indice_fic, max_fic));
  if (!prepare_dossier_instantanes()) return;
  m_ring_before = {indice_fic, max_fic, nom_fic, Label6.caption(), Label9.caption()};
  const int slot = slot_after_write(indice_fic);
  indice_fic = slot;
  nom_fic = nom_instantane(rep_instantanes, slot);
  Label6.set_caption("save " + nom_fic);
  max_fic = max_after_write(max_fic);
  Label9.set_caption(" -> " + ring_text(indice_fic, max_fic));
  m_snapshot_writer->start({rep_instantanes, slot, SnapshotFile::write, m_recording.get(), TimelapseFrame::next},
                           Image1.canvas().bitmap(), image_files(), on_snapshot_written());
}

std::function<void()> TForm1::on_snapshot_written() {
  return [this] { desktop().post([this] { recueille_instantane(); }); };
}

void TForm1::attend_instantane() {
  if (const auto outcome = m_snapshot_writer->take(Wait::until_done)) applique_issue(*outcome);
}

bool TForm1::prepare_dossier_instantanes() {
  prend_anneau(RingTaking::making_it);
  if (dossier_instantanes == SnapshotFolder::unavailable) return false;
  if (anneau == SnapshotRing::none_free) {
    dossier_instantanes = SnapshotFolder::unavailable;
    desktop().show_message(
        "Seize autres Korvel sont ouverts. Les traits ne seront pas gardés pour revenir en arrière.");
    return false;
  }
  if (rep_instantanes == rep_prog || dossier_instantanes == SnapshotFolder::ready) return true;
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

void TForm1::recueille_instantane() {
  if (const auto outcome = m_snapshot_writer->take(Wait::if_done)) applique_issue(*outcome);
}

// A slot that was blocked is passed over: the walk steps onto it and shows
// nothing, as for a slot without a file. A write that failed leaves the ring
// as it was before the stroke, so the walk visits only slots that hold
// what this run wrote or an earlier run left.
void TForm1::applique_issue(const SnapshotOutcome& outcome) {
  if (!outcome.recording_error.empty() && !m_recording_failure_shown) {
    // Said once: the strokes go on, and the export shows what was kept.
    m_recording_failure_shown = true;
    desktop().show_message(outcome.recording_error + ". Le film de la création ne gardera pas tout.");
  }
  if (!outcome.error.empty()) {
    indice_fic = m_ring_before.indice_fic;
    max_fic = m_ring_before.max_fic;
    nom_fic = m_ring_before.nom_fic;
    Label6.set_caption(m_ring_before.label6);
    Label9.set_caption(m_ring_before.label9);
    desktop().report_error(outcome.error);
    return;
  }
  if (outcome.skipped == 0) return;
  indice_fic = outcome.slot;
  nom_fic = nom_instantane(rep_instantanes, outcome.slot);
  Label6.set_caption("save " + nom_fic);
  for (int k = 0; k < outcome.skipped; ++k) max_fic = max_after_write(max_fic);
  Label9.set_caption(" -> " + ring_text(indice_fic, max_fic));
}

// Each step first settles the ring on the write in flight.
void TForm1::affiche_fic_precedent() {
  attend_instantane();
  montre_fic(slot_before(indice_fic, max_fic), "!! -> ");
}

void TForm1::affiche_fic_suivant() {
  attend_instantane();
  montre_fic(slot_after(indice_fic, max_fic), " -> ");
}

// Two programs running at the same time each keep their own ring: the
// second neither overwrites the first one's snapshots nor shows them.
void TForm1::prend_anneau(RingTaking how) {
  if (anneau != SnapshotRing::to_take) return;
  const RingChoice choice = take_snapshot_ring(text_files(), rep_anneaux, rep_prog, how);
  rep_instantanes = choice.directory;
  if (choice.outcome == RingChoice::Outcome::taken) anneau = SnapshotRing::taken;
  if (choice.outcome == RingChoice::Outcome::none_free) anneau = SnapshotRing::none_free;
}

// A step of the walk: shows `slot`; neither writes a file nor changes max_fic.
void TForm1::montre_fic(int slot, const char* fleche) {
  prend_anneau(RingTaking::existing_only);
  Label8.set_caption(ring_text(indice_fic, max_fic));
  indice_fic = slot;
  nom_fic = nom_instantane(rep_instantanes, indice_fic);
  lire_bmp(nom_fic);
  record_frame(TimelapseFrame::next);  // the time-lapse ends on what is shown
  Label9.set_caption(fleche + ring_text(indice_fic, max_fic));
}

void TForm1::lire_bmp(const std::string& path) {
  attend_instantane();  // the file of the last stroke is whole before it is read
  if (!image_files().exists(path)) return;
  const Canvas& canvas = Image1.canvas();
  const Bitmap bitmap = image_files().read(path, {canvas.width(), canvas.height()});
  Image1.canvas().Draw(0, 0, bitmap);
}

void TForm1::Panel11Click() { affiche_fic_precedent(); }

void TForm1::Panel13Click() { affiche_fic_suivant(); }

}  // namespace korvel
