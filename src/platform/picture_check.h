#pragma once
// Checks a picture file against what its own structure promises before any
// decoder sees it: a file cut short, or a header that contradicts itself,
// would otherwise be decoded into a picture partly made of whatever memory
// held, or make the decoder reserve memory for data that is not there.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace korvel {

// Nothing when `bytes` is a BMP whose pixels are all present, a PNG whose
// chunks all lie inside the file up to its end mark, or another format (left
// to its reader); otherwise what is wrong, in French words ("le fichier est
// tronqué", ...). Reads only inside `bytes`.
std::optional<std::string> picture_defect(std::span<const std::uint8_t> bytes);

}  // namespace korvel
