#include "qt/qt_image_files.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include "platform/bmp_encoding.h"
#include "platform/own_files.h"
#include "platform/text.h"
#include "qt/jpeg_decoding.h"
#include "qt/png_decoding.h"
#include "qt/qt_convert.h"

namespace korvel::qt {

namespace {

[[noreturn]] void fail(const char* what, const std::string& path, const std::string& reason) {
  throw EInOutError(std::string(what) + " " + path + " : " + reason);
}

std::vector<std::uint8_t> encode_in(const char* format, const Bitmap& picture, const std::string& path) {
  // The canvas rows are RGB32 already; Qt reads them in place.
  const QImage image(reinterpret_cast<const uchar*>(picture.data()), picture.width(), picture.height(),
                     qsizetype(picture.width()) * 4, QImage::Format_RGB32);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  if (!writer.write(image)) fail("Impossible d'écrire", path, to_std(writer.errorString()));
  const QByteArray& bytes = buffer.data();
  return {bytes.begin(), bytes.end()};
}

const char* qt_format(PictureFormat format) {
  switch (format) {
    case PictureFormat::png: return "png";
    case PictureFormat::jpeg: return "jpeg";
    case PictureFormat::gif: return "gif";
    case PictureFormat::bmp: break;
  }
  return "bmp";
}

// Qt's reader on a whole file (a BMP or a GIF), decoded whole and then cut.
QImage read_with_qt(const PictureFile& file, QRect part) {
  QBuffer buffer;
  buffer.setData(QByteArray::fromRawData(reinterpret_cast<const char*>(file.bytes.data()), qsizetype(file.bytes.size())));
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, qt_format(file.format));
  const QSize size = reader.size();
  const QRect clip = size.isValid() ? part.intersected(QRect(QPoint(0, 0), size)) : QRect();
  if (reader.supportsOption(QImageIOHandler::ClipRect) && !clip.isEmpty()) reader.setClipRect(clip);
  QImage image = reader.read();
  // The size announced may differ from the one decoded (a GIF's frame against
  // its screen): what is decoded is cut. An empty cut would copy it all.
  const QRect cut = part.intersected(image.rect());
  if (image.isNull() || cut.isEmpty())
    fail("Impossible de lire l'image", file.name, "les données de l'image sont endommagées");
  if (cut != image.rect()) image = image.copy(cut);
  return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

bool QtImageFiles::exists(const std::string& path) const {
  const QFileInfo info(to_qstring(path));
  return info.exists() && !info.isDir();
}

void QtImageFiles::write_bmp(const std::string& path, const Bitmap& picture) {
  if (picture.empty()) fail("Impossible d'écrire", path, "image vide");
  // The canvas buffer is already in the file's pixel order: the encoding is
  // a copy of rows. No forced sync: snapshots are throw-away files.
  write_file_atomically(path, encode_bmp(picture), Durability::unflushed);
}

void QtImageFiles::save_picture(const std::string& path, const Bitmap& picture, PictureFormat format) {
  if (picture.empty()) fail("Impossible d'écrire", path, "image vide");
  // A BMP is the canvas rows as they are; Qt writes the others (no GIF).
  const bool bmp = format != PictureFormat::png && format != PictureFormat::jpeg;
  write_file_atomically(path, bmp ? encode_bmp(picture) : encode_in(qt_format(format), picture, path));
}

Bitmap decode_picture(const PictureFile& file) {
  if (file.format == PictureFormat::png || file.format == PictureFormat::jpeg) {
    try {
      return file.format == PictureFormat::png ? decode_png(file.bytes, file.part) : decode_jpeg(file.bytes, file.part);
    } catch (const EInOutError& e) {
      fail("Impossible de lire l'image", file.name, e.what());
    }
  }
  const QImage image = read_with_qt(file, QRect(0, 0, std::max(file.part.width, 1), std::max(file.part.height, 1)));
  Bitmap bitmap(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y) {
    const auto* src = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
    std::uint32_t* dst = bitmap.row(y);
    // RGB32 keeps 0xFF in the top byte; the canvas keeps it 0.
    for (int x = 0; x < image.width(); ++x) dst[x] = src[x] & 0x00FFFFFFu;
  }
  return bitmap;
}

Bitmap QtImageFiles::read(const std::string& path, PicturePart part) {
  return decode_picture(read_picture_file(path, part));
}

}  // namespace korvel::qt
