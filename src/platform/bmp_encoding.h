#pragma once
// The bytes of a Windows bitmap file holding a picture exactly: 32 bits a
// pixel, uncompressed, rows bottom-up. The picture's buffer is already in
// the file's pixel order (B, G, R, unused), so encoding is a copy of rows.
#include <cstdint>
#include <vector>

#include "platform/bitmap.h"

namespace korvel {

inline constexpr std::size_t kBmpHeaderBytes = 14 + 40;

std::vector<std::uint8_t> encode_bmp(const Bitmap& picture);

}  // namespace korvel
