#pragma once
// JPEG pictures decoded by libjpeg row by row, down to the last row of the
// part wanted, as Qt's own reader decodes them. Unlike that reader, data a
// decoder would have to guess (coded data corrupt or missing) is refused
// rather than shown.
#include <cstdint>
#include <span>

#include "platform/bitmap.h"
#include "platform/image_files.h"

namespace korvel::qt {

// The top-left `part` of the JPEG in `bytes`, as opaque 0x00RRGGBB pixels.
// A progressive picture is decoded whole; only the part is kept. Stray
// bytes between segments are skipped. Throws EInOutError "les données de
// l'image sont endommagées" when the data of the rows decoded is corrupt or
// cut short.
Bitmap decode_jpeg(std::span<const std::uint8_t> bytes, PicturePart part);

}  // namespace korvel::qt
