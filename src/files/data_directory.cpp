#include "files/data_directory.h"

#include <array>
#include <string_view>

namespace korvel {

namespace {

// The system's own program directories: writable by root, but an installed
// program run by root must not leave its snapshots among the system's files.
bool is_system_directory(std::string_view dir) {
  constexpr std::array<std::string_view, 7> kSystem{"/usr", "/bin", "/sbin", "/lib", "/lib64", "/opt", "/snap"};
  for (const std::string_view top : kSystem) {
    if (dir.starts_with(top) && (dir.size() == top.size() || dir[top.size()] == '/')) return true;
  }
  return false;
}

}  // namespace

std::string data_directory(const TextFiles& files, const std::string& rep_prog, const std::string& user_data_dir) {
  if (user_data_dir.empty()) return rep_prog;
  if (is_system_directory(rep_prog) || !files.directory_writable(rep_prog)) return user_data_dir;
  return rep_prog;
}

void prepare_data_directory(TextFiles& files, const std::string& directory, const std::string& rep_prog) {
  if (directory != rep_prog) files.make_directories(directory);
}

}  // namespace korvel
