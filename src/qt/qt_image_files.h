#pragma once
// Picture files through Qt's image readers and writers.
#include "platform/image_files.h"

namespace korvel::qt {

class QtImageFiles : public ImageFiles {
 public:
  // A regular file (not a directory) at `path`.
  bool exists(const std::string& path) const override;
  // A 32-bit BMP holding every colour exactly, written to a temporary file
  // that replaces `path` only once complete. Throws EInOutError.
  void write_bmp(const std::string& path, const Bitmap& picture) override;
  // The format the extension names when Qt writes it, else the BMP of
  // write_bmp; encoded whole, then written by temporary file and rename.
  void save_picture(const std::string& path, const Bitmap& picture) override;
  // Any format Qt reads, as opaque 0x00RRGGBB pixels. Throws EInOutError.
  Bitmap read(const std::string& path) override;
};

}  // namespace korvel::qt
