#pragma once
// Writing whole files so that a reader finds the old file or the new one,
// never a part of either: the bytes go to a fresh temporary file beside the
// target, which then takes the target's name by rename. A symbolic link at
// the target's name is replaced by the new file, never written through, and
// nothing but the temporary file is ever created.
#include <cstdint>
#include <span>
#include <string>

namespace korvel {

enum class Durability : std::uint8_t {
  flushed,    // on disk before the rename: survives a power cut
  unflushed,  // left to the system's own write-back (throw-away files)
};

// Replaces the file `path` with `bytes`. On failure the file that was at
// `path` is untouched, the temporary file is removed, and EInOutError is
// thrown: "Impossible d'écrire <path> : <cause>", the cause in words.
void write_file_atomically(const std::string& path, std::span<const std::uint8_t> bytes,
                           Durability durability = Durability::flushed);

// Creates the file `path` with `bytes`, whole or not at all, never replacing
// anything: false when the name is taken by then. Other failures throw
// EInOutError as write_file_atomically does.
bool write_new_file_atomically(const std::string& path, std::span<const std::uint8_t> bytes);

// The cause of a failed system call, in French words: "le disque est plein"
// for ENOSPC, and so on. Unknown codes give "erreur système <n>".
std::string texte_erreur_systeme(int error_number);

}  // namespace korvel
