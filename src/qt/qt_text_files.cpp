#include "qt/qt_text_files.h"

#include <fcntl.h>
#include <dirent.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <span>

#include "platform/own_files.h"
#include "platform/text.h"

namespace korvel::qt {

namespace {

// Closes the descriptor on every way out.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

std::optional<std::string> QtTextFiles::read(const std::string& path, std::size_t max_bytes) {
  // Non-blocking, so that a pipe at that name cannot hold the window.
  const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
  if (file.fd < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  if (std::uintmax_t(info.st_size) > max_bytes) return std::nullopt;
  std::string bytes;
  char buffer[16384];
  for (;;) {
    const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) return bytes;
    bytes.append(buffer, std::size_t(n));
    // A file that grows while it is read is bounded all the same.
    if (bytes.size() > max_bytes) return std::nullopt;
  }
}

void QtTextFiles::write(const std::string& path, const std::string& bytes) {
  write_file_atomically(path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

void QtTextFiles::write_unflushed(const std::string& path, const std::string& bytes) {
  write_file_atomically(path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                        Durability::unflushed);
}

std::vector<TextFiles::Entry> QtTextFiles::list_files(const std::string& dir) const {
  std::vector<Entry> entries;
  DIR* stream = ::opendir(dir.c_str());
  if (!stream) return entries;
  while (const dirent* entry = ::readdir(stream)) {
    struct stat info {};
    // lstat: a link is not one of our files, whatever it points to.
    if (::fstatat(::dirfd(stream), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode))
      entries.push_back({entry->d_name, std::uint64_t(info.st_size)});
  }
  ::closedir(stream);
  return entries;
}

void QtTextFiles::remove(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT)
    throw EInOutError("Impossible de supprimer " + path + " : " + texte_erreur_systeme(errno));
}

bool QtTextFiles::directory_writable(const std::string& dir) const {
  struct stat info {};
  return ::stat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && ::access(dir.c_str(), W_OK | X_OK) == 0;
}

void QtTextFiles::make_directories(const std::string& dir) {
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (!error && !std::filesystem::is_directory(dir, error)) error = std::make_error_code(std::errc::not_a_directory);
  if (error) throw EInOutError("Impossible de créer le dossier " + dir + " : " + texte_erreur_systeme(error.value()));
}

bool QtTextFiles::is_regular_file(const std::string& path) const {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool QtTextFiles::move_without_replacing(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno == EEXIST) return false;
  if (errno != EXDEV && errno != EINVAL && errno != ENOSYS)
    throw EInOutError("Impossible de déplacer " + from + " : " + texte_erreur_systeme(errno));
  // Another file system, or one that cannot rename without replacing.
  constexpr std::size_t kLargestOwnFile = std::size_t(1) << 30;
  const auto bytes = read(from, kLargestOwnFile);
  if (!bytes) throw EInOutError("Impossible de lire " + from);
  if (!write_new_file_atomically(to, std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size())))
    return false;
  ::unlink(from.c_str());
  return true;
}

QtTextFiles::~QtTextFiles() {
  for (const int fd : m_held) ::close(fd);
}

DirectoryHold QtTextFiles::hold_directory(const std::string& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? DirectoryHold::missing : DirectoryHold::failed;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    return error == EWOULDBLOCK ? DirectoryHold::held_by_another : DirectoryHold::failed;
  }
  m_held.push_back(fd);
  return DirectoryHold::held;
}

}  // namespace korvel::qt
