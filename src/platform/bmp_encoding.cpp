#include "platform/bmp_encoding.h"

#include <cstring>

namespace korvel {

namespace {

void put16(std::uint8_t* at, std::uint16_t v) {
  at[0] = std::uint8_t(v);
  at[1] = std::uint8_t(v >> 8);
}

void put32(std::uint8_t* at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = std::uint8_t(v >> (8 * i));
}

}  // namespace

std::vector<std::uint8_t> encode_bmp(const Bitmap& picture) {
  const std::size_t row_bytes = std::size_t(picture.width()) * 4;
  const std::size_t pixel_bytes = row_bytes * std::size_t(picture.height());
  std::vector<std::uint8_t> file(kBmpHeaderBytes + pixel_bytes);
  std::uint8_t* h = file.data();
  // BITMAPFILEHEADER
  h[0] = 'B';
  h[1] = 'M';
  put32(h + 2, std::uint32_t(file.size()));
  put32(h + 10, std::uint32_t(kBmpHeaderBytes));
  // BITMAPINFOHEADER: positive height, so rows run bottom-up as every reader expects.
  put32(h + 14, 40);
  put32(h + 18, std::uint32_t(picture.width()));
  put32(h + 22, std::uint32_t(picture.height()));
  put16(h + 26, 1);   // planes
  put16(h + 28, 32);  // bits per pixel
  put32(h + 30, 0);   // BI_RGB
  put32(h + 34, std::uint32_t(pixel_bytes));
  put32(h + 38, 2835);  // 72 dpi
  put32(h + 42, 2835);
  std::uint8_t* out = h + kBmpHeaderBytes;
  for (int y = picture.height() - 1; y >= 0; --y, out += row_bytes)
    std::memcpy(out, picture.row(y), row_bytes);
  return file;
}

}  // namespace korvel
