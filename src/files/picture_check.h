#pragma once
// What a picture file's own bytes say about it, read before any decoder sees
// them: the format and size its header announces, and where its picture
// ends. A file cut short, or whose header contradicts itself, is refused in
// words rather than drawn half made of grey or black, and no decoder
// reserves memory for data that is not there.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/image_files.h"

namespace korvel {

// Bytes read where asked: at most `count` from `at`, fewer where they end.
// `size` is what the file system says; a file may hold fewer bytes than
// that (one rewritten while read, or one of /proc or /sys).
struct ByteSource {
  std::uint64_t size = 0;
  std::function<std::vector<std::uint8_t>(std::uint64_t at, std::uint64_t count)> read;
  // Where bytes other than zeros may be, from `at` on (the end of a hole
  // of a sparse file); may be empty.
  std::function<std::uint64_t(std::uint64_t at)> data_from = {};
};

// A file refused, and why, in French words ("le fichier est tronqué").
struct PictureRefusal {
  std::string cause;
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

// The header at the start of the file, found within its first 16 MiB.
// Throws PictureRefusal.
//
// These walks read the file in windows of at most 1 MiB, wherever they
// are, so that a file of any size costs that much memory; a read that
// gives fewer bytes than the file's size promised ends the file there.
PictureHeader read_header(const ByteSource& source);

// Where the picture that `header` announces ends in the file: what follows
// is not part of it. Throws PictureRefusal: "le fichier est tronqué" when
// the file ends first, another cause when the picture goes on past
// `header.max_bytes` or its data would leave pixels to be guessed.
std::uint64_t picture_end(const PictureHeader& header, const ByteSource& source);

// The same bytes, read from memory.
ByteSource bytes_in_memory(std::span<const std::uint8_t> bytes);

// Nothing when `bytes` are a whole picture of a format "Ouvrir" offers,
// otherwise why not. Reads only inside `bytes`.
std::optional<std::string> picture_defect(std::span<const std::uint8_t> bytes);

inline constexpr char kTruncated[] = "le fichier est tronqué";
inline constexpr char kDamagedData[] = "les données de l'image sont endommagées";

}  // namespace korvel
