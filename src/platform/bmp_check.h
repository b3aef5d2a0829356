#pragma once
// Checks a Windows bitmap file against what its own header promises before
// any decoder sees it: a file cut short, or a header that contradicts
// itself, would otherwise be decoded into a picture partly made of whatever
// memory held.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace korvel {

// Nothing when `bytes` is not a BMP (no "BM" at the start) or is a BMP whose
// pixels are all present; otherwise what is wrong, in French words ("le
// fichier est tronqué", ...). Reads only inside `bytes`.
std::optional<std::string> bmp_defect(std::span<const std::uint8_t> bytes);

}  // namespace korvel
