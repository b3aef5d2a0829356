#pragma once
// Picture files as "Sauve" and "Ouvrir" know them: the formats offered, the
// format a saved picture takes, and the reading of a picture file: its
// format from its first bytes, then only what its header announces and
// what shows of it, checked whole before it is decoded.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "files/picture_check.h"
#include "platform/image_files.h"

namespace korvel {

// The open dialog's file types, "description|patterns|...": the formats
// whose files are checked whole (BMP, PNG, JPEG, GIF), bitmaps alone, then
// any file.
std::string open_dialog_filter();

// The format of a picture saved under `path`, as its extension names it in
// any case: BMP (".bmp", ".dib", or no extension), PNG or JPEG. Nothing for
// any other extension: a file is never saved under a name that says it
// holds what it does not.
std::optional<PictureFormat> saved_format(const std::string& path);

// A picture ready to decode: the bytes of a whole file in `format`, and the
// part of it wanted. A BMP holds only the rows and columns of that part.
struct PictureFile {
  std::string name;  // for messages
  PictureFormat format = PictureFormat::bmp;
  std::vector<std::uint8_t> bytes;
  PicturePart part;
};

// The picture in `source`, for showing its top-left `part`. A file that is
// no picture is refused from its first bytes; otherwise no more is read
// than its header announces: of a BMP the rows that show, of the others
// the file up to the picture's end, walked first in small reads. Refused
// when cut short, when its header contradicts itself, when its data would
// leave pixels to be guessed (a GIF's codes stopping early), or when
// decoding it would go through more than 32 million pixels. Throws EInOutError "Impossible de lire l'image <name> :
// <cause>".
PictureFile read_picture(const ByteSource& source, PicturePart part, const std::string& name);

// The same for the regular file at `path`.
PictureFile read_picture_file(const std::string& path, PicturePart part);

}  // namespace korvel
