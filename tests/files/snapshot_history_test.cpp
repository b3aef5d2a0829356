// The ring of ten snapshots, walked as the history's users walk it.
#include "files/snapshot_history.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "files/data_directory.h"
#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::StartedForm;

// A "stroke": a dot of its own colour, then the snapshot its release
// writes, settled (the write's outcome taken, as the next reader would).
void stroke(StartedForm& f, TColor colour) {
  Canvas& c = f.canvas();
  c.Brush.Color = colour;
  c.FillRect(0, 0, 10, 10);
  f->wb();
  f->attend_instantane();
}

TColor shown(StartedForm& f) { return f.canvas().Pixels(5, 5); }

std::string slot_file(StartedForm& f, int slot) { return nom_instantane(f->rep_instantanes, slot); }

TEST(SnapshotRing, FirstStrokeWritesTheFirstSlot) {
  StartedForm f(64, 48);
  stroke(f, clRed);
  EXPECT_EQ(f->indice_fic, 0);
  EXPECT_EQ(f->max_fic, 0);
  EXPECT_EQ(f->Label8.caption(), "-1/-1");
  EXPECT_EQ(f->Label9.caption(), " -> 0/0");
  EXPECT_EQ(f->nom_fic, f->rep_prog + "/~100.bmp");
  EXPECT_EQ(f->Label6.caption(), "save " + f->nom_fic);
  ASSERT_TRUE(f.files.exists(f->nom_fic));
  EXPECT_EQ(f.files.files[f->nom_fic], f.canvas().bitmap());
}

TEST(SnapshotRing, ThreeStrokesThenBackThreeTimesAndForward) {
  StartedForm f(64, 48);
  stroke(f, 0x000001);
  stroke(f, 0x000002);
  stroke(f, 0x000003);
  f->affiche_fic_precedent();
  EXPECT_EQ(f->indice_fic, 1);
  EXPECT_EQ(shown(f), 0x000002u);
  EXPECT_EQ(f->Label9.caption(), "!! -> 1/2");
  f->affiche_fic_precedent();
  EXPECT_EQ(shown(f), 0x000001u);
  f->affiche_fic_precedent();
  EXPECT_EQ(f->indice_fic, 2);
  EXPECT_EQ(shown(f), 0x000003u);
  f->affiche_fic_suivant();
  EXPECT_EQ(f->indice_fic, 0);
  EXPECT_EQ(shown(f), 0x000001u);
  EXPECT_EQ(f->Label9.caption(), " -> 0/2");
  EXPECT_EQ(f->Label8.caption(), "2/2");
  EXPECT_EQ(f.files.writes.size(), 3u);
}

TEST(SnapshotRing, TheEleventhSnapshotOverwritesTheFirstSlot) {
  StartedForm f(32, 32);
  for (TColor c = 1; c <= 11; ++c) stroke(f, c);
  EXPECT_EQ(f->indice_fic, 0);
  EXPECT_EQ(f->max_fic, 9);
  EXPECT_EQ(f->Label9.caption(), " -> 0/9");
  EXPECT_EQ(f.files.files[slot_file(f, 0)].colour_at(5, 5), 11u);
  // Walking back visits the last ten from newest to oldest.
  std::vector<TColor> walk;
  for (int i = 0; i < 10; ++i) {
    f->affiche_fic_precedent();
    walk.push_back(shown(f));
  }
  EXPECT_EQ(walk, (std::vector<TColor>{10, 9, 8, 7, 6, 5, 4, 3, 2, 11}));
}

TEST(SnapshotRing, ANewStrokeAfterSteppingBackGoesIntoTheNextSlot) {
  StartedForm f(32, 32);
  stroke(f, 1);
  stroke(f, 2);
  stroke(f, 3);
  f->affiche_fic_precedent();
  f->affiche_fic_precedent();
  ASSERT_EQ(f->indice_fic, 0);
  stroke(f, 4);
  EXPECT_EQ(f->indice_fic, 1);
  EXPECT_EQ(f->max_fic, 3);
  EXPECT_EQ(f.files.files[slot_file(f, 1)].colour_at(5, 5), 4u);
  f->affiche_fic_suivant();
  EXPECT_EQ(f->indice_fic, 2);
  EXPECT_EQ(shown(f), 3u);
  // Slot 3 was written by no stroke of this run: the picture stays.
  f->affiche_fic_suivant();
  EXPECT_EQ(f->indice_fic, 3);
  EXPECT_EQ(shown(f), 3u);
  f->affiche_fic_suivant();
  EXPECT_EQ(f->indice_fic, 0);
  EXPECT_EQ(shown(f), 1u);
}

TEST(SnapshotRing, SteppingBeforeAnySnapshot) {
  StartedForm f(32, 32);
  f->affiche_fic_precedent();
  EXPECT_EQ(f->indice_fic, -1);
  EXPECT_EQ(f->nom_fic, f->rep_instantanes + "/~99.bmp");
  EXPECT_EQ(f->Label9.caption(), "!! -> -1/-1");
  EXPECT_EQ(shown(f), clBlack);

  StartedForm g(32, 32);
  // A file an earlier run left in slot 0 is shown by F9.
  g.files.files[slot_file(g, 0)] = Bitmap(32, 32, clAqua);
  g->affiche_fic_suivant();
  EXPECT_EQ(g->indice_fic, 0);
  EXPECT_EQ(g->Label9.caption(), " -> 0/-1");
  EXPECT_EQ(shown(g), clAqua);
  stroke(g, clRed);
  EXPECT_EQ(g->indice_fic, 1);
  EXPECT_EQ(g->max_fic, 0);
}

TEST(SnapshotRing, ASmallerSnapshotCoversOnlyTheTopLeft) {
  StartedForm f(64, 48);
  f.files.files[slot_file(f, 0)] = Bitmap(10, 10, clWhite);
  f->affiche_fic_suivant();
  EXPECT_EQ(f.canvas().Pixels(9, 9), clWhite);
  EXPECT_EQ(f.canvas().Pixels(10, 9), clBlack);
}

TEST(SnapshotRing, AFailedWriteIsReportedAndTheRingStaysOnWhatIsOnDisk) {
  StartedForm f(32, 32);
  stroke(f, 1);
  f.files.fail_writes = true;
  stroke(f, 2);
  ASSERT_EQ(f.desktop.errors.size(), 1u);
  EXPECT_EQ(f->indice_fic, 0);
  EXPECT_EQ(f->max_fic, 0);
  EXPECT_EQ(f->nom_fic, slot_file(f, 0));
  EXPECT_EQ(shown(f), 2u);  // the picture on screen is untouched
  f.files.fail_writes = false;
  stroke(f, 3);
  EXPECT_EQ(f->indice_fic, 1);
  EXPECT_EQ(f.files.files[slot_file(f, 1)].colour_at(5, 5), 3u);
}

TEST(SnapshotRing, AnUnreadableSnapshotIsReportedAndThePictureKept) {
  StartedForm f(32, 32);
  stroke(f, 1);
  stroke(f, 2);
  f.files.unreadable[slot_file(f, 0)] = true;
  EXPECT_THROW(f->affiche_fic_precedent(), EInOutError);
  EXPECT_EQ(shown(f), 2u);
}

TEST(SnapshotDirectory, AReadOnlyProgramDirectoryPutsTheSnapshotsInTheUsersStateDirectory) {
  testing::FakeDesktop desktop(32, 32);
  testing::MemoryImageFiles files;
  testing::MemoryTextFiles text_files;
  testing::FakeAudioOut audio;
  testing::FakeConsole console;
  text_files.read_only_dirs.insert("/home/u/korvel");
  TForm1 form(Services{desktop, files, "/home/u/korvel/korvel", testing::home_directories("/home/u"), text_files,
                       audio, console});
  form.FormCreate();
  form.FormResize();
  EXPECT_EQ(form.rep_prog, "/home/u/korvel");
  EXPECT_EQ(text_files.made_dirs, std::vector<std::string>{"/home/u/Pictures"});  // the state one on demand only
  form.wb();
  EXPECT_EQ(form.nom_fic, "/home/u/.local/state/korvel/~100.bmp");
  EXPECT_EQ(text_files.made_dirs.back(), "/home/u/.local/state/korvel");
  EXPECT_TRUE(desktop.errors.empty());
}

TEST(SnapshotDirectory, AUserDataDirectoryThatCannotBeMadeIsToldOnceAndDrawingGoesOn) {
  testing::FakeDesktop desktop(32, 32);
  testing::MemoryImageFiles files;
  testing::MemoryTextFiles text_files;
  testing::FakeAudioOut audio;
  testing::FakeConsole console;
  text_files.read_only_dirs.insert("/opt/korvel");
  text_files.fail_writes = true;
  const std::string data_dir = "/home/u/.local/state/korvel";
  TForm1 form(Services{desktop, files, "/opt/korvel/korvel", testing::home_directories("/home/u"), text_files, audio,
                       console});
  form.FormCreate();
  form.FormResize();
  ASSERT_EQ(form.rep_instantanes, data_dir);
  for (TColor colour : {clRed, clGreen, clWhite}) {
    Canvas& c = form.Image1.canvas();
    c.Brush.Color = colour;
    c.FillRect(0, 0, 10, 10);
    form.wb();
    EXPECT_EQ(c.Pixels(5, 5), colour);
  }
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_NE(desktop.messages[0].find("Impossible de créer le dossier " + data_dir + " : "), std::string::npos);
  EXPECT_TRUE(desktop.errors.empty());
  EXPECT_TRUE(files.writes.empty());
  EXPECT_EQ(form.indice_fic, -1);
  EXPECT_EQ(form.max_fic, -1);
}

TEST(SnapshotRing, TheButtonsStepLikeTheKeys) {
  StartedForm f(32, 32);
  stroke(f, 1);
  stroke(f, 2);
  f->Panel11.click();
  EXPECT_EQ(shown(f), 1u);
  f->Panel13.click();
  EXPECT_EQ(shown(f), 2u);
}

}  // namespace
}  // namespace korvel
