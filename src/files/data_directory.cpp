#include "files/data_directory.h"

namespace korvel {

std::string data_directory(const TextFiles& files, const std::string& rep_prog, const std::string& user_data_dir) {
  if (user_data_dir.empty() || files.directory_writable(rep_prog)) return rep_prog;
  return user_data_dir;
}

void prepare_data_directory(TextFiles& files, const std::string& directory, const std::string& rep_prog) {
  if (directory != rep_prog) files.make_directories(directory);
}

}  // namespace korvel
