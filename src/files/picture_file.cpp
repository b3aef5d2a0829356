#include "files/picture_file.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

#include "files/picture_check.h"
#include "files/save_open.h"
#include "platform/file_reading.h"
#include "platform/text.h"

namespace korvel {

namespace {

constexpr std::uint64_t kMaxReadBytes = std::uint64_t(1) << 30;
// The pixels one open may have decoded: about what Qt's readers allowed a
// whole picture (128 MB at 4 bytes a pixel). It bounds the time an open
// holds the window.
constexpr std::uint64_t kMaxDecodedPixels = 32'000'000;

[[noreturn]] void refuse(const char* cause) { throw PictureRefusal{cause}; }

std::string lower(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string upper(std::string text) {
  for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// "*.bmp *.BMP ..." and "*.bmp;*.BMP;...": the file dialog matches names
// by case.
std::string filter_entry(const std::string& description, std::initializer_list<const char*> extensions) {
  std::string shown, patterns;
  for (const char* e : extensions)
    for (const std::string& x : {std::string(e), upper(e)}) {
      shown += (shown.empty() ? "*." : " *.") + x;
      patterns += (patterns.empty() ? "*." : ";*.") + x;
    }
  return description + " (" + shown + ")|" + patterns;
}

void put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + std::size_t(i)] = std::uint8_t(value >> (8 * i));
}

void put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  bytes[at] = std::uint8_t(value);
  bytes[at + 1] = std::uint8_t(value >> 8);
}

// The top-left `width` x `rows` of an uncompressed BMP, as a BMP of that
// size: its headers and palette as they are, then only those rows and
// columns read from the file.
std::vector<std::uint8_t> bmp_part(const ByteSource& source, const PictureHeader& h, std::uint64_t width,
                                   std::uint64_t rows) {
  if (h.max_bytes > source.size) refuse(kTruncated);
  std::vector<std::uint8_t> bmp = source.read(0, h.bmp.first);
  if (bmp.size() < h.bmp.first) refuse(kTruncated);
  const std::uint64_t kept = (width * h.bmp.bits + 7) / 8, row_bytes = (width * h.bmp.bits + 31) / 32 * 4;
  // Stored bottom row first unless top-down: the top rows are the last.
  const std::uint64_t first_stored = h.bmp.top_down ? 0 : h.height - rows;
  const auto stored_at = [&](std::uint64_t r) { return h.bmp.first + (first_stored + r) * h.bmp.row_bytes; };
  bmp.reserve(std::size_t(h.bmp.first + rows * row_bytes));
  if (row_bytes == h.bmp.row_bytes) {
    const std::vector<std::uint8_t> stored = source.read(stored_at(0), rows * row_bytes);
    if (stored.size() < rows * row_bytes) refuse(kTruncated);
    bmp.insert(bmp.end(), stored.begin(), stored.end());
  } else {
    for (std::uint64_t r = 0; r < rows; ++r) {
      const std::vector<std::uint8_t> stored = source.read(stored_at(r), kept);
      if (stored.size() < kept) refuse(kTruncated);
      bmp.insert(bmp.end(), stored.begin(), stored.end());
      bmp.resize(bmp.size() + std::size_t(row_bytes - kept));
    }
  }
  put32(bmp, 2, std::uint32_t(bmp.size()));
  put32(bmp, 10, std::uint32_t(h.bmp.first));
  if (h.bmp.info_size == 12) {
    put16(bmp, 18, std::uint32_t(width));
    put16(bmp, 20, std::uint32_t(rows));
  } else {
    put32(bmp, 18, std::uint32_t(width));
    put32(bmp, 22, h.bmp.top_down ? std::uint32_t(-std::int64_t(rows)) : std::uint32_t(rows));
    if (h.bmp.info_size >= 24) put32(bmp, 34, std::uint32_t(rows * row_bytes));
  }
  return bmp;
}

}  // namespace

std::string open_dialog_filter() {
  return filter_entry("Toutes les images", {"bmp", "dib", "png", "jpg", "jpeg", "jpe", "jfif", "gif"}) + "|" +
         filter_entry("Bitmaps", {"bmp", "dib"}) + "|Tous les fichiers (*)|*";
}

std::optional<PictureFormat> saved_format(const std::string& path) {
  const std::string extension = lower(extension_de(path));
  if (extension.empty() || extension == ".bmp" || extension == ".dib") return PictureFormat::bmp;
  if (extension == ".png") return PictureFormat::png;
  if (extension == ".jpg" || extension == ".jpeg" || extension == ".jpe" || extension == ".jfif")
    return PictureFormat::jpeg;
  return std::nullopt;
}

PictureFile read_picture(const ByteSource& source, PicturePart part, const std::string& name) {
  try {
    const PictureHeader h = read_header(source);
    const std::uint64_t width = std::min<std::uint64_t>(h.width, std::uint64_t(std::max(part.width, 1)));
    const std::uint64_t rows = std::min<std::uint64_t>(h.height, std::uint64_t(std::max(part.height, 1)));
    PictureFile file{name, h.format, {}, part};
    const bool bmp_rows = h.format == PictureFormat::bmp && !h.bmp.runs;
    // Decoders go through whole rows, and through every row of a picture
    // they read whole; of a plain BMP only the part is read.
    const std::uint64_t decoded = bmp_rows ? width * rows : h.width * (h.decoded_whole ? h.height : rows);
    if (decoded > kMaxDecodedPixels) refuse("l'image est trop grande");
    if (bmp_rows) {
      file.bytes = bmp_part(source, h, width, rows);
      return file;
    }
    if (std::min(source.size, h.max_bytes) > kMaxReadBytes) refuse("le fichier est trop grand");
    // Walked first in small reads: only a whole picture is read whole.
    const std::uint64_t end = picture_end(h, source);
    std::vector<std::uint8_t> bytes = source.read(0, end);
    if (bytes.size() < end) refuse(kTruncated);
    // Rows read where the header says they start.
    if (h.format == PictureFormat::bmp) put32(bytes, 10, std::uint32_t(h.bmp.first));
    // Only the first image of a GIF is shown: it ends the file handed on.
    if (h.format == PictureFormat::gif) bytes.push_back(0x3B);
    file.bytes = std::move(bytes);
    return file;
  } catch (const PictureRefusal& refusal) {
    throw EInOutError("Impossible de lire l'image " + name + " : " + refusal.cause);
  }
}

PictureFile read_picture_file(const std::string& path, PicturePart part) {
  const RegularFile file(path);
  return read_picture({file.size(), [&](std::uint64_t at, std::uint64_t count) { return file.read(at, count); },
                       [&](std::uint64_t at) { return file.data_from(at); }},
                      part, path);
}

}  // namespace korvel
