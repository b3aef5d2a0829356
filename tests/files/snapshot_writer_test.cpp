// The snapshot written in the background: the release returns before the
// file is written, and yet every reader of the ring sees the whole file, a
// failure is still reported on the user-interface thread, a blocked slot is
// passed over, and the program never ends with a write cut short.
#include "files/snapshot_writer.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <mutex>
#include <thread>

#include "files/snapshot_history.h"
#include "files/picture_check.h"
#include "platform/bmp_encoding.h"
#include "platform/own_files.h"
#include "support/form_fixture.h"

namespace korvel {
namespace {

using namespace std::chrono_literals;
using testing::StartedForm;

// Memory files whose writes wait at a gate the test opens.
class GatedImageFiles : public testing::MemoryImageFiles {
 public:
  void write_bmp(const std::string& path, const Bitmap& picture) override {
    std::unique_lock lock(m_mutex);
    ++started;
    m_changed.notify_all();
    m_changed.wait(lock, [&] { return m_open; });
    lock.unlock();
    MemoryImageFiles::write_bmp(path, picture);
  }
  void open_after(std::chrono::milliseconds delay) {
    m_opener = std::thread([this, delay] {
      std::this_thread::sleep_for(delay);
      const std::lock_guard lock(m_mutex);
      m_open = true;
      m_changed.notify_all();
    });
  }
  void wait_started(int n) {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return started >= n; });
  }
  ~GatedImageFiles() override {
    if (m_opener.joinable()) m_opener.join();
  }
  int started = 0;

 private:
  std::mutex m_mutex;
  std::condition_variable m_changed;
  bool m_open = false;
  std::thread m_opener;
};

struct GatedForm {
  explicit GatedForm(std::string program_path = StartedForm::default_program_path())
      : desktop(32, 32),
        form(std::make_unique<TForm1>(
            Services{desktop, files, std::move(program_path), {}, text_files, audio, console})) {
    form->FormCreate();
    form->set_client_size(32, 32);
    form->FormResize();
  }
  void paint(TColor colour) {
    form->Image1.canvas().Brush.Color = colour;
    form->Image1.canvas().FillRect(0, 0, 10, 10);
  }
  TColor shown() { return form->Image1.canvas().Pixels(5, 5); }
  testing::FakeDesktop desktop;
  GatedImageFiles files;
  testing::MemoryTextFiles text_files;
  testing::FakeAudioOut audio;
  testing::FakeConsole console;
  std::unique_ptr<TForm1> form;
};

TEST(SnapshotInBackground, TheReleaseReturnsFirstAndAReadWaitsForTheWholeFile) {
  GatedForm g;
  g.paint(0x000002);
  g.form->wb();  // returns with the write held at the gate
  g.files.wait_started(1);
  EXPECT_TRUE(g.files.writes.empty());
  EXPECT_EQ(g.form->indice_fic, 0);
  g.paint(0x000009);  // the next stroke goes on meanwhile
  g.files.open_after(30ms);
  g.form->lire_bmp(g.form->nom_fic);
  EXPECT_EQ(g.shown(), 0x000002u);
  ASSERT_EQ(g.files.writes.size(), 1u);
}

TEST(SnapshotInBackground, StepsAndTheNextWriteWaitForTheWriteInFlight) {
  GatedForm g;
  g.files.open_after(0ms);
  g.paint(1);
  g.form->wb();
  g.paint(2);
  g.form->wb();
  g.paint(3);
  g.form->wb();  // each waited for the one before: one write at a time
  g.form->affiche_fic_precedent();
  EXPECT_EQ(g.shown(), 2u);
  EXPECT_EQ(g.files.writes.size(), 3u);
  EXPECT_EQ(g.form->Label9.caption(), "!! -> 1/2");
}

TEST(SnapshotInBackground, AFailedWriteIsReportedOnThePostedTaskAndTheRingPutBack) {
  StartedForm f(32, 32);
  f->wb();
  f->attend_instantane();
  f.files.fail_writes = true;
  f->wb();
  EXPECT_EQ(f->indice_fic, 1);  // moved on as if written, until the outcome is known
  // The worker's notice runs the outcome on this thread, as the event loop would.
  for (int i = 0; i < 1000 && f.desktop.errors.empty(); ++i) {
    if (f.desktop.run_posted() == 0) std::this_thread::sleep_for(2ms);
  }
  ASSERT_EQ(f.desktop.errors.size(), 1u);
  EXPECT_NE(f.desktop.errors[0].find("Impossible d'écrire"), std::string::npos);
  EXPECT_EQ(f->indice_fic, 0);
  EXPECT_EQ(f->max_fic, 0);
  EXPECT_EQ(f->nom_fic, nom_instantane(f->rep_instantanes, 0));
  EXPECT_EQ(f->Label9.caption(), " -> 0/0");
  EXPECT_EQ(f->Label6.caption(), "save " + f->nom_fic);
  // Reported once: a later read finds nothing more to settle.
  f->affiche_fic_precedent();
  EXPECT_EQ(f.desktop.errors.size(), 1u);
}

TEST(SnapshotInBackground, QuittingAndClosingWaitForTheWriteInFlight) {
  {
    GatedForm g;
    g.desktop.confirm_answers = {true};
    g.form->wb();
    g.files.open_after(30ms);
    g.form->quitter();
    EXPECT_EQ(g.files.writes.size(), 1u);
    EXPECT_EQ(g.desktop.terminations, 1);
  }
  testing::FakeDesktop desktop(32, 32);
  GatedImageFiles files;
  testing::MemoryTextFiles text_files;
  testing::FakeAudioOut audio;
  testing::FakeConsole console;
  {
    TForm1 form(Services{desktop, files, StartedForm::default_program_path(), {}, text_files, audio, console});
    form.FormCreate();
    form.FormResize();
    form.wb();
    files.open_after(30ms);
  }  // the window goes away with its write in flight
  EXPECT_EQ(files.writes.size(), 1u);
}

class BlockedSlot : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/korvel-blocked-XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir = tmpl;
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::string dir;
};

TEST_F(BlockedSlot, IsPassedOverAndTheStrokesThatFollowAreKept) {
  StartedForm f(32, 32, dir + "/korvel");
  auto stroke = [&](TColor c) {
    f.canvas().Brush.Color = c;
    f.canvas().FillRect(0, 0, 10, 10);
    f->wb();
    f->attend_instantane();
  };
  stroke(1);
  std::filesystem::create_directory(nom_instantane(f->rep_instantanes, 1));
  stroke(2);
  EXPECT_EQ(f->indice_fic, 2);
  EXPECT_EQ(f->max_fic, 2);
  EXPECT_EQ(f->Label9.caption(), " -> 2/2");
  EXPECT_EQ(f->nom_fic, nom_instantane(f->rep_instantanes, 2));
  stroke(3);
  EXPECT_EQ(f->indice_fic, 3);
  EXPECT_TRUE(f.desktop.errors.empty());
  // The walk steps over the blocked slot like a slot without a file.
  std::vector<TColor> walk;
  for (int i = 0; i < 4; ++i) {
    f->affiche_fic_precedent();
    walk.push_back(f.canvas().Pixels(5, 5));
  }
  EXPECT_EQ(walk, (std::vector<TColor>{2, 2, 1, 3}));
  EXPECT_TRUE(std::filesystem::is_directory(nom_instantane(f->rep_instantanes, 1)));
  // All ten blocked: reported, and the ring stays as it was.
  for (int s = 0; s < kSnapshotSlots; ++s) {
    std::filesystem::remove(nom_instantane(f->rep_instantanes, s));
    std::filesystem::create_directory(nom_instantane(f->rep_instantanes, s));
  }
  const int indice = f->indice_fic, max = f->max_fic;
  stroke(4);
  ASSERT_EQ(f.desktop.errors.size(), 1u);
  EXPECT_NE(f.desktop.errors[0].find("dossier"), std::string::npos);
  EXPECT_EQ(f->indice_fic, indice);
  EXPECT_EQ(f->max_fic, max);
}

TEST_F(BlockedSlot, OnlyDirectoriesAndSpecialFilesBlock) {
  const std::string file = dir + "/f", link = dir + "/l", pipe = dir + "/p", missing = dir + "/m";
  std::ofstream(file) << "x";
  ASSERT_EQ(::symlink(dir.c_str(), link.c_str()), 0);  // a link, even to a directory, is replaced
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_FALSE(emplacement_bloque(file));
  EXPECT_FALSE(emplacement_bloque(link));
  EXPECT_FALSE(emplacement_bloque(missing));
  EXPECT_TRUE(emplacement_bloque(pipe));
  EXPECT_TRUE(emplacement_bloque(dir));
}

// A program killed at any moment of a snapshot write leaves the slot with
// the old whole file or the new whole file, never a part.
TEST_F(BlockedSlot, AKillDuringWritesNeverLeavesATruncatedSnapshot) {
  const std::string slot = dir + "/~100.bmp";
  const std::vector<std::uint8_t> picture = encode_bmp(Bitmap(1024, 768, clRed));
  for (int round = 0; round < 12; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (;;) write_file_atomically(slot, picture, Durability::unflushed);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500 + 1700 * round));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!std::filesystem::exists(slot)) continue;
    std::ifstream in(slot, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(bytes.size(), picture.size()) << "round " << round;
    EXPECT_EQ(picture_defect(bytes), std::nullopt) << "round " << round;
  }
}

}  // namespace
}  // namespace korvel
