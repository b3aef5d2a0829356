#include "platform/own_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/text.h"

namespace korvel {

std::string texte_erreur_systeme(int error_number) {
  switch (error_number) {
    case ENOSPC: return "le disque est plein";
    case EDQUOT: return "le quota d'espace disque est dépassé";
    case EFBIG: return "le fichier dépasse la taille permise";
    case EACCES:
    case EPERM: return "l'accès est refusé";
    case EROFS: return "le disque est en lecture seule";
    case ENOENT: return "le dossier n'existe pas";
    case ENOTDIR: return "un élément du chemin n'est pas un dossier";
    case EISDIR: return "un dossier porte ce nom";
    case ENAMETOOLONG: return "le nom est trop long";
    case EIO: return "erreur de lecture ou d'écriture du disque";
    case EMFILE:
    case ENFILE: return "trop de fichiers ouverts";
    case ELOOP: return "trop de liens symboliques";
    case EBUSY: return "le fichier est occupé";
    default: return "erreur système " + IntToStr(error_number);
  }
}

namespace {

// Closes the descriptor and removes the temporary file unless released.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string target) : m_name(std::move(target) + ".XXXXXX") {
    m_fd = ::mkostemp(m_name.data(), O_CLOEXEC);
    m_created = m_fd >= 0;
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (m_fd >= 0) ::close(m_fd);
    if (m_created && !m_released) ::unlink(m_name.c_str());
  }
  bool opened() const { return m_fd >= 0; }
  int fd() const { return m_fd; }
  const std::string& name() const { return m_name; }
  // Closes the descriptor; false (errno set) when the close reports an error.
  bool close() {
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
  }
  void release() { m_released = true; }

 private:
  std::string m_name;
  int m_fd = -1;
  bool m_created = false;  // only a file we made is ever removed
  bool m_released = false;
};

[[noreturn]] void fail(const std::string& path, int error_number) {
  throw EInOutError("Impossible d'écrire " + path + " : " + texte_erreur_systeme(error_number));
}

bool write_all(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {
      errno = ENOSPC;
      return false;
    }
    bytes = bytes.subspan(std::size_t(n));
  }
  return true;
}

}  // namespace

namespace {

// The temporary file, filled and on disk, readable as the user's other files.
void fill(TemporaryFile& temporary, const std::string& path, std::span<const std::uint8_t> bytes,
          Durability durability) {
  if (!temporary.opened()) fail(path, errno);
  // mkstemp makes the file private; a picture or a settings file is as
  // readable as any other file the user creates.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  if (::fchmod(temporary.fd(), 0666 & ~mask) != 0) fail(path, errno);
  if (!write_all(temporary.fd(), bytes)) fail(path, errno);
  if (durability == Durability::flushed && ::fsync(temporary.fd()) != 0) fail(path, errno);
  if (!temporary.close()) fail(path, errno);
}

}  // namespace

void write_file_atomically(const std::string& path, std::span<const std::uint8_t> bytes, Durability durability) {
  TemporaryFile temporary(path);
  fill(temporary, path, bytes, durability);
  // rename replaces the name itself: a link there is replaced, its target
  // is left alone.
  if (::rename(temporary.name().c_str(), path.c_str()) != 0) fail(path, errno);
  temporary.release();
}

bool write_new_file_atomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  TemporaryFile temporary(path);
  fill(temporary, path, bytes, Durability::flushed);
  // A hard link takes the name only if it is free; the temporary name then
  // goes with the temporary file.
  if (::link(temporary.name().c_str(), path.c_str()) != 0) {
    if (errno == EEXIST) return false;
    fail(path, errno);
  }
  return true;
}

}  // namespace korvel
