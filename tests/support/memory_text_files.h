#pragma once
// The program's own files kept in memory, by path, with switches for the
// failures the real file system has.
#include <algorithm>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/text.h"
#include "platform/text_files.h"

namespace korvel::testing {

class MemoryTextFiles : public TextFiles {
 public:
  std::optional<std::string> read(const std::string& path, std::size_t max_bytes) override {
    const std::lock_guard lock(mutex);
    ++reads;
    if (unreadable.count(path)) return std::nullopt;
    const auto it = files.find(path);
    if (it == files.end() || it->second.size() > max_bytes) return std::nullopt;
    return it->second;
  }
  void write(const std::string& path, const std::string& bytes) override {
    const std::lock_guard lock(mutex);
    if (fail_writes) throw EInOutError("Impossible d'écrire " + path + " : le disque est plein");
    files[path] = bytes;
    ++writes;
  }
  bool directory_writable(const std::string& dir) const override { return !read_only_dirs.count(dir); }
  void make_directories(const std::string& dir) override {
    const std::lock_guard lock(mutex);
    if (fail_writes) throw EInOutError("Impossible de créer le dossier " + dir + " : l'accès est refusé");
    made_dirs.push_back(dir);
  }
  bool is_regular_file(const std::string& path) const override { return files.count(path) > 0; }
  bool move_without_replacing(const std::string& from, const std::string& to) override {
    const std::lock_guard lock(mutex);
    if (fail_writes) throw EInOutError("Impossible de déplacer " + from + " : l'accès est refusé");
    if (files.count(to)) return false;
    files[to] = files.at(from);
    files.erase(from);
    return true;
  }
  DirectoryHold hold_directory(const std::string& dir) override {
    if (held_elsewhere.count(dir)) return DirectoryHold::held_by_another;
    if (absent_dirs.count(dir) && std::find(made_dirs.begin(), made_dirs.end(), dir) == made_dirs.end())
      return DirectoryHold::missing;
    held.push_back(dir);
    return DirectoryHold::held;
  }

  void write_unflushed(const std::string& path, const std::string& bytes) override { write(path, bytes); }
  std::vector<Entry> list_files(const std::string& dir) const override {
    const std::lock_guard lock(mutex);
    std::vector<Entry> entries;
    const std::string prefix = dir + "/";
    for (const auto& [path, bytes] : files)
      if (path.starts_with(prefix) && path.find('/', prefix.size()) == std::string::npos)
        entries.push_back({path.substr(prefix.size()), bytes.size()});
    return entries;
  }
  void remove(const std::string& path) override {
    const std::lock_guard lock(mutex);
    if (fail_writes) throw EInOutError("Impossible de supprimer " + path + " : l'accès est refusé");
    files.erase(path);
  }

  std::map<std::string, std::string> files;
  // Directories not there until made (every other one is); those held by
  // other running programs; those this one holds.
  std::set<std::string> absent_dirs, held_elsewhere;
  std::vector<std::string> held;
  std::set<std::string> unreadable, read_only_dirs;
  bool fail_writes = false;
  int reads = 0, writes = 0;
  std::vector<std::string> made_dirs;
  // The time-lapse's frames are written by the snapshot writer's thread.
  mutable std::recursive_mutex mutex;
};

}  // namespace korvel::testing
