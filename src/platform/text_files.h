#pragma once
// The program's own small files (the parameter file) and the directory they
// live in. The view implements it on the real file system; tests keep the
// files in memory.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvel {

// What came of holding a directory for the running program.
enum class DirectoryHold : std::uint8_t {
  held,             // this program's until it ends
  held_by_another,  // another running program holds it
  missing,          // no such directory
  failed,           // the system could not say
};

class TextFiles {
 public:
  virtual ~TextFiles() = default;
  // The bytes of the regular file `path`, or nothing when there is none, it
  // cannot be read, or it is longer than `max_bytes` (not a file of ours).
  virtual std::optional<std::string> read(const std::string& path, std::size_t max_bytes) = 0;
  // Replaces `path` with `bytes` whole, never through a link; the old file
  // survives a failure. Throws EInOutError with the cause in words.
  virtual void write(const std::string& path, const std::string& bytes) = 0;
  // True when files can be created in the existing directory `dir`.
  virtual bool directory_writable(const std::string& dir) const = 0;
  // Creates `dir` and its missing parents; throws EInOutError on failure.
  virtual void make_directories(const std::string& dir) = 0;
  // True when `path` is a regular file (not through a link).
  virtual bool is_regular_file(const std::string& path) const = 0;
  // Gives the file `from` the name `to` in one step that never replaces
  // anything: false, with both left as they were, when `to` exists. Throws
  // EInOutError with the cause in words on any other failure.
  virtual bool move_without_replacing(const std::string& from, const std::string& to) = 0;

  // As write, but left to the system's write-back: for files that are cheap
  // to lose in a power cut (the time-lapse's frames).
  virtual void write_unflushed(const std::string& path, const std::string& bytes) = 0;
  // The regular files directly in `dir` (links and directories left out),
  // with their sizes; empty when `dir` cannot be read.
  struct Entry {
    std::string name;
    std::uint64_t size = 0;
  };
  virtual std::vector<Entry> list_files(const std::string& dir) const = 0;
  // Removes the name `path` (a link goes, never what it points to); nothing
  // when there is none. Throws EInOutError with the cause in words.
  virtual void remove(const std::string& path) = 0;
  // Holds the existing directory `dir` for this program, as every program
  // that asks sees it, until the program ends (or this object goes): however
  // it ends, the directory is free again.
  virtual DirectoryHold hold_directory(const std::string& dir) = 0;
};

}  // namespace korvel
