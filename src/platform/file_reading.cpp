#include "platform/file_reading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/own_files.h"
#include "platform/text.h"

namespace korvel {

namespace {

[[noreturn]] void fail(const std::string& path, const std::string& cause) {
  throw EInOutError("Impossible de lire " + path + " : " + cause);
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  int fd() const { return m_fd; }

 private:
  int m_fd;
};

}  // namespace

std::vector<std::uint8_t> read_whole_file(const std::string& path, std::uint64_t max_bytes) {
  // Non-blocking, so that opening a named pipe returns at once.
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.fd() < 0) fail(path, texte_erreur_systeme(errno));
  struct stat info {};
  if (::fstat(file.fd(), &info) != 0) fail(path, texte_erreur_systeme(errno));
  if (!S_ISREG(info.st_mode)) fail(path, "ce n'est pas un fichier ordinaire");
  if (std::uint64_t(info.st_size) > max_bytes) fail(path, "le fichier est trop grand");
  std::vector<std::uint8_t> bytes(std::size_t(info.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(file.fd(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail(path, texte_erreur_systeme(errno));
    if (n == 0) break;  // shrunk while we read: what is there is the file
    done += std::size_t(n);
  }
  bytes.resize(done);
  return bytes;
}

}  // namespace korvel
