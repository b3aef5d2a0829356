#pragma once
// The sixteen binary raster modes of the pen, each reduced to one operation
// on a pixel's colour bits.
#include <cstdint>

namespace korvel {

// Ordinals are those of the platform: 0 pmBlack ... 15 pmNotXor.
enum TPenMode : std::uint8_t {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
// The raster mode as D' = (D & and_mask) ^ xor_mask on the 24 colour bits.
struct RasterOp {
  std::uint32_t and_mask;
  std::uint32_t xor_mask;
  std::uint32_t apply(std::uint32_t d) const { return (d & and_mask) ^ xor_mask; }
};
// `pen_pixel` is in buffer order 0x00RRGGBB; the result's masks keep the top byte 0.
RasterOp raster_op(TPenMode mode, std::uint32_t pen_pixel);
// True when, in this mode, any sequence of lines and ellipses (whose pixels
// do not depend on the picture) drawn a second time changes no pixel,
// whatever their colours: every bit is either kept or set
// to a value that depends on the pen only (pmCopy, pmMerge, pmMask... but
// not pmXor or pmNot).
bool repeats_harmlessly(TPenMode mode);

}  // namespace korvel
