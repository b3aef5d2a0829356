#include "qt/qt_image_files.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include "platform/picture_check.h"
#include "platform/bmp_encoding.h"
#include "platform/file_reading.h"
#include "platform/own_files.h"
#include "platform/text.h"
#include "qt/qt_convert.h"

namespace korvel::qt {

namespace {

[[noreturn]] void fail(const std::string& what, const std::string& path, const std::string& reason) {
  throw EInOutError(what + " " + path + " : " + reason);
}

}  // namespace

Bitmap decode_picture(std::span<const std::uint8_t> bytes, const std::string& path) {
  if (const auto defect = picture_defect(bytes)) fail("Impossible de lire l'image", path, *defect);
  const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
  QBuffer buffer;
  buffer.setData(data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  QImage image = reader.read();
  if (image.isNull()) fail("Impossible de lire l'image", path, to_std(reader.errorString()));
  image = image.convertToFormat(QImage::Format_RGB32);
  Bitmap bitmap(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y) {
    const auto* src = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
    std::uint32_t* dst = bitmap.row(y);
    // RGB32 keeps 0xFF in the top byte; the canvas keeps it 0.
    for (int x = 0; x < image.width(); ++x) dst[x] = src[x] & 0x00FFFFFFu;
  }
  return bitmap;
}

bool QtImageFiles::exists(const std::string& path) const {
  const QFileInfo info(to_qstring(path));
  return info.exists() && !info.isDir();
}

void QtImageFiles::write_bmp(const std::string& path, const Bitmap& picture) {
  if (picture.empty()) fail("Impossible d'écrire", path, "image vide");
  // The canvas buffer is already in the file's pixel order: the encoding is
  // a copy of rows.
  write_file_atomically(path, encode_bmp(picture), Durability::unflushed);
}

Bitmap QtImageFiles::read(const std::string& path) {
  return decode_picture(read_whole_file(path, kMaxPictureFileBytes), path);
}

}  // namespace korvel::qt
