#include "platform/file_reading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/own_files.h"
#include "platform/text.h"

namespace korvel {

RegularFile::RegularFile(const std::string& path) : m_path(path) {
  // Non-blocking, so that opening a named pipe returns at once.
  m_fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (m_fd < 0) fail(texte_erreur_systeme(errno));
  struct stat info {};
  if (::fstat(m_fd, &info) != 0) fail(texte_erreur_systeme(errno));
  if (!S_ISREG(info.st_mode)) fail("ce n'est pas un fichier ordinaire");
  m_size = std::uint64_t(info.st_size);
}

RegularFile::~RegularFile() {
  if (m_fd >= 0) ::close(m_fd);
}

void RegularFile::fail(const std::string& cause) {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
  throw EInOutError("Impossible de lire " + m_path + " : " + cause);
}

std::vector<std::uint8_t> RegularFile::read(std::uint64_t at, std::uint64_t count) const {
  std::vector<std::uint8_t> bytes(std::size_t(std::min(count, at < m_size ? m_size - at : 0)));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pread(m_fd, bytes.data() + done, bytes.size() - done, off_t(at + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw EInOutError("Impossible de lire " + m_path + " : " + texte_erreur_systeme(errno));
    if (n == 0) break;  // shrunk while we read: what is there is the file
    done += std::size_t(n);
  }
  bytes.resize(done);
  return bytes;
}

std::uint64_t RegularFile::data_from(std::uint64_t at) const {
  const off_t data = ::lseek(m_fd, off_t(at), SEEK_DATA);
  if (data >= 0) return std::uint64_t(data);
  return errno == ENXIO ? std::max(at, m_size) : at;
}

}  // namespace korvel
