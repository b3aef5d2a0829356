#pragma once
// Where the program keeps its own files (the snapshots and korvel.prm), and
// where the first save starts.
#include <functional>
#include <string>

#include "platform/text_files.h"
#include "platform/user_directories.h"

namespace korvel {

// The value of an environment variable, empty when it is unset.
using Environment = std::function<std::string(const char* name)>;

// The XDG base directories of the user whose home is $HOME, with "korvel"
// appended: an unset, empty or relative value is ignored for its default
// under the home ($HOME/.config, $HOME/.local/state, $HOME/.local/share).
// Without an absolute $HOME, those defaults are empty. `pictures` is passed
// through.
UserDirectories xdg_user_directories(const Environment& environment, const std::string& pictures);

// The directories each kind of file goes to.
struct FileHomes {
  std::string settings, snapshots, pictures;
  bool per_user = false;
};

// The program's directory for all three when files can be created there and
// it is not one of the system's program directories (/usr, /opt, ...);
// else the user's directories: an installed program keeps its files in the
// user's home, also when run by root. A user directory that is unknown
// falls back on the program's directory.
FileHomes file_homes(const TextFiles& files, const std::string& rep_prog, const UserDirectories& user);

// Where the time-lapse is recorded: the user's state directory, whatever
// the program's directory is, or the snapshots' home when it is unknown.
std::string recording_directory(const FileHomes& homes, const UserDirectories& user);

// Creates the data directory on demand, before a file is written there; the
// program's own directory is never created.
void prepare_data_directory(TextFiles& files, const std::string& directory, const std::string& rep_prog);

// Moves the settings file and the snapshots that an earlier version left in
// `user.old_data` to their new homes, each by one atomic move that replaces
// nothing: a file whose new place is taken stays where it is. Nothing happens
// beside a writable program. Failures leave the old files in place; the next
// start tries again.
void move_earlier_files(TextFiles& files, const FileHomes& homes, const UserDirectories& user);

}  // namespace korvel
