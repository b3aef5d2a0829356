#pragma once
// PNG pictures decoded by libpng row by row, so that the rows below the
// part wanted are never inflated: a large picture opens in the time of the
// part that shows. The pixels are those Qt's own reader gives.
#include <cstdint>
#include <span>

#include "platform/bitmap.h"
#include "platform/image_files.h"

namespace korvel::qt {

// The top-left `part` of the PNG in `bytes`, as opaque 0x00RRGGBB pixels:
// alpha dropped, 16-bit samples rounded to 8 bits as Qt rounds them, no
// gamma applied. An interlaced picture is inflated whole; only the part is
// kept. Throws EInOutError "les données de l'image sont endommagées" when
// libpng refuses the data.
Bitmap decode_png(std::span<const std::uint8_t> bytes, PicturePart part);

}  // namespace korvel::qt
