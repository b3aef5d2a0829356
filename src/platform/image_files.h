#pragma once
// Picture files on disk. Failures throw EInOutError with a readable text.
#include <string>

#include "platform/bitmap.h"

namespace korvel {

class ImageFiles {
 public:
  virtual ~ImageFiles() = default;
  virtual bool exists(const std::string& path) const = 0;
  // A BMP that keeps every colour exactly; the file that was there survives
  // a failed write.
  virtual void write_bmp(const std::string& path, const Bitmap& picture) = 0;
  // A picture a person saves: in the format its extension names when the
  // platform writes that format (".png", ".jpg"...), else a BMP as
  // write_bmp makes it. The file that was there survives a failed write.
  virtual void save_picture(const std::string& path, const Bitmap& picture) = 0;
  // Any bitmap file the platform reads, at its own size.
  virtual Bitmap read(const std::string& path) = 0;
};

}  // namespace korvel
