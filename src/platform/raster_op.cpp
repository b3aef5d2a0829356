// The sixteen binary raster modes, each reduced to D' = (D & A) ^ X: per bit,
// a mode is a function of P and D, and every such function is "keep, invert,
// clear or set D" depending on P's bit; A says keep, X says invert or set.
#include "platform/canvas.h"

namespace korvel {

RasterOp raster_op(TPenMode mode, std::uint32_t pen_pixel) {
  constexpr std::uint32_t all = 0x00FFFFFF;  // the top byte stays 0
  const std::uint32_t p = pen_pixel & all;
  const std::uint32_t np = ~pen_pixel & all;
  switch (mode) {
    case pmBlack: return {0, 0};
    case pmWhite: return {0, all};
    case pmNop: return {all, 0};
    case pmNot: return {all, all};
    case pmCopy: return {0, p};
    case pmNotCopy: return {0, np};
    case pmMergePenNot: return {np, all};  // P | ~D
    case pmMaskPenNot: return {p, p};      // P & ~D
    case pmMergeNotPen: return {p, np};    // ~P | D
    case pmMaskNotPen: return {np, 0};     // ~P & D
    case pmMerge: return {np, p};          // P | D
    case pmNotMerge: return {np, np};      // ~(P | D)
    case pmMask: return {p, 0};            // P & D
    case pmNotMask: return {p, all};       // ~(P & D)
    case pmXor: return {all, p};
    case pmNotXor: return {all, np};
  }
  return {all, 0};  // not a mode: leave the picture alone
}

}  // namespace korvel
