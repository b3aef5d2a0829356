// Where an installed program keeps its files and starts saving, and the
// one-time move of what an earlier version left in the data directory.
#include "files/data_directory.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

#include "support/form_fixture.h"

namespace korvel {
namespace {

TEST(UserDirectories, AbsoluteXdgValuesAreUsedAndOthersIgnored) {
  struct Case {
    std::map<std::string, std::string> environment;
    UserDirectories expected;
  };
  const Case cases[] = {
      {{{"HOME", "/home/u"}},
       {"/home/u/.config/korvel", "/home/u/.local/state/korvel", "/home/u/.local/share/korvel", "/p"}},
      {{{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "/c"}, {"XDG_STATE_HOME", "/s"}, {"XDG_DATA_HOME", "/d"}},
       {"/c/korvel", "/s/korvel", "/d/korvel", "/p"}},
      {{{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "c"}, {"XDG_STATE_HOME", "./s"}, {"XDG_DATA_HOME", "d/x"}},
       {"/home/u/.config/korvel", "/home/u/.local/state/korvel", "/home/u/.local/share/korvel", "/p"}},
      {{{"HOME", "home"}, {"XDG_STATE_HOME", "/s"}}, {"", "/s/korvel", "", "/p"}},
      {{}, {"", "", "", "/p"}},
  };
  for (const Case& c : cases) {
    const auto env = [&](const char* name) { return c.environment.count(name) ? c.environment.at(name) : ""; };
    const UserDirectories d = xdg_user_directories(env, "/p");
    EXPECT_EQ(d.config + "|" + d.state + "|" + d.old_data + "|" + d.pictures,
              c.expected.config + "|" + c.expected.state + "|" + c.expected.old_data + "|" + c.expected.pictures);
  }
}

// Root may write in /usr/bin, but an installed program keeps its files in
// the user's home all the same.
TEST(FileHomes, PerUserForSystemAndReadOnlyProgramDirectoriesOnly) {
  testing::MemoryTextFiles files;
  files.read_only_dirs.insert("/home/u/ro");
  const UserDirectories user = testing::home_directories("/root");
  for (const char* dir : {"/usr/bin", "/usr/local/bin", "/opt/korvel", "/bin", "/snap/korvel/1/bin", "/home/u/ro"}) {
    const FileHomes h = file_homes(files, dir, user);
    EXPECT_TRUE(h.per_user && h.settings == user.config && h.snapshots == user.state && h.pictures == user.pictures)
        << dir;
  }
  for (const char* dir : {"/usrlocal/korvel", "/home/u/korvel/build", "/tmp/korvel"})
    EXPECT_EQ(file_homes(files, dir, user).settings + file_homes(files, dir, user).pictures, std::string(dir) + dir);
  EXPECT_EQ(file_homes(files, "/usr/bin", {}).snapshots, "/usr/bin");  // no home known
}

// An installed program on a home of its user.
struct InstalledForm : testing::StartedForm {
  explicit InstalledForm(const std::map<std::string, std::string>& files_before = {})
      : StartedForm(64, 48, "/usr/bin/korvel", [&](testing::MemoryTextFiles& t) { t.files = files_before; }) {}
};

TEST(FileHomes, AnInstalledProgramStartsSavingInThePicturesFolderUnlessADirectoryIsStored) {
  InstalledForm installed;
  EXPECT_EQ(installed->Label_rep.caption(), "/home/user/Pictures");
  EXPECT_EQ(installed.text_files.made_dirs, std::vector<std::string>{"/home/user/Pictures"});
  std::string lines;
  for (const char* line : {"10", "0", "0", "false", "4227327", "/home/user/dessins", "image.bmp"})
    lines += std::string(line) + "\r\n";
  InstalledForm stored({{"/home/user/.config/korvel/korvel.prm", lines}});
  EXPECT_EQ(stored->Label_rep.caption(), "/home/user/dessins");
  testing::StartedForm built(64, 48);  // a writable build directory
  EXPECT_EQ(built->Label_rep.caption(), built->rep_prog);
  EXPECT_TRUE(built.text_files.made_dirs.empty());
}

TEST(FileHomes, WhatAnEarlierVersionLeftMovesOnceAndReplacesNothing) {
  const std::string old = "/home/user/.local/share/korvel", state = "/home/user/.local/state/korvel";
  const std::string config = "/home/user/.config/korvel";
  InstalledForm f({{old + "/korvel.prm", "10\r\n1\r\n"},
                   {old + "/~100.bmp", "old 0"},
                   {old + "/~101.bmp", "old 1"},
                   {old + "/~109.bmp", "old 9"},
                   {old + "/image.bmp", "a picture of the user's"},
                   {state + "/~101.bmp", "new 1"}});
  const std::map<std::string, std::string> expected{{config + "/korvel.prm", "10\r\n1\r\n"},
                                                    {state + "/~100.bmp", "old 0"},
                                                    {old + "/~101.bmp", "old 1"},
                                                    {state + "/~101.bmp", "new 1"},
                                                    {state + "/~109.bmp", "old 9"},
                                                    {old + "/image.bmp", "a picture of the user's"}};
  EXPECT_EQ(f.text_files.files, expected);
  EXPECT_EQ(f->RadioGroup_type_trace.item_index(), 1);  // the moved settings were read
  InstalledForm again(f.text_files.files);
  EXPECT_EQ(again.text_files.files, expected);
  // Beside a writable program nothing moves.
  testing::StartedForm built(64, 48, testing::StartedForm::default_program_path(),
                             [&](testing::MemoryTextFiles& t) { t.files = {{old + "/korvel.prm", "x"}}; });
  EXPECT_EQ(built.text_files.files.count(old + "/korvel.prm"), 1u);
}

}  // namespace
}  // namespace korvel

namespace korvel {
namespace {

// Which ring a program takes, given the rings other running programs hold.
TEST(SnapshotRings, EachRunningProgramTakesARingNoneHolds) {
  const std::string s = "/home/u/.local/state/korvel";
  struct Case {
    std::set<std::string> held_elsewhere, absent;
    RingTaking how;
    RingChoice::Outcome outcome;
    std::string directory;
  };
  std::set<std::string> all_held;
  for (int ring = 1; ring <= kSnapshotRings; ++ring) all_held.insert(snapshot_ring(s, ring));
  const Case cases[] = {
      {{}, {}, RingTaking::existing_only, RingChoice::Outcome::taken, s},
      {{s}, {s + "/ring-2"}, RingTaking::existing_only, RingChoice::Outcome::taken, s + "/ring-2"},
      {{s, s + "/ring-2"}, {}, RingTaking::existing_only, RingChoice::Outcome::taken, s + "/ring-3"},
      {{s + "/ring-2"}, {}, RingTaking::existing_only, RingChoice::Outcome::taken, s},  // the first ended
      {{}, {s}, RingTaking::existing_only, RingChoice::Outcome::not_yet, s},             // made with a snapshot
      {{}, {s}, RingTaking::making_it, RingChoice::Outcome::taken, s},
      {all_held, {}, RingTaking::making_it, RingChoice::Outcome::none_free, s},
  };
  for (const Case& c : cases) {
    testing::MemoryTextFiles files;
    files.held_elsewhere = c.held_elsewhere;
    files.absent_dirs = c.absent;
    const RingChoice choice = take_snapshot_ring(files, s, "/usr/bin", c.how);
    EXPECT_EQ(choice.outcome, c.outcome) << c.directory;
    EXPECT_EQ(choice.directory, c.directory);
    if (choice.outcome == RingChoice::Outcome::taken)
      EXPECT_EQ(files.held, std::vector<std::string>{c.directory});
    else
      EXPECT_TRUE(files.held.empty());
    // Only the ring taken is made, and only when it was missing.
    for (const std::string& made : files.made_dirs) EXPECT_TRUE(made == c.directory && c.absent.count(made)) << made;
  }
}

// A second program beside a running one: its strokes go to a ring of its
// own, the first one's files are never written; past the last ring it says
// so once and draws on without snapshots.
TEST(SnapshotRings, ASecondProgramWritesItsOwnRingAndThe17thNone) {
  const auto started = [](const std::set<std::string>& held) {
    return std::make_unique<testing::StartedForm>(32, 32, testing::StartedForm::default_program_path(),
                                                  [&](testing::MemoryTextFiles& t) { t.held_elsewhere = held; });
  };
  const std::string program = testing::StartedForm::default_program_path();
  const std::string dir = program.substr(0, program.rfind('/'));
  auto second = started({dir});
  second->canvas().Brush.Color = clRed;
  second->canvas().FillRect(0, 0, 8, 8);
  (*second)->wb();
  (*second)->affiche_fic_precedent();
  EXPECT_EQ((*second)->nom_fic, dir + "/ring-2/~100.bmp");
  EXPECT_TRUE(second->files.exists(dir + "/ring-2/~100.bmp"));
  EXPECT_FALSE(second->files.exists(dir + "/~100.bmp"));

  std::set<std::string> all_held;
  for (int ring = 1; ring <= kSnapshotRings; ++ring) all_held.insert(snapshot_ring(dir, ring));
  auto seventeenth = started(all_held);
  for (int k = 0; k < 3; ++k) (*seventeenth)->wb();
  ASSERT_EQ(seventeenth->desktop.messages.size(), 1u);
  EXPECT_EQ(seventeenth->desktop.messages[0],
            "Seize autres Korvel sont ouverts. Les traits ne seront pas gardés pour revenir en arrière.");
  EXPECT_EQ((*seventeenth)->indice_fic, -1);
  EXPECT_TRUE(seventeenth->files.writes.empty());
}

}  // namespace
}  // namespace korvel
