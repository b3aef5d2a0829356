// The program's own files on the real file system: what reads as missing,
// atomic replacement, the data directory made on demand.
#include "qt/qt_text_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "files/data_directory.h"
#include "platform/text.h"

namespace korvel::qt {
namespace {

namespace fs = std::filesystem;

void put(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct TextFilesTest : ::testing::Test {
  QTemporaryDir temporary;
  fs::path dir{temporary.path().toStdString()};
  QtTextFiles files;
};

// The time-lapse's directory: links are none of its files, and removing
// one never reaches what it points to.
TEST_F(TextFilesTest, ListsAndRemovesOwnFilesNeverThroughALink) {
  put(dir / "frame-1.kvf", "abc");
  put(dir / "elsewhere", "keep");
  fs::create_symlink(dir / "elsewhere", dir / "frame-2.kvf");
  fs::create_directory(dir / "sub");
  files.write_unflushed((dir / "frame-3.kvf").string(), "12345");
  std::vector<std::pair<std::string, std::uint64_t>> listed;
  for (const auto& entry : files.list_files(dir.string())) listed.emplace_back(entry.name, entry.size);
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, (std::vector<std::pair<std::string, std::uint64_t>>{
                        {"elsewhere", 4}, {"frame-1.kvf", 3}, {"frame-3.kvf", 5}}));
  files.remove((dir / "frame-2.kvf").string());
  files.remove((dir / "missing.kvf").string());
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "frame-2.kvf")));
  EXPECT_EQ(contents(dir / "elsewhere"), "keep");
  EXPECT_TRUE(files.list_files((dir / "none").string()).empty());
}

TEST_F(TextFilesTest, ReadsRegularFilesWithinTheirBound) {
  put(dir / "a.prm", "1\r\n2\r\n");
  EXPECT_EQ(files.read((dir / "a.prm").string(), 100), "1\r\n2\r\n");
  EXPECT_EQ(files.read((dir / "a.prm").string(), 5), std::nullopt);
  EXPECT_EQ(files.read((dir / "none.prm").string(), 100), std::nullopt);
}

TEST_F(TextFilesTest, ADirectoryOrAPipeInPlaceOfTheFileReadsAsMissingAtOnce) {
  fs::create_directory(dir / "d.prm");
  EXPECT_EQ(files.read((dir / "d.prm").string(), 100), std::nullopt);
  ASSERT_EQ(::mkfifo((dir / "p.prm").c_str(), 0600), 0);
  EXPECT_EQ(files.read((dir / "p.prm").string(), 100), std::nullopt);  // no writer: would block
}

TEST_F(TextFilesTest, AFileWithoutReadPermissionReadsAsMissing) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  put(dir / "locked.prm", "x");
  fs::permissions(dir / "locked.prm", fs::perms::none);
  EXPECT_EQ(files.read((dir / "locked.prm").string(), 100), std::nullopt);
}

TEST_F(TextFilesTest, WritingReplacesALinkNotItsTarget) {
  put(dir / "other.txt", "not ours");
  fs::create_symlink(dir / "other.txt", dir / "korvel.prm");
  files.write((dir / "korvel.prm").string(), "10\r\n");
  EXPECT_EQ(contents(dir / "other.txt"), "not ours");
  EXPECT_FALSE(fs::is_symlink(dir / "korvel.prm"));
  EXPECT_EQ(contents(dir / "korvel.prm"), "10\r\n");
}

TEST_F(TextFilesTest, AFailedWriteLeavesTheOldFileAndSaysWhy) {
  fs::create_directory(dir / "korvel.prm");  // cannot be replaced by a file
  try {
    files.write((dir / "korvel.prm").string(), "x");
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find("un dossier porte ce nom"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(fs::is_directory(dir / "korvel.prm"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);  // no temporary left
}

TEST_F(TextFilesTest, TheDataDirectoryIsTheProgramsWhenWritableAndMadeOnDemandElse) {
  const std::string program = dir.string(), data = (dir / "state" / "korvel").string();
  const UserDirectories user{"", data, "", ""};
  EXPECT_EQ(file_homes(files, program, user).snapshots, program);
  EXPECT_EQ(file_homes(files, (dir / "missing").string(), user).snapshots, data);
  EXPECT_FALSE(files.directory_writable((dir / "missing").string()));
  prepare_data_directory(files, data, program);
  EXPECT_TRUE(fs::is_directory(data));
  put(dir / "file", "");
  EXPECT_THROW(files.make_directories((dir / "file" / "sub").string()), EInOutError);
}

// Within one file system and across two (/dev/shm is a memory file system):
// the file arrives whole under its new name, and a name that is taken is
// never replaced.
TEST_F(TextFilesTest, AMoveReplacesNothing) {
  QTemporaryDir other(QStringLiteral("/dev/shm/korvel-move-XXXXXX"));
  // The second move must cross file systems, or the copy is never tried.
  ASSERT_TRUE(other.isValid());
  struct stat here {}, there {};
  ASSERT_EQ(::stat(dir.c_str(), &here), 0);
  ASSERT_EQ(::stat(other.path().toStdString().c_str(), &there), 0);
  ASSERT_NE(here.st_dev, there.st_dev);
  for (const fs::path& to_dir : {dir / "new", fs::path(other.path().toStdString())}) {
    fs::create_directories(to_dir);
    put(dir / "old.prm", "old");
    ASSERT_TRUE(files.move_without_replacing((dir / "old.prm").string(), (to_dir / "a.prm").string())) << to_dir;
    EXPECT_FALSE(fs::exists(dir / "old.prm"));
    EXPECT_EQ(contents(to_dir / "a.prm"), "old");
    put(dir / "old.prm", "older");
    EXPECT_FALSE(files.move_without_replacing((dir / "old.prm").string(), (to_dir / "a.prm").string()));
    EXPECT_EQ(contents(dir / "old.prm"), "older");
    EXPECT_EQ(contents(to_dir / "a.prm"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(to_dir), fs::directory_iterator()), 1);  // no temporary left
  }
  EXPECT_FALSE(files.is_regular_file((dir / "new").string()));
  EXPECT_TRUE(files.is_regular_file((dir / "old.prm").string()));
}

}  // namespace
}  // namespace korvel::qt
