#pragma once
// Picture files through Qt's image readers, written by our own whole-file
// writer.
#include <cstdint>
#include <span>

#include "platform/image_files.h"

namespace korvel::qt {

// The picture in `bytes` (any format Qt reads) as opaque 0x00RRGGBB pixels.
// A BMP is first checked against its header, so a file cut short is refused
// rather than completed with stray memory. Throws EInOutError
// "Impossible de lire l'image <path> : <cause>".
Bitmap decode_picture(std::span<const std::uint8_t> bytes, const std::string& path);

class QtImageFiles : public ImageFiles {
 public:
  // A regular file (not a directory) at `path`.
  bool exists(const std::string& path) const override;
  // A 32-bit BMP holding every colour exactly, written to a temporary file
  // that replaces `path` only once complete; a link at `path` is replaced,
  // never followed. No forced sync: snapshots are throw-away files.
  // Throws EInOutError.
  void write_bmp(const std::string& path, const Bitmap& picture) override;
  // The format the extension names when Qt writes it, else the BMP of
  // write_bmp; encoded whole, then written by temporary file and rename.
  void save_picture(const std::string& path, const Bitmap& picture) override;
  // A regular file of at most kMaxPictureFileBytes, decoded as above.
  Bitmap read(const std::string& path) override;
};

inline constexpr std::uint64_t kMaxPictureFileBytes = std::uint64_t(1) << 30;

}  // namespace korvel::qt
