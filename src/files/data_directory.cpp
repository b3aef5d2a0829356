#include "files/data_directory.h"

#include <array>
#include <string_view>

#include "files/parameter_file.h"
#include "files/snapshot_history.h"
#include "platform/text.h"

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

bool is_absolute(const std::string& path) { return !path.empty() && path.front() == '/'; }

// $VARIABLE/korvel when the value is absolute, else $HOME/fallback/korvel.
std::string xdg_directory(const Environment& environment, const char* variable, const std::string& home,
                          const char* fallback) {
  const std::string value = environment(variable);
  if (is_absolute(value)) return value + "/korvel";
  return home.empty() ? std::string() : home + "/" + fallback + "/korvel";
}

}  // namespace

UserDirectories xdg_user_directories(const Environment& environment, const std::string& pictures) {
  std::string home = environment("HOME");
  if (!is_absolute(home)) home.clear();
  return {xdg_directory(environment, "XDG_CONFIG_HOME", home, ".config"),
          xdg_directory(environment, "XDG_STATE_HOME", home, ".local/state"),
          xdg_directory(environment, "XDG_DATA_HOME", home, ".local/share"), pictures};
}

FileHomes file_homes(const TextFiles& files, const std::string& rep_prog, const UserDirectories& user) {
  if (!is_system_directory(rep_prog) && files.directory_writable(rep_prog))
    return {rep_prog, rep_prog, rep_prog, false};
  const auto or_program = [&](const std::string& dir) { return dir.empty() ? rep_prog : dir; };
  return {or_program(user.config), or_program(user.state), or_program(user.pictures), true};
}

std::string recording_directory(const FileHomes& homes, const UserDirectories& user) {
  return (user.state.empty() ? homes.snapshots : user.state) + "/timelapse";
}

void prepare_data_directory(TextFiles& files, const std::string& directory, const std::string& rep_prog) {
  if (directory != rep_prog) files.make_directories(directory);
}

std::string snapshot_ring(const std::string& snapshots, int ring) {
  return ring <= 1 ? snapshots : snapshots + "/ring-" + IntToStr(ring);
}

RingChoice take_snapshot_ring(TextFiles& files, const std::string& snapshots, const std::string& rep_prog,
                              RingTaking how) {
  using Outcome = RingChoice::Outcome;
  for (int ring = 1; ring <= kSnapshotRings; ++ring) {
    const std::string dir = snapshot_ring(snapshots, ring);
    DirectoryHold hold = files.hold_directory(dir);
    if (hold == DirectoryHold::missing) {
      // The first ring is made with the first snapshot; the others, inside
      // a ring that exists, when they are taken.
      if (ring == 1 && how == RingTaking::existing_only) return {Outcome::not_yet, dir};
      try {
        prepare_data_directory(files, dir, rep_prog);
      } catch (const EInOutError&) {
        return {Outcome::taken, dir};
      }
      hold = files.hold_directory(dir);
    }
    if (hold != DirectoryHold::held_by_another) return {Outcome::taken, dir};
  }
  return {Outcome::none_free, snapshots};
}

void move_earlier_files(TextFiles& files, const FileHomes& homes, const UserDirectories& user) {
  if (!homes.per_user || user.old_data.empty()) return;
  const auto move = [&](const std::string& from, const std::string& to_dir, const std::string& to) {
    if (to_dir == user.old_data || !files.is_regular_file(from)) return;
    try {
      files.make_directories(to_dir);
      files.move_without_replacing(from, to);
    } catch (const EInOutError&) {
      // Left where it was: nothing is lost, and the next start tries again.
    }
  };
  const std::string prm = std::string("/") + kNomFichierParametres;
  move(user.old_data + prm, homes.settings, homes.settings + prm);
  for (int slot = 0; slot < kSnapshotSlots; ++slot)
    move(nom_instantane(user.old_data, slot), homes.snapshots, nom_instantane(homes.snapshots, slot));
}

}  // namespace korvel
