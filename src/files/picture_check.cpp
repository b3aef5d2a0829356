#include "files/picture_check.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace korvel {

namespace {

// Beyond this, no reader we use would allocate the picture anyway.
constexpr std::uint64_t kMaxPixels = std::uint64_t(1) << 28;
// Room for what a file may hold besides its pixels: palettes, colour
// profiles, comments, thumbnails.
constexpr std::uint64_t kSideDataBytes = std::uint64_t(16) << 20;

constexpr char kNotAPicture[] = "ce fichier n'est pas une image BMP, PNG, JPEG ou GIF";
constexpr char kBadDimensions[] = "les dimensions de l'image ne sont pas valides";
constexpr char kNoPicture[] = "le fichier ne contient pas d'image";

[[noreturn]] void refuse(const char* cause) { throw PictureRefusal{cause}; }

// The bytes seen, read where a walk asks: past them more are needed, past
// the file's end it is cut short.
class Bytes {
 public:
  explicit Bytes(const FileStart& start) : m_start(start) {}

  const std::uint8_t* at(std::uint64_t offset, std::uint64_t count) const {
    if (offset + count <= m_start.bytes.size()) return m_start.bytes.data() + offset;
    if (offset + count > m_start.file_size) refuse(kTruncated);
    throw MoreBytesNeeded{offset + count};
  }
  std::uint64_t file_size() const { return m_start.file_size; }
  std::uint32_t u8(std::uint64_t offset) const { return *at(offset, 1); }
  std::uint32_t le16(std::uint64_t offset) const {
    const std::uint8_t* p = at(offset, 2);
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8;
  }
  std::uint32_t le32(std::uint64_t offset) const { return le16(offset) | le16(offset + 2) << 16; }
  std::uint32_t be16(std::uint64_t offset) const {
    const std::uint8_t* p = at(offset, 2);
    return std::uint32_t(p[0]) << 8 | p[1];
  }
  std::uint32_t be32(std::uint64_t offset) const { return be16(offset) << 16 | be16(offset + 2); }
  bool starts_with(std::span<const std::uint8_t> magic) const {
    return m_start.bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), m_start.bytes.begin());
  }
  // The first 0xFF at or after `offset`.
  std::uint64_t find_ff(std::uint64_t offset) const {
    const std::uint64_t seen = m_start.bytes.size();
    if (offset < seen) {
      const void* found = std::memchr(m_start.bytes.data() + offset, 0xFF, std::size_t(seen - offset));
      if (found) return std::uint64_t(static_cast<const std::uint8_t*>(found) - m_start.bytes.data());
    }
    at(std::max(offset, seen), 1);  // more needed, or cut short
    return seen;                    // not reached
  }

 private:
  const FileStart& m_start;
};

void check_pixels(std::uint64_t width, std::uint64_t height) {
  if (width == 0 || height == 0) refuse(kBadDimensions);
  if (width * height > kMaxPixels) refuse("l'image est trop grande");
}

// ---- BMP ----------------------------------------------------------------------

constexpr std::uint64_t kFileHeaderBytes = 14;
constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiAlphaBitfields = 6;
// Palette, masks and profile between the header and the rows.
constexpr std::uint64_t kMaxBmpHeaderBytes = std::uint64_t(16) << 20;

bool is_info_size(std::uint32_t n) { return n == 12 || (n >= 16 && n <= 64) || n == 108 || n == 124; }

PictureHeader bmp_header(const Bytes& b) {
  PictureHeader h;
  h.format = PictureFormat::bmp;
  const std::uint32_t info_size = b.le32(kFileHeaderBytes);
  if (!is_info_size(info_size)) refuse("l'en-tête du fichier BMP n'est pas valide");
  b.at(kFileHeaderBytes, std::max<std::uint32_t>(info_size, 20));
  const std::uint64_t info = kFileHeaderBytes;
  std::uint32_t compression = kBiRgb;
  if (info_size == 12) {
    h.width = b.le16(info + 4);
    h.height = b.le16(info + 6);
    h.bmp.bits = b.le16(info + 10);
  } else {
    const auto width = std::int32_t(b.le32(info + 4)), height = std::int32_t(b.le32(info + 8));
    if (width <= 0 || height == 0 || height == INT32_MIN) refuse(kBadDimensions);
    h.width = std::uint64_t(width);
    h.height = std::uint64_t(height < 0 ? -std::int64_t(height) : height);
    h.bmp.top_down = height < 0;
    h.bmp.bits = b.le16(info + 14);
    compression = info_size >= 20 ? b.le32(info + 16) : kBiRgb;
  }
  check_pixels(h.width, h.height);
  static constexpr std::uint32_t kDepths[] = {1, 4, 8, 16, 24, 32};
  if (std::find(std::begin(kDepths), std::end(kDepths), h.bmp.bits) == std::end(kDepths))
    refuse("la profondeur de couleur n'est pas prise en charge");
  h.bmp.info_size = info_size;
  h.bmp.first = std::max<std::uint64_t>(b.le32(10), kFileHeaderBytes + info_size);
  if (h.bmp.first > b.file_size()) refuse(kTruncated);
  if (h.bmp.first > kMaxBmpHeaderBytes) refuse("l'en-tête du fichier BMP n'est pas valide");
  switch (compression) {
    case kBiRgb:
    case kBiBitfields:
    case kBiAlphaBitfields:
      h.bmp.row_bytes = (h.width * h.bmp.bits + 31) / 32 * 4;
      h.max_bytes = h.bmp.first + h.bmp.row_bytes * h.height;
      return h;
    case kBiRle8:
    case kBiRle4:
      if (h.bmp.bits != (compression == kBiRle8 ? 8u : 4u) || h.bmp.top_down)
        refuse("l'en-tête du fichier BMP n'est pas valide");
      h.bmp.runs = h.decoded_whole = true;
      // At worst two bytes a pixel, and an end of line a row.
      h.max_bytes = h.bmp.first + 2 * h.width * h.height + 2 * h.height + 2;
      return h;
    default:
      refuse("la compression de ce fichier BMP n'est pas prise en charge");
  }
}

// The end of an RLE stream: its end-of-picture mark.
std::uint64_t rle_end(const Bytes& b, const PictureHeader& h) {
  std::uint64_t at = h.bmp.first;
  for (;;) {
    const std::uint8_t* pair = b.at(at, 2);
    at += 2;
    if (pair[0] != 0) continue;  // an encoded run: two bytes
    switch (pair[1]) {
      case 0: continue;     // end of line
      case 1: return at;    // end of picture
      case 2: at += 2; continue;  // delta: two more bytes
      default: {
        // An absolute run of pair[1] pixels, padded to a whole word.
        const std::uint64_t run = h.bmp.bits == 8 ? pair[1] : (pair[1] + 1u) / 2;
        at += (run + 1) & ~std::uint64_t(1);
        b.at(at - 1, 1);
      }
    }
  }
}

// ---- PNG ----------------------------------------------------------------------

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

PictureHeader png_header(const Bytes& b) {
  PictureHeader h;
  h.format = PictureFormat::png;
  if (b.be32(8) != 13 || std::memcmp(b.at(12, 4), "IHDR", 4) != 0) refuse("l'en-tête du fichier PNG n'est pas valide");
  h.width = b.be32(16);
  h.height = b.be32(20);
  if (h.width > 0x7FFFFFFF || h.height > 0x7FFFFFFF) refuse(kBadDimensions);
  check_pixels(h.width, h.height);
  const std::uint32_t depth = b.u8(24), colour = b.u8(25), interlace = b.u8(28);
  std::uint32_t channels = 0;
  switch (colour) {
    case 0: channels = depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16 ? 1 : 0; break;
    case 3: channels = depth == 1 || depth == 2 || depth == 4 || depth == 8 ? 1 : 0; break;
    case 2: channels = depth == 8 || depth == 16 ? 3 : 0; break;
    case 4: channels = depth == 8 || depth == 16 ? 2 : 0; break;
    case 6: channels = depth == 8 || depth == 16 ? 4 : 0; break;
  }
  if (channels == 0 || interlace > 1) refuse("l'en-tête du fichier PNG n'est pas valide");
  h.decoded_whole = interlace == 1;
  // The filtered rows, each with its filter byte; deflated data is never
  // much larger, however poorly compressed.
  const std::uint64_t raw = h.height * (1 + (h.width * channels * depth + 7) / 8);
  h.max_bytes = 2 * raw + kSideDataBytes;
  return h;
}

// After the chunk IEND; every chunk (length, type, data, check) whole.
std::uint64_t png_end(const Bytes& b) {
  std::uint64_t at = sizeof kPngSignature;
  for (;;) {
    const std::uint64_t length = b.be32(at);
    if (length > 0x7FFFFFFF) refuse("le fichier PNG est endommagé");
    const bool last = std::memcmp(b.at(at + 4, 4), "IEND", 4) == 0;
    at += 12 + length;
    b.at(at - 4, 4);
    if (last) return at;
  }
}

// ---- JPEG ---------------------------------------------------------------------

constexpr std::uint8_t kJpegStart[3] = {0xFF, 0xD8, 0xFF};
constexpr std::uint32_t kSos = 0xDA, kEoi = 0xD9;

bool is_frame_marker(std::uint32_t m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }
bool stands_alone(std::uint32_t m) { return (m >= 0xD0 && m <= 0xD8) || m == 0x01; }

// The marker at `at` (after any fill bytes), and where its segment starts.
std::uint32_t marker_at(const Bytes& b, std::uint64_t& at) {
  if (b.u8(at) != 0xFF) refuse("le fichier JPEG est endommagé");
  while (b.u8(at) == 0xFF) ++at;
  return b.u8(at++);
}

PictureHeader jpeg_header(const Bytes& b) {
  PictureHeader h;
  h.format = PictureFormat::jpeg;
  std::uint64_t at = 2;
  for (;;) {
    const std::uint32_t m = marker_at(b, at);
    if (stands_alone(m)) continue;
    if (m == kEoi || m == kSos) refuse(kNoPicture);
    const std::uint32_t length = b.be16(at);
    if (length < 2) refuse("le fichier JPEG est endommagé");
    if (is_frame_marker(m)) {
      // Huffman or arithmetic, sequential or progressive, 8 bits: what
      // the decoder reads.
      if ((m != 0xC0 && m != 0xC1 && m != 0xC2 && m != 0xC9 && m != 0xCA) || b.u8(at + 2) != 8)
        refuse("ce type d'image JPEG n'est pas pris en charge");
      h.height = b.be16(at + 3);
      h.width = b.be16(at + 5);
      const std::uint32_t components = b.u8(at + 7);
      check_pixels(h.width, h.height);
      if (components == 0) refuse(kBadDimensions);
      h.decoded_whole = m == 0xC2 || m == 0xCA;
      // Coded data stays far below 16 bytes a sample, in any number of scans.
      h.max_bytes = at + length + 16 * h.width * h.height * components + kSideDataBytes;
      return h;
    }
    at += length;
  }
}

// After the end-of-image marker: every segment, and the coded data of
// every scan (up to the next marker that is not a restart), is whole.
std::uint64_t jpeg_end(const Bytes& b) {
  std::uint64_t at = 2;
  for (;;) {
    const std::uint32_t m = marker_at(b, at);
    if (m == kEoi) return at;
    if (stands_alone(m)) continue;
    const std::uint32_t length = b.be16(at);
    if (length < 2) refuse("le fichier JPEG est endommagé");
    at += length;
    if (m != kSos) continue;
    for (;;) {
      at = b.find_ff(at);
      const std::uint32_t next = b.u8(at + 1);
      if (next == 0x00 || (next >= 0xD0 && next <= 0xD7)) {
        at += 2;  // a stuffed 0xFF, or a restart: still coded data
      } else if (next == 0xFF) {
        ++at;  // fill
      } else {
        break;  // the next segment's marker
      }
    }
  }
}

// ---- GIF ----------------------------------------------------------------------

constexpr std::uint8_t kGif87[6] = {'G', 'I', 'F', '8', '7', 'a'}, kGif89[6] = {'G', 'I', 'F', '8', '9', 'a'};

std::uint64_t colour_table_bytes(std::uint32_t flags) { return flags & 0x80 ? std::uint64_t(3) << ((flags & 7) + 1) : 0; }

PictureHeader gif_header(const Bytes& b) {
  PictureHeader h;
  h.format = PictureFormat::gif;
  h.width = b.le16(6);
  h.height = b.le16(8);
  check_pixels(h.width, h.height);
  b.u8(12);
  h.decoded_whole = true;
  // At worst a 12-bit code a pixel, in blocks of 255 bytes.
  h.max_bytes = 13 + 768 + 2 * h.width * h.height + kSideDataBytes;
  return h;
}

// After a run of data sub-blocks at `at`, ended by an empty one.
std::uint64_t sub_blocks_end(const Bytes& b, std::uint64_t at) {
  for (std::uint32_t size = b.u8(at); size != 0; size = b.u8(at)) at += 1 + size;
  return at + 1;
}

// After the first image's data: the picture shown is that image.
std::uint64_t gif_end(const Bytes& b) {
  std::uint64_t at = 13 + colour_table_bytes(b.u8(10));
  for (;;) {
    switch (b.u8(at)) {
      case 0x21:  // extension: its label, then sub-blocks
        b.u8(at + 1);
        at = sub_blocks_end(b, at + 2);
        break;
      case 0x2C: {  // image: descriptor, colour table, code size, data
        at += 10 + colour_table_bytes(b.u8(at + 9));
        const std::uint32_t code_size = b.u8(at);
        if (code_size < 2 || code_size > 8) refuse("le fichier GIF est endommagé");
        return sub_blocks_end(b, at + 1);
      }
      case 0x3B:
        refuse(kNoPicture);
      default:
        refuse("le fichier GIF est endommagé");
    }
  }
}

}  // namespace

PictureHeader read_header(const FileStart& start) {
  const Bytes b(start);
  if (b.starts_with(kPngSignature)) return png_header(b);
  if (b.starts_with(kJpegStart)) return jpeg_header(b);
  if (b.starts_with(kGif87) || b.starts_with(kGif89)) return gif_header(b);
  if (start.bytes.size() >= 2 && start.bytes[0] == 'B' && start.bytes[1] == 'M') return bmp_header(b);
  refuse(kNotAPicture);
}

std::uint64_t picture_end(const PictureHeader& header, const FileStart& start) {
  const Bytes b(start);
  switch (header.format) {
    case PictureFormat::bmp:
      if (header.bmp.runs) return rle_end(b, header);
      if (header.max_bytes > start.file_size) refuse(kTruncated);
      return header.max_bytes;
    case PictureFormat::png:
      return png_end(b);
    case PictureFormat::jpeg:
      return jpeg_end(b);
    case PictureFormat::gif:
      return gif_end(b);
  }
  refuse(kNotAPicture);
}

std::optional<std::string> picture_defect(std::span<const std::uint8_t> bytes) {
  const FileStart whole{bytes, bytes.size()};
  try {
    picture_end(read_header(whole), whole);
    return std::nullopt;
  } catch (const PictureRefusal& refusal) {
    return refusal.cause;
  }
}

}  // namespace korvel
