#pragma once
// Picture files through Qt's image readers and writers (and libpng, for a
// PNG read in part), written by our own whole-file writer. The behaviour
// decides the format and checks the file whole (files/picture_file.h);
// these only encode and decode.
#include "files/picture_file.h"
#include "platform/image_files.h"

namespace korvel::qt {

// The top-left `file.part` of the picture in `file.bytes`, as opaque
// 0x00RRGGBB pixels. Throws EInOutError "Impossible de lire l'image
// <name> : <cause>" when the decoder refuses the data.
Bitmap decode_picture(const PictureFile& file);

class QtImageFiles : public ImageFiles {
 public:
  // A regular file (not a directory) at `path`.
  bool exists(const std::string& path) const override;
  // A 32-bit BMP holding every colour exactly, written to a temporary file
  // that replaces `path` only once complete; a link at `path` is replaced,
  // never followed. No forced sync: snapshots are throw-away files.
  // Throws EInOutError.
  void write_bmp(const std::string& path, const Bitmap& picture) override;
  // Encoded whole in `format`, then written by temporary file and rename.
  void save_picture(const std::string& path, const Bitmap& picture, PictureFormat format) override;
  // The file read and checked by the behaviour, then decoded as above.
  Bitmap read(const std::string& path, PicturePart part) override;
};

}  // namespace korvel::qt
