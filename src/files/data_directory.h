#pragma once
// Where the program keeps its own files (the snapshots and korvel.prm), and
// where the first save starts.
#include <cstdint>
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

// How many programs can keep a ring of snapshots each at the same time.
inline constexpr int kSnapshotRings = 16;

// Ring `ring` (1 to kSnapshotRings) of the snapshots directory: the
// directory itself, then its subdirectories ring-2, ring-3...
std::string snapshot_ring(const std::string& snapshots, int ring);

enum class RingTaking : std::uint8_t { existing_only, making_it };

struct RingChoice {
  enum class Outcome : std::uint8_t { taken, not_yet, none_free };
  Outcome outcome = Outcome::taken;
  std::string directory;
};

// The ring of snapshots of this run: `snapshots` itself unless another
// running program holds it, else the first ring that none holds, made as
// needed. Each program holds its ring until it ends, so no two running
// programs write or step through the same files, and an ended program's
// ring goes to the next start. `not_yet` while `snapshots` does not exist
// and may not be made (`existing_only`); `none_free` when every ring is
// held. A directory that cannot be made or held is taken as it is: writing
// there says what is wrong.
RingChoice take_snapshot_ring(TextFiles& files, const std::string& snapshots, const std::string& rep_prog,
                              RingTaking how);

// Moves the settings file and the snapshots that an earlier version left in
// `user.old_data` to their new homes, each by one atomic move that replaces
// nothing: a file whose new place is taken stays where it is. Nothing happens
// beside a writable program. Failures leave the old files in place; the next
// start tries again.
void move_earlier_files(TextFiles& files, const FileHomes& homes, const UserDirectories& user);

}  // namespace korvel
