#include "platform/bmp_encoding.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

std::uint32_t read32(const std::vector<std::uint8_t>& f, std::size_t at) {
  return std::uint32_t(f[at]) | std::uint32_t(f[at + 1]) << 8 | std::uint32_t(f[at + 2]) << 16 |
         std::uint32_t(f[at + 3]) << 24;
}

TEST(BmpEncoding, HeaderDescribesAnUncompressedThirtyTwoBitPicture) {
  const Bitmap picture(3, 2, clRed);
  const auto file = encode_bmp(picture);
  ASSERT_EQ(file.size(), kBmpHeaderBytes + 3 * 2 * 4);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(read32(file, 2), file.size());
  EXPECT_EQ(read32(file, 10), kBmpHeaderBytes);
  EXPECT_EQ(read32(file, 14), 40u);
  EXPECT_EQ(read32(file, 18), 3u);
  EXPECT_EQ(read32(file, 22), 2u);
  EXPECT_EQ(file[28], 32);
  EXPECT_EQ(read32(file, 30), 0u);
}

TEST(BmpEncoding, RowsRunBottomUpWithBlueGreenRedBytes) {
  Bitmap picture(2, 2);
  picture.set_colour(0, 0, RGB(1, 2, 3));     // top-left
  picture.set_colour(1, 1, RGB(250, 251, 252));  // bottom-right
  const auto file = encode_bmp(picture);
  const std::size_t bottom_row = kBmpHeaderBytes, top_row = kBmpHeaderBytes + 8;
  EXPECT_EQ(file[top_row + 0], 3);  // blue
  EXPECT_EQ(file[top_row + 1], 2);
  EXPECT_EQ(file[top_row + 2], 1);  // red
  EXPECT_EQ(file[bottom_row + 4 + 0], 252);
  EXPECT_EQ(file[bottom_row + 4 + 2], 250);
  EXPECT_EQ(file[bottom_row + 0], 0);
}

}  // namespace
}  // namespace korvel
