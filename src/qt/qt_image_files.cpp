#include "qt/qt_image_files.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include "platform/bmp_encoding.h"
#include "platform/file_reading.h"
#include "platform/own_files.h"
#include "platform/picture_check.h"
#include "platform/text.h"
#include "qt/qt_convert.h"

namespace korvel::qt {

namespace {

[[noreturn]] void fail(const char* what, const std::string& path, const QString& reason) {
  throw EInOutError(std::string(what) + " " + path + " : " + to_std(reason));
}

}  // namespace

bool QtImageFiles::exists(const std::string& path) const {
  const QFileInfo info(to_qstring(path));
  return info.exists() && !info.isDir();
}

void QtImageFiles::write_bmp(const std::string& path, const Bitmap& picture) {
  if (picture.empty()) fail("Impossible d'écrire", path, QStringLiteral("image vide"));
  // The canvas buffer is already in the file's pixel order: the encoding is
  // a copy of rows. No forced sync: snapshots are throw-away files.
  write_file_atomically(path, encode_bmp(picture), Durability::unflushed);
}

namespace {

// The format Qt writes under the extension of `path` ("png", "jpg"...), or
// empty for BMP: the default, and every name Qt has no writer for.
QByteArray written_format(const std::string& path) {
  const QByteArray suffix = QFileInfo(to_qstring(path)).suffix().toLower().toLatin1();
  if (suffix.isEmpty() || suffix == "bmp") return {};
  return QImageWriter::supportedImageFormats().contains(suffix) ? suffix : QByteArray();
}

std::vector<std::uint8_t> encode_in(const QByteArray& format, const Bitmap& picture, const std::string& path) {
  // The canvas rows are RGB32 already; Qt reads them in place.
  const QImage image(reinterpret_cast<const uchar*>(picture.data()), picture.width(), picture.height(),
                     qsizetype(picture.width()) * 4, QImage::Format_RGB32);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  if (!writer.write(image)) fail("Impossible d'écrire", path, writer.errorString());
  const QByteArray& bytes = buffer.data();
  return {bytes.begin(), bytes.end()};
}

}  // namespace

void QtImageFiles::save_picture(const std::string& path, const Bitmap& picture) {
  if (picture.empty()) fail("Impossible d'écrire", path, QStringLiteral("image vide"));
  const QByteArray format = written_format(path);
  const std::vector<std::uint8_t> bytes = format.isEmpty() ? encode_bmp(picture) : encode_in(format, picture, path);
  write_file_atomically(path, bytes);
}

Bitmap decode_picture(std::span<const std::uint8_t> bytes, const std::string& path) {
  if (const auto defect = picture_defect(bytes)) fail("Impossible de lire l'image", path, to_qstring(*defect));
  QBuffer buffer;
  buffer.setData(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  QImage image = reader.read();
  if (image.isNull()) fail("Impossible de lire l'image", path, reader.errorString());
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

Bitmap QtImageFiles::read(const std::string& path) {
  return decode_picture(read_whole_file(path, kMaxPictureFileBytes), path);
}

}  // namespace korvel::qt
