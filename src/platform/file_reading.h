#pragma once
// Reading a file that a person may have put anywhere: only a regular file
// is read (a pipe or a device would never end, or block), and only the
// parts asked for.
#include <cstdint>
#include <string>
#include <vector>

namespace korvel {

// A regular file open for reading (links followed). Failures throw
// EInOutError "Impossible de lire <path> : <cause>", the cause in words.
class RegularFile {
 public:
  explicit RegularFile(const std::string& path);
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;
  ~RegularFile();

  // The size the file had when it was opened.
  std::uint64_t size() const { return m_size; }
  // The bytes from `at` on, at most `count`: fewer where the file ends.
  std::vector<std::uint8_t> read(std::uint64_t at, std::uint64_t count) const;
  // The first offset from `at` on that is not in a hole of a sparse file
  // (holes read as zeros): the size when none is; `at` when the file
  // system does not tell.
  std::uint64_t data_from(std::uint64_t at) const;

 private:
  // Refuses the file at opening.
  [[noreturn]] void fail(const std::string& cause);

  std::string m_path;
  int m_fd = -1;
  std::uint64_t m_size = 0;
};

}  // namespace korvel
