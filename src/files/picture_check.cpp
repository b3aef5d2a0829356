#include "files/picture_check.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

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

// Reads: the first small, for a file refused from its first bytes; then
// growing to a size at which a walk through a file costs few calls, small
// enough that any file costs little memory.
constexpr std::uint64_t kFirstWindowBytes = std::uint64_t(64) << 10;
constexpr std::uint64_t kWindowBytes = std::uint64_t(1) << 20;
// Where a header must have been found: past this, metadata is not what it
// claims to be.
constexpr std::uint64_t kMaxHeadBytes = std::uint64_t(16) << 20;

constexpr char kBadHeader[] = "l'en-tête du fichier n'est pas valide";
constexpr char kLongerThanAnnounced[] = "le fichier est plus long que l'image que son en-tête annonce";

// The file, read where a walk asks through a window of its bytes. Past
// `limit` (but inside the file) the walk is refused with `past_limit`;
// past the file's end, or where a read comes back short, it is cut short.
class Bytes {
 public:
  Bytes(const ByteSource& source, std::uint64_t limit, const char* past_limit)
      : m_source(source), m_limit(std::min(limit, source.size)), m_past_limit(past_limit) {}

  const std::uint8_t* at(std::uint64_t offset, std::uint64_t count) const {
    if (offset >= m_from && offset + count <= m_from + m_window.size()) return m_window.data() + (offset - m_from);
    if (offset + count > m_source.size) refuse(kTruncated);
    if (offset + count > m_limit) refuse(m_past_limit);
    m_window_bytes = m_window_bytes ? std::min(2 * m_window_bytes, kWindowBytes) : kFirstWindowBytes;
    m_window = m_source.read(offset, std::max(count, m_window_bytes));
    m_from = offset;
    // The file holds fewer bytes than its size said: it ends here.
    if (m_window.size() < count) refuse(kTruncated);
    return m_window.data();
  }
  std::uint64_t file_size() const { return m_source.size; }
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
    return m_source.size >= magic.size() && std::equal(magic.begin(), magic.end(), at(0, magic.size()));
  }
  // The first 0xFF at or after `offset`, reading the file window by window;
  // holes hold none.
  std::uint64_t find_ff(std::uint64_t offset) const {
    for (;;) {
      if (m_source.data_from && !(offset >= m_from && offset < m_from + m_window.size()))
        offset = std::max(offset, m_source.data_from(offset));
      at(offset, 1);
      const std::uint64_t in_window = m_from + m_window.size() - offset;
      const void* found = std::memchr(m_window.data() + (offset - m_from), 0xFF, std::size_t(in_window));
      if (found) return m_from + std::uint64_t(static_cast<const std::uint8_t*>(found) - m_window.data());
      offset += in_window;
    }
  }

 private:
  const ByteSource& m_source;
  std::uint64_t m_limit;
  const char* m_past_limit;
  mutable std::vector<std::uint8_t> m_window;
  mutable std::uint64_t m_from = 0;
  mutable std::uint64_t m_window_bytes = 0;
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
  b.at(kFileHeaderBytes, info_size);
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
  // The rows come after the headers, masks and palette, wherever the file
  // header says they start.
  const std::uint32_t colours = info_size >= 36 ? b.le32(info + 32) : 0;
  if (h.bmp.bits <= 8 && colours > 256) refuse("l'en-tête du fichier BMP n'est pas valide");
  const std::uint64_t palette =
      h.bmp.bits > 8 ? 0 : (colours ? colours : std::uint64_t(1) << h.bmp.bits) * (info_size == 12 ? 3 : 4);
  const std::uint64_t masks = info_size >= 52 ? 0
                              : compression == kBiBitfields ? 12
                              : compression == kBiAlphaBitfields ? 16 : 0;
  h.bmp.first = std::max<std::uint64_t>(b.le32(10), kFileHeaderBytes + info_size + masks + palette);
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
    const std::uint8_t* type = b.at(at + 4, 4);
    if (length > 0x7FFFFFFF || !std::all_of(type, type + 4, [](std::uint8_t c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }))
      refuse("le fichier PNG est endommagé");
    const bool last = std::memcmp(type, "IEND", 4) == 0;
    at += 12 + length;
    b.at(at - 4, 4);
    if (last) return at;
  }
}

// ---- JPEG ---------------------------------------------------------------------

constexpr std::uint8_t kJpegStart[3] = {0xFF, 0xD8, 0xFF};
constexpr std::uint32_t kSos = 0xDA, kEoi = 0xD9;

bool is_frame_marker(std::uint32_t m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }
bool stands_alone(std::uint32_t m) { return (m >= 0xD0 && m <= 0xD7) || m == 0x01; }
// Tables, restart interval, line count, scan, end, application data and
// comments: the markers a decoder reads besides frames. Any other is a
// file damaged, or random bytes after a valid start.
bool is_segment_marker(std::uint32_t m) {
  return m == 0xC4 || m == 0xCC || (m >= 0xD9 && m <= 0xDD) || (m >= 0xE0 && m <= 0xEF) || m == 0xFE;
}
constexpr char kUnsupportedJpeg[] = "ce type d'image JPEG n'est pas pris en charge";

// Stray bytes before a marker are skipped by the decoder, which loses no
// pixel for them; many are a file that is something else past its start.
constexpr std::uint64_t kMaxStrayBytes = std::uint64_t(64) << 10;

// The marker at `at` (after any stray and fill bytes), and where its
// segment starts.
std::uint32_t marker_at(const Bytes& b, std::uint64_t& at) {
  for (std::uint64_t stray = 0; b.u8(at) != 0xFF; ++at)
    if (++stray > kMaxStrayBytes) refuse("le fichier JPEG est endommagé");
  while (b.u8(at) == 0xFF) ++at;
  const std::uint32_t m = b.u8(at++);
  if (m == 0xDE || m == 0xDF) refuse(kUnsupportedJpeg);  // hierarchical
  if (!stands_alone(m) && !is_segment_marker(m) && !is_frame_marker(m)) refuse("le fichier JPEG est endommagé");
  return m;
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
        refuse(kUnsupportedJpeg);
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
  for (bool framed = false;;) {
    const std::uint32_t m = marker_at(b, at);
    if (m == kEoi) return at;
    if (stands_alone(m)) continue;
    if (is_frame_marker(m) && std::exchange(framed, true)) refuse("le fichier JPEG est endommagé");
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

// Counts the pixels that LZW codes give, without making them: a frame
// whose codes stop short, or name a string not yet made, would be drawn
// with pixels made up.
class LzwPixelCount {
 public:
  explicit LzwPixelCount(std::uint32_t code_size) : m_code_size(code_size) {
    for (std::uint32_t c = 0; c < (1u << code_size); ++c) m_length[c] = 1;
    clear();
  }
  // Feeds the codes in `data`; false once the end code is read.
  bool feed(const std::uint8_t* data, std::uint32_t size) {
    for (std::uint32_t i = 0; i < size; ++i) {
      m_bits |= std::uint32_t(data[i]) << m_bit_count;
      // Each code is read at the width before it: taking it may widen the next.
      for (m_bit_count += 8; m_bit_count >= m_width;) {
        const std::uint32_t code = m_bits & ((1u << m_width) - 1);
        m_bits >>= m_width;
        m_bit_count -= m_width;
        if (!take(code)) return false;
      }
    }
    return true;
  }
  std::uint64_t pixels() const { return m_pixels; }

 private:
  static constexpr std::uint32_t kMaxCodes = 4096;

  void clear() {
    m_next = (1u << m_code_size) + 2;
    m_width = m_code_size + 1;
    m_previous = kMaxCodes;
  }
  bool take(std::uint32_t code) {
    const std::uint32_t clear_code = 1u << m_code_size;
    if (code == clear_code) {
      clear();
      return true;
    }
    if (code == clear_code + 1) return false;
    if (m_previous == kMaxCodes) {
      if (code > clear_code) refuse(kDamagedData);
    } else {
      if (code > m_next || (code == m_next && m_next == kMaxCodes)) refuse(kDamagedData);
      if (m_next < kMaxCodes) {
        m_length[m_next] = m_length[m_previous] + 1;
        if (++m_next == (1u << m_width) && m_width < 12) ++m_width;
      }
    }
    m_pixels += m_length[code];
    m_previous = code;
    return true;
  }

  std::uint32_t m_code_size;
  std::uint32_t m_length[kMaxCodes] = {};
  std::uint32_t m_next = 0, m_width = 0, m_previous = kMaxCodes;
  std::uint32_t m_bits = 0, m_bit_count = 0;
  std::uint64_t m_pixels = 0;
};

// After the image data at `at`: sub-blocks of LZW codes that give every
// one of the frame's `pixels`.
std::uint64_t frame_data_end(const Bytes& b, std::uint64_t at, std::uint32_t code_size, std::uint64_t pixels) {
  LzwPixelCount codes(code_size);
  bool reading = true;
  for (std::uint32_t size = b.u8(at); size != 0; size = b.u8(at)) {
    if (reading && codes.pixels() < pixels) reading = codes.feed(b.at(at + 1, size), size);
    at += 1 + size;
  }
  if (codes.pixels() < pixels) refuse(kDamagedData);
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
        const std::uint64_t pixels = std::uint64_t(b.le16(at + 5)) * b.le16(at + 7);
        at += 10 + colour_table_bytes(b.u8(at + 9));
        const std::uint32_t code_size = b.u8(at);
        if (code_size < 2 || code_size > 8) refuse("le fichier GIF est endommagé");
        return frame_data_end(b, at + 1, code_size, pixels);
      }
      case 0x3B:
        refuse(kNoPicture);
      default:
        refuse("le fichier GIF est endommagé");
    }
  }
}

}  // namespace

PictureHeader read_header(const ByteSource& source) {
  const Bytes b(source, kMaxHeadBytes, kBadHeader);
  if (b.starts_with(kPngSignature)) return png_header(b);
  if (b.starts_with(kJpegStart)) return jpeg_header(b);
  if (b.starts_with(kGif87) || b.starts_with(kGif89)) return gif_header(b);
  static constexpr std::uint8_t kBmp[2] = {'B', 'M'};
  if (b.starts_with(kBmp)) return bmp_header(b);
  refuse(kNotAPicture);
}

std::uint64_t picture_end(const PictureHeader& header, const ByteSource& source) {
  const Bytes b(source, header.max_bytes, kLongerThanAnnounced);
  switch (header.format) {
    case PictureFormat::bmp:
      if (header.bmp.runs) return rle_end(b, header);
      if (header.max_bytes > source.size) refuse(kTruncated);
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

ByteSource bytes_in_memory(std::span<const std::uint8_t> bytes) {
  return {bytes.size(), [bytes](std::uint64_t at, std::uint64_t count) {
            const std::uint64_t from = std::min<std::uint64_t>(at, bytes.size());
            const std::uint64_t to = std::min<std::uint64_t>(bytes.size(), from + std::min(count, bytes.size() - from));
            return std::vector<std::uint8_t>(bytes.begin() + std::ptrdiff_t(from), bytes.begin() + std::ptrdiff_t(to));
          }};
}

std::optional<std::string> picture_defect(std::span<const std::uint8_t> bytes) {
  const ByteSource whole = bytes_in_memory(bytes);
  try {
    picture_end(read_header(whole), whole);
    return std::nullopt;
  } catch (const PictureRefusal& refusal) {
    return refusal.cause;
  }
}

}  // namespace korvel
