#pragma once
// One frame of the time-lapse as a file: the tiles of the picture that
// changed since the frame before, each deflated on its own, so that two
// frames merge by taking tiles from each, without recompressing anything.
//
//   "KVF1" | kind u8, 3 zero bytes | width u32 | height u32 | stride u32 |
//   tile count n u32 | n x (tile index u32, deflated length u32) | the
//   deflated tiles, in index order
//
// Little-endian. Tiles are kTile x kTile pixels, numbered row by row; those
// of the right and bottom edges are cut at the picture's edge.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/bitmap.h"

namespace korvel {

inline constexpr int kTile = 64;

enum class FrameKind : std::uint8_t {
  first = 1,  // the recording begins here: every tile
  next = 2,   // the tiles that changed since the frame before
};

struct FrameHeader {
  FrameKind kind = FrameKind::next;
  int width = 0, height = 0;
  // Every how many pictures a frame was kept when this one was written.
  std::uint32_t stride = 1;
  std::vector<std::uint32_t> tiles;  // ascending
};

// The number of tiles of a picture of that size.
std::uint32_t tile_count(int width, int height);

// The tiles where `after` differs from `before`; every tile when their
// sizes differ.
std::vector<std::uint32_t> changed_tiles(const Bitmap& before, const Bitmap& after);

// The frame holding `tiles` (ascending) of `picture`.
std::string encode_frame(FrameKind kind, std::uint32_t stride, const Bitmap& picture,
                         const std::vector<std::uint32_t>& tiles);

// The header of a frame file; nothing when the bytes are not a whole frame
// of a picture of width x height.
std::optional<FrameHeader> read_frame_header(std::string_view bytes, int width, int height);

// Draws the frame's tiles onto `picture` (the frame's size). False, with
// `picture` unchanged, when the frame is damaged.
bool apply_frame(std::string_view bytes, Bitmap& picture);

// One frame holding the tiles of `earlier` and `later`, the later's where
// both have one: the same picture as applying both in turn. `later` gives
// the kind and stride. Nothing when either is damaged.
std::optional<std::string> merge_frames(std::string_view earlier, std::string_view later, int width, int height);

}  // namespace korvel
