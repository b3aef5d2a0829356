// The picture reading path: the behaviour's reading and checks of a file
// (format, completeness), then the decoders and the cut, on any bytes, for
// the whole picture and for a small part of it, and for a file that holds
// fewer bytes than its size says. A refusal is an EInOutError; anything else that escapes, or
// any sanitizer report, is a failure.
#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <cstdlib>

#include "files/picture_file.h"
#include "platform/text.h"
#include "qt/qt_image_files.h"

namespace {

// Decodes `size` bytes at `data` as a file said to be `claimed` bytes long
// (more for a file that shrank while read), for `part`.
void open_as_file(const std::uint8_t* data, std::size_t size, korvel::PicturePart part, std::uint64_t claimed) {
  const korvel::ByteSource source{claimed, [&](std::uint64_t at, std::uint64_t count) {
                                    const std::uint64_t from = std::min<std::uint64_t>(at, size);
                                    const std::uint64_t to = std::min<std::uint64_t>(size, from + count);
                                    return std::vector<std::uint8_t>(data + from, data + to);
                                  }};
  try {
    const korvel::Bitmap picture = korvel::qt::decode_picture(korvel::read_picture(source, part, "fuzz"));
    if (picture.width() > part.width || picture.height() > part.height) std::abort();
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x)
        if (picture.row(y)[x] >> 24) std::abort();
  } catch (const korvel::EInOutError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Pictures past 8 MB of pixels are refused by Qt here, so that each input
  // decodes well within the time limit even on a loaded machine; the sizes
  // beyond only repeat the same code over more rows.
  QImageReader::setAllocationLimit(8);
  // The same for libjpeg's whole-picture buffers (a progressive JPEG).
  setenv("JPEGMEM", "8M", 1);
  // Qt loads its format plugins and colour tables on first use: done here,
  // so that no input is charged with it against the time limit.
  for (const char* format : {"bmp", "png", "jpeg", "gif"}) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage(2, 2, QImage::Format_RGB32).save(&buffer, format);
    open_as_file(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()), {2, 2},
                 std::size_t(bytes.size()));
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The whole picture, within the bound a canvas gives here, and a corner.
  open_as_file(data, size, {512, 512}, size);
  open_as_file(data, size, {7, 3}, size);
  // The file's size promised more than it holds.
  open_as_file(data, size, {512, 512}, size + 1000);
  return 0;
}
