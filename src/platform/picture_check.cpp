#include "platform/picture_check.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace korvel {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiAlphaBitfields = 6;
// Beyond this, no reader we use would allocate the picture anyway.
constexpr std::uint64_t kMaxPixels = std::uint64_t(1) << 28;

std::uint32_t get16(const std::uint8_t* p) { return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8; }
std::uint32_t get32(const std::uint8_t* p) { return get16(p) | get16(p + 2) << 16; }

struct BmpHeader {
  std::uint64_t width = 0, height = 0;  // height without its sign
  std::uint32_t bits = 0, compression = 0;
  std::uint64_t pixels_at = 0;  // first byte of the pixel data
};

bool is_info_size(std::uint32_t n) { return n == 12 || (n >= 16 && n <= 64) || n == 108 || n == 124; }

// Walks an RLE stream from `at` until its end-of-picture mark: false when
// the file ends first.
bool rle_stream_complete(std::span<const std::uint8_t> bytes, std::size_t at, std::uint32_t bits) {
  while (at + 2 <= bytes.size()) {
    const std::uint32_t count = bytes[at], code = bytes[at + 1];
    at += 2;
    if (count != 0) continue;  // an encoded run: two bytes
    if (code == 1) return true;  // end of picture
    if (code == 0) continue;     // end of line
    if (code == 2) {             // delta: two more bytes
      at += 2;
      continue;
    }
    // An absolute run of `code` pixels, padded to a whole word.
    const std::size_t run = bits == 8 ? code : (code + 1) / 2;
    at += (run + 1) & ~std::size_t(1);
  }
  return false;
}

std::uint32_t get32_big_endian(const std::uint8_t* p) {
  return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Each chunk (length, type, data, check) inside the file, up to IEND.
std::optional<std::string> png_defect(std::span<const std::uint8_t> bytes) {
  std::size_t at = sizeof kPngSignature;
  while (bytes.size() - at >= 12) {
    const std::uint64_t length = get32_big_endian(bytes.data() + at);
    if (length > bytes.size() - at - 12) return "le fichier est tronqué";
    if (std::equal(bytes.data() + at + 4, bytes.data() + at + 8, "IEND")) return std::nullopt;
    at += 12 + std::size_t(length);
  }
  return "le fichier est tronqué";
}

std::optional<std::string> bmp_defect(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kFileHeaderBytes + 4) return "le fichier est tronqué (en-tête incomplet)";
  const std::uint8_t* h = bytes.data();
  const std::uint32_t info_size = get32(h + 14);
  if (!is_info_size(info_size)) return "l'en-tête du fichier BMP n'est pas valide";
  if (bytes.size() < kFileHeaderBytes + std::max<std::uint32_t>(info_size, 20))
    return "le fichier est tronqué (en-tête incomplet)";
  const std::uint8_t* info = h + kFileHeaderBytes;
  BmpHeader b;
  if (info_size == 12) {
    b.width = get16(info + 4);
    b.height = get16(info + 6);
    b.bits = get16(info + 10);
  } else {
    const auto width = std::int32_t(get32(info + 4)), height = std::int32_t(get32(info + 8));
    if (width <= 0 || height == 0 || height == INT32_MIN) return "les dimensions de l'image ne sont pas valides";
    b.width = std::uint64_t(width);
    b.height = std::uint64_t(height < 0 ? -std::int64_t(height) : height);
    b.bits = get16(info + 14);
    b.compression = info_size >= 20 ? get32(info + 16) : kBiRgb;
  }
  if (b.width == 0 || b.height == 0) return "les dimensions de l'image ne sont pas valides";
  if (b.width * b.height > kMaxPixels) return "l'image est trop grande";
  static constexpr std::uint32_t kDepths[] = {1, 4, 8, 16, 24, 32};
  if (std::find(std::begin(kDepths), std::end(kDepths), b.bits) == std::end(kDepths))
    return "la profondeur de couleur n'est pas prise en charge";
  b.pixels_at = std::max<std::uint64_t>(get32(h + 10), kFileHeaderBytes + info_size);
  if (b.pixels_at > bytes.size()) return "le fichier est tronqué";

  switch (b.compression) {
    case kBiRgb:
    case kBiBitfields:
    case kBiAlphaBitfields: {
      const std::uint64_t stride = (b.width * b.bits + 31) / 32 * 4;
      if (bytes.size() - b.pixels_at < stride * b.height) return "le fichier est tronqué";
      return std::nullopt;
    }
    case kBiRle8:
    case kBiRle4:
      if (b.bits != (b.compression == kBiRle8 ? 8u : 4u)) return "l'en-tête du fichier BMP n'est pas valide";
      if (!rle_stream_complete(bytes, std::size_t(b.pixels_at), b.bits)) return "le fichier est tronqué";
      return std::nullopt;
    default:
      return "la compression de ce fichier BMP n'est pas prise en charge";
  }
}

}  // namespace

std::optional<std::string> picture_defect(std::span<const std::uint8_t> bytes) {
  if (bytes.size() >= sizeof kPngSignature && std::equal(std::begin(kPngSignature), std::end(kPngSignature), bytes.begin()))
    return png_defect(bytes);
  if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  return bmp_defect(bytes);
}

}  // namespace korvel
