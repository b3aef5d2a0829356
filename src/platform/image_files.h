#pragma once
// Picture files on disk. Failures throw EInOutError with a readable text.
// Which format a file is in, and whether it is whole, is decided by the
// behaviour (files/picture_file.h); these only encode and decode.
#include <climits>
#include <cstdint>
#include <string>

#include "platform/bitmap.h"

namespace korvel {

enum class PictureFormat : std::uint8_t { bmp, png, jpeg, gif };

// The part of a picture that is wanted: its top-left `width` x `height`
// pixels, or all of it when it is smaller.
struct PicturePart {
  int width = INT_MAX, height = INT_MAX;
};

class ImageFiles {
 public:
  virtual ~ImageFiles() = default;
  virtual bool exists(const std::string& path) const = 0;
  // A BMP that keeps every colour exactly; the file that was there survives
  // a failed write.
  virtual void write_bmp(const std::string& path, const Bitmap& picture) = 0;
  // A picture a person saves, in `format` (a BMP as write_bmp makes it, or a
  // PNG or JPEG). The file that was there survives a failed write.
  virtual void save_picture(const std::string& path, const Bitmap& picture, PictureFormat format) = 0;
  // The top-left `part` of the picture in the file at `path`.
  virtual Bitmap read(const std::string& path, PicturePart part) = 0;
};

}  // namespace korvel
