#include "qt/qt_image_files.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <cstring>

#include "platform/bmp_encoding.h"
#include "platform/own_files.h"
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
  // a copy of rows, and the old file is replaced only once this one is whole.
  const std::vector<std::uint8_t> bytes = encode_bmp(picture);
  QSaveFile file(to_qstring(path));
  if (!file.open(QIODevice::WriteOnly)) fail("Impossible d'écrire", path, file.errorString());
  if (file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size())) {
    const QString reason = file.errorString();
    file.cancelWriting();
    fail("Impossible d'écrire", path, reason);
  }
  if (!file.commit()) fail("Impossible d'écrire", path, file.errorString());
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

Bitmap QtImageFiles::read(const std::string& path) {
  QImageReader reader(to_qstring(path));
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

}  // namespace korvel::qt
