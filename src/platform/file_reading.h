#pragma once
// Reading a whole file that a person may have put anywhere: only a regular
// file is read (a pipe or a device would never end, or block), and only up
// to a size bound.
#include <cstdint>
#include <string>
#include <vector>

namespace korvel {

// The bytes of the regular file `path` (links followed), at most `max_bytes`.
// Throws EInOutError "Impossible de lire <path> : <cause>", the cause in
// words, for anything else.
std::vector<std::uint8_t> read_whole_file(const std::string& path, std::uint64_t max_bytes);

}  // namespace korvel
