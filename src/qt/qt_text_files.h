#pragma once
// The program's own small files on the real file system.
#include <vector>

#include "platform/text_files.h"

namespace korvel::qt {

class QtTextFiles : public TextFiles {
 public:
  QtTextFiles() = default;
  QtTextFiles(const QtTextFiles&) = delete;
  QtTextFiles& operator=(const QtTextFiles&) = delete;
  ~QtTextFiles() override;
  // Only a regular file is read; a directory, a pipe or a device in its
  // place reads as missing, without waiting.
  std::optional<std::string> read(const std::string& path, std::size_t max_bytes) override;
  // Temporary file and rename, flushed to disk.
  void write(const std::string& path, const std::string& bytes) override;
  bool directory_writable(const std::string& dir) const override;
  void make_directories(const std::string& dir) override;
  bool is_regular_file(const std::string& path) const override;
  // A rename that replaces nothing; across file systems, a copy made whole
  // under the new name, then the old name removed.
  bool move_without_replacing(const std::string& from, const std::string& to) override;
  void write_unflushed(const std::string& path, const std::string& bytes) override;
  std::vector<Entry> list_files(const std::string& dir) const override;
  void remove(const std::string& path) override;
  // An exclusive flock on the open directory: the system lets it go when the
  // program ends, even by a crash.
  DirectoryHold hold_directory(const std::string& dir) override;

 private:
  std::vector<int> m_held;  // descriptors of the directories held
};

}  // namespace korvel::qt
