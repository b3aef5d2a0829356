// The picture reading path: the BMP check against its header, then Qt's
// readers, on any bytes. A refusal is an EInOutError; anything else that
// escapes, or any sanitizer report, is a failure.
#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <cstdlib>

#include "platform/picture_check.h"
#include "platform/text.h"
#include "qt/qt_image_files.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Pictures past 8 MB of pixels are refused here, so that each input
  // decodes well within the time limit even on a loaded machine; the sizes
  // beyond only repeat the same code over more rows.
  QImageReader::setAllocationLimit(8);
  // Qt loads its format plugins and colour tables on first use: done here,
  // so that no input is charged with it against the time limit.
  for (const QByteArray& format : QImageReader::supportedImageFormats()) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage(2, 2, QImage::Format_RGB32).save(&buffer, format.constData());
    try {
      korvel::qt::decode_picture(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())), "warm-up");
    } catch (const korvel::EInOutError&) {
    }
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const auto defect = korvel::picture_defect(bytes);
  try {
    const korvel::Bitmap picture = korvel::qt::decode_picture(bytes, "fuzz.bmp");
    // A BMP refused by the check never reaches the decoder.
    if (defect) std::abort();
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x)
        if (picture.row(y)[x] >> 24) std::abort();
  } catch (const korvel::EInOutError&) {
  }
  return 0;
}
