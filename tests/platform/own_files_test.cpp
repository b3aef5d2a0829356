#include "platform/own_files.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

#include "platform/text.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

class OwnFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/korvel-own-files-XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir = tmpl;
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  void write(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }
  static std::span<const std::uint8_t> bytes_of(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
  }
  // Only the named entries are in the directory: no temporary is left.
  void expect_only(std::initializer_list<const char*> names) {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
      ++count;
      EXPECT_TRUE(std::find_if(names.begin(), names.end(), [&](const char* n) {
                    return entry.path().filename() == n;
                  }) != names.end())
          << entry.path();
    }
    EXPECT_EQ(count, names.size());
  }
  fs::path dir;
};

TEST_F(OwnFiles, WritesAndReplacesWholeFilesWithTheUsersPermissions) {
  const std::string path = dir / "a.bin";
  write_file_atomically(path, bytes_of(std::string("first\0x", 7)));
  EXPECT_EQ(read(path), std::string("first\0x", 7));
  write_file_atomically(path, bytes_of("second"), Durability::unflushed);
  EXPECT_EQ(read(path), "second");
  write_file_atomically(path, {});
  EXPECT_EQ(read(path), "");
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(fs::status(path).permissions(), fs::perms(0666 & ~mask));
  expect_only({"a.bin"});
}

TEST_F(OwnFiles, ALinkIsReplacedNeverWrittenThrough) {
  write(dir / "victim.txt", "keep me");
  fs::create_symlink(dir / "victim.txt", dir / "slot.bmp");
  fs::create_symlink(dir / "missing" / "nowhere.txt", dir / "dangling.bmp");
  write_file_atomically(dir / "slot.bmp", bytes_of("picture"));
  write_file_atomically(dir / "dangling.bmp", bytes_of("picture"));
  EXPECT_EQ(read(dir / "victim.txt"), "keep me");
  EXPECT_FALSE(fs::is_symlink(dir / "slot.bmp"));
  EXPECT_FALSE(fs::is_symlink(dir / "dangling.bmp"));
  EXPECT_EQ(read(dir / "slot.bmp"), "picture");
  EXPECT_FALSE(fs::exists(dir / "missing"));
}

TEST_F(OwnFiles, FailuresNameTheCauseAndLeaveTheOldFile) {
  fs::create_directory(dir / "busy.bmp");
  try {
    write_file_atomically(dir / "busy.bmp", bytes_of("x"));
    FAIL() << "a directory was replaced";
  } catch (const EInOutError& e) {
    EXPECT_EQ(std::string(e.what()), "Impossible d'écrire " + (dir / "busy.bmp").string() + " : un dossier porte ce nom");
  }
  EXPECT_TRUE(fs::is_directory(dir / "busy.bmp"));
  EXPECT_THROW(write_file_atomically(dir / "no" / "such" / "dir.bmp", bytes_of("x")), EInOutError);
  expect_only({"busy.bmp"});
}

// Under a file-size limit the system sends SIGXFSZ, which ends a process by
// default; the program ignores it, and then the write reports EFBIG.
TEST_F(OwnFiles, AFileSizeLimitIsAReportedFailure) {
  const std::string path = dir / "big.bin";
  write(path, "old");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    try {
      write_file_atomically(path, std::vector<std::uint8_t>(100000, 7));
    } catch (const EInOutError& e) {
      _exit(std::string(e.what()).ends_with("le fichier dépasse la taille permise") ? 0 : 2);
    }
    _exit(3);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(read(path), "old");
  expect_only({"big.bin"});
}

TEST(OwnFilesText, NamesCommonCausesInFrench) {
  EXPECT_EQ(texte_erreur_systeme(ENOSPC), "le disque est plein");
  EXPECT_EQ(texte_erreur_systeme(EACCES), "l'accès est refusé");
  EXPECT_EQ(texte_erreur_systeme(123456), "erreur système 123456");
}

}  // namespace
}  // namespace korvel
