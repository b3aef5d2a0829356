#pragma once
// Where the program keeps its own files (the snapshots and korvel.prm).
#include <string>

#include "platform/text_files.h"

namespace korvel {

// The program's directory when files can be created there and it is not one
// of the system's program directories (/usr, /opt, ...), else the per-user
// data directory: an installed program keeps its files in the user's home,
// also when run by root.
// With no per-user directory known, the program's directory.
std::string data_directory(const TextFiles& files, const std::string& rep_prog, const std::string& user_data_dir);

// Creates the data directory on demand, before a file is written there; the
// program's own directory is never created.
void prepare_data_directory(TextFiles& files, const std::string& directory, const std::string& rep_prog);

}  // namespace korvel
