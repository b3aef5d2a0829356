#pragma once
// What a picture file's own bytes say about it, read before any decoder sees
// them: the format and size its header announces, and where its picture
// ends. A file cut short, or whose header contradicts itself, is refused in
// words rather than drawn half made of grey or black, and no decoder
// reserves memory for data that is not there.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/image_files.h"

namespace korvel {

// The first bytes of a file, `bytes`, out of `file_size` in all.
struct FileStart {
  std::span<const std::uint8_t> bytes;
  std::uint64_t file_size = 0;
};

// A file refused, and why, in French words ("le fichier est tronqué").
struct PictureRefusal {
  std::string cause;
};

// The walk went past the bytes seen: the file's first `bytes` are needed.
struct MoreBytesNeeded {
  std::uint64_t bytes = 0;
};

// Where a BMP keeps its rows, for reading only those that show.
struct BmpRows {
  std::uint64_t first = 0;      // offset of the first row stored
  std::uint64_t row_bytes = 0;  // one stored row, padding included
  std::uint32_t bits = 0;       // per pixel
  bool top_down = false;        // stored top row first
  bool runs = false;            // compressed in runs (RLE): read whole
  std::uint32_t info_size = 0;  // of the header after the file header
};

struct PictureHeader {
  PictureFormat format = PictureFormat::bmp;
  std::uint64_t width = 0, height = 0;
  // The decoder goes through the whole picture before its first rows are
  // known: an interlaced PNG, a progressive JPEG, a GIF, a BMP of runs.
  bool decoded_whole = false;
  // No whole picture with this header needs more of the file than this.
  std::uint64_t max_bytes = 0;
  BmpRows bmp;
};

// The header at the start of the file. Throws PictureRefusal, or
// MoreBytesNeeded when it lies beyond the bytes seen.
PictureHeader read_header(const FileStart& start);

// Where the picture that `header` announces ends in the file: what follows
// is not part of it. Throws PictureRefusal ("le fichier est tronqué" when
// the file ends first), or MoreBytesNeeded.
std::uint64_t picture_end(const PictureHeader& header, const FileStart& start);

// Nothing when `bytes` are a whole picture of a format "Ouvrir" offers,
// otherwise why not. Reads only inside `bytes`.
std::optional<std::string> picture_defect(std::span<const std::uint8_t> bytes);

inline constexpr char kTruncated[] = "le fichier est tronqué";

}  // namespace korvel
